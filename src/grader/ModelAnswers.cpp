#include "grader/ModelAnswers.h"

#include <limits>

#include "grader/GradingConsole.h"
#include "grader/GradingWatch.h"
#include "grader/OrderKeys.h"

namespace tarnwick::grader {

std::vector<ModelExercise> RunModelAnswers(const ExerciseFile& answers, const std::string& copyPath,
                                           double timeoutSeconds,
                                           const volatile sig_atomic_t* stop) {
  GradingWatch watch(timeoutSeconds, {}, stop);
  GradingConsole console(copyPath, watch);
  std::vector<ModelExercise> model;
  for (const Exercise& exercise : answers.exercises) {
    ExerciseRun run = console.Run(exercise.script, std::numeric_limits<std::size_t>::max());
    ModelExercise& answer = model.emplace_back();
    answer.name = exercise.name;
    answer.failures = std::move(run.failures);
    if (run.rows) {
      answer.order = OrderOfQuery(run.rowsStatement, run.rows->names);
      answer.rows = std::move(run.rows);
    } else {
      answer.tables = ReadTables(console.Db(), console.TableObject());
    }
  }
  return model;
}

}  // namespace tarnwick::grader
