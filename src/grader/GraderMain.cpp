#include "grader/GraderMain.h"

#include <signal.h>

#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>

#include "console/ScriptFile.h"
#include "grader/ClassGrading.h"
#include "grader/Exercises.h"
#include "grader/HtmlReport.h"
#include "grader/ModelAnswers.h"
#include "grader/ScoreTable.h"
#include "grader/Workspace.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/TarnwickError.h"
#include "text/messages/GraderMessages.h"

namespace tarnwick::grader {
namespace {

volatile sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) { interrupted = 1; }

// Ctrl+C and a polite kill end the learners' processes and remove the work folder.
void CatchInterrupts() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

// A message of the console's (Shift-JIS, CR LF) as the terminal shows it.
std::string TerminalText(std::string_view sjis) {
  std::string utf8 = SjisToUtf8(sjis);
  std::erase(utf8, '\r');
  return utf8;
}

std::optional<ExerciseFile> ReadAnswers(const std::string& path) {
  ExerciseFile answers;
  try {
    answers = CutExercises(ReadNativeScriptFile(path));
  } catch (const TarnwickError& error) {
    ReportToTeacher(TerminalText(error.what()));
    return std::nullopt;
  }
  if (answers.exercises.empty()) {
    ReportToTeacher(msg::AnswersWithoutExercises(path).Utf8());
    return std::nullopt;
  }
  if (const std::optional<std::string> repeated = RepeatedExercise(answers)) {
    ReportToTeacher(msg::AnswersRepeatExercise(path, *repeated).Utf8());
    return std::nullopt;
  }
  if (answers.statementsBeforeFirst) ReportToTeacher(msg::AnswersStatementsBeforeFirst(path));
  return answers;
}

// Each report file is made (empty) before the grading starts, so that a name that cannot be
// written stops the run at once instead of after the whole class.
bool PrepareReports(const GraderOptions& options) {
  for (const std::string* path : {&options.csvReport, &options.htmlReport}) {
    if (path->empty()) continue;
    try {
      WriteWholeNativeFile(*path, {});
    } catch (const TarnwickError& error) {
      ReportToTeacher(TerminalText(error.what()));
      return false;
    }
  }
  return true;
}

bool WriteReport(const std::string& path, const std::string& bytes) {
  if (path.empty()) return true;
  try {
    WriteWholeNativeFile(path, bytes);
    return true;
  } catch (const TarnwickError& error) {
    ReportToTeacher(TerminalText(error.what()));
    return false;
  }
}

ClassSetup LearnersOf(const GraderOptions& options, const Workspace& workspace) {
  ClassSetup setup;
  for (const std::string& file : options.studentFiles) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error);
    setup.files.push_back(error ? file : absolute.string());
    setup.names.push_back(LearnerName(file));
  }
  setup.classCopy = workspace.Path("class.mdb");
  setup.workFolder = workspace.Folder();
  setup.timeoutSeconds = options.timeoutSeconds;
  setup.jobs = options.jobs != 0 ? options.jobs : ProcessorCount();
  return setup;
}

std::vector<std::string> ModelTroubles(const std::vector<ModelExercise>& model) {
  std::vector<std::string> troubles;
  for (const ModelExercise& exercise : model) {
    for (const StatementFailure& failure : exercise.failures) {
      troubles.push_back(msg::ModelAnswerFailed(exercise.name, failure.message));
    }
  }
  return troubles;
}

}  // namespace

void ReportToTeacher(std::string_view utf8Message) {
  std::fflush(stdout);
  std::string text(utf8Message);
  std::erase(text, '\r');
  while (!text.empty() && text.back() == '\n') text.pop_back();
  std::fprintf(stderr, "tarnwick-grade: %s\n", text.c_str());
}

GraderStatus RunGrader(const GraderOptions& options) {
  CatchInterrupts();
  const std::optional<ExerciseFile> answers = ReadAnswers(options.answers);
  if (!answers || !PrepareReports(options)) return kCannotGrade;

  std::optional<Workspace> workspace;
  std::vector<ModelExercise> model;
  try {
    workspace.emplace();
    const std::string importTrouble =
        CopyClassDatabase(options.classDatabase, workspace->Path("class.mdb"));
    if (!importTrouble.empty()) ReportToTeacher(TerminalText(importTrouble));
    std::filesystem::copy_file(workspace->Path("class.mdb"), workspace->Path("model.mdb"));
    model = RunModelAnswers(*answers, workspace->Path("model.mdb"), options.timeoutSeconds,
                            &interrupted);
  } catch (const TarnwickError& error) {
    ReportToTeacher(TerminalText(error.what()));
    return kCannotGrade;
  } catch (const std::exception& error) {
    ReportToTeacher(error.what());
    return kCannotGrade;
  }
  const std::vector<std::string> troubles = ModelTroubles(model);
  for (const std::string& trouble : troubles) ReportToTeacher(trouble);

  ClassReport report;
  for (const ModelExercise& exercise : model) report.exercises.push_back(exercise.name);
  if (!interrupted) {
    report.learners = GradeClass(LearnersOf(options, *workspace), model, &interrupted);
  }
  if (interrupted) {
    ReportToTeacher(msg::GradingInterrupted());
    return kInterrupted;
  }

  std::fputs(ScoreTableText(report).c_str(), stdout);
  const bool written =
      WriteReport(options.csvReport, ScoreCsv(report)) &&
      WriteReport(options.htmlReport,
                  HtmlReport(report, {options.classDatabase, options.answers, troubles}));
  if (std::fflush(stdout) != 0 || !written) return kCannotGrade;
  return kGraded;
}

}  // namespace tarnwick::grader
