#include "grader/LearnerGrading.h"

#include <exception>
#include <filesystem>

#include "console/ScriptFile.h"
#include "grader/Exercises.h"
#include "grader/GradingConsole.h"
#include "grader/GradingWatch.h"
#include "text/messages/GraderMessages.h"
#include "text/messages/Message.h"

namespace tarnwick::grader {
namespace {

void SendMissing(const std::vector<ModelExercise>& model, const SendRecord& send) {
  for (std::size_t i = 0; i < model.size(); ++i) {
    send(RecordKind::Outcome, EncodeOutcome(i, ExerciseOutcome{}));
  }
}

// The learner's exercises that the model answers do not have, by name.
std::string UnknownNames(const ExerciseFile& file, const std::vector<ModelExercise>& model) {
  std::string names;
  for (const Exercise& exercise : file.exercises) {
    const std::string key = ExerciseKey(exercise.name);
    bool known = false;
    for (const ModelExercise& modelExercise : model) {
      known = known || ExerciseKey(modelExercise.name) == key;
    }
    if (!known) names += (names.empty() ? "" : "、") + msg::Quoted(exercise.name);
  }
  return names;
}

}  // namespace

void GradeLearner(const LearnerTask& task, const std::vector<ModelExercise>& model,
                  const SendRecord& send) {
  ExerciseFile file;
  try {
    file = CutExercises(ReadNativeScriptFile(task.file));
  } catch (const std::exception& failure) {
    send(RecordKind::Note, Utf8Lines(failure.what()));
    SendMissing(model, send);
    return;
  }
  if (file.exercises.empty()) {
    send(RecordKind::Note, msg::NoExerciseMarkers());
    SendMissing(model, send);
    return;
  }
  if (const std::string unknown = UnknownNames(file, model); !unknown.empty()) {
    send(RecordKind::Note, msg::UnknownExercises(unknown));
  }

  std::filesystem::copy_file(task.classCopy, task.workCopy);
  GradingWatch watch(task.timeoutSeconds, [&] { send(RecordKind::Alive, {}); });
  GradingConsole console(task.workCopy, watch);
  for (std::size_t i = 0; i < model.size(); ++i) {
    const Exercise* exercise = FindExercise(file, model[i].name);
    if (exercise == nullptr) {
      send(RecordKind::Outcome, EncodeOutcome(i, ExerciseOutcome{}));
      continue;
    }
    const ExerciseRun run = console.Run(exercise->script, RowsToKeep(model[i]));
    send(RecordKind::Alive, {});
    ExerciseOutcome outcome = JudgeExercise(model[i], run, [&] {
      return ReadTables(console.Db(), console.TableObject(), &model[i].tables);
    });
    if (outcome.mark == Mark::Wrong) outcome.learnerSql = Utf8Lines(exercise->script);
    send(RecordKind::Outcome, EncodeOutcome(i, outcome));
  }
}

}  // namespace tarnwick::grader
