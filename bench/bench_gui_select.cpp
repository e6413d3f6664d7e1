// The window on Qt's offscreen platform: a 100,000-row SELECT shown in the result pane
// against tarnwick-run writing the same query's transcript to a file, and the window's
// start-up time. The pane collects appended lines and writes them in one edit, many lines to
// a block; for scale, the same pane written line by line is timed on a tenth of the rows. Times are
// the best of three runs (wall clock). Prints one table; exit status 1 when a run failed.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextDocument>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "BenchDialogs.h"
#include "console/RunScript.h"
#include "console/SqlHistory.h"
#include "data/Connection.h"
#include "data/Dataset.h"
#include "gui/DialogSeam.h"
#include "gui/MainUnit.h"
#include "gui/QtResultPane.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRepeats = 3;
constexpr int kRows = 100'000;
constexpr int kLineByLineRows = kRows / 10;

double Seconds(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double BestOf(const std::function<double()>& run) {
  double best = 1e300;
  for (int i = 0; i < kRepeats; ++i) best = std::min(best, run());
  return best;
}

// Runs tarnwick-run with these arguments, its transcript going to `output`.
bool RunRunner(const std::vector<std::string>& arguments, const std::string& output) {
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    if (!std::freopen(output.c_str(), "w", stdout)) _exit(126);
    std::vector<char*> argv{const_cast<char*>(TARNWICK_RUN_PATH)};
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(TARNWICK_RUN_PATH, argv.data());
    _exit(127);
  }
  int status = 0;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// The result pane written line by line: every appended line is one edit of the document.
class LineByLinePane : public tarnwick::ResultPane {
 public:
  explicit LineByLinePane(QPlainTextEdit& editor) : pane_(editor) {}
  void AppendLine(std::string_view sjisText) override {
    pane_.AppendLine(sjisText);
    pane_.Flush();
  }

 private:
  tarnwick::QtResultPane pane_;
};

tarnwick::StartUpArguments StartUp(const std::string& database) {
  return {{database}, QDir::currentPath().toStdString() + "/"};
}

}  // namespace

int main(int argc, char* argv[]) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QTemporaryDir folder;
  QDir::setCurrent(folder.path());
  tarnwick::bench::KeepUserFilesIn(folder.path());
  const std::string database = "bench.mdb";
  const std::string query = "SELECT * FROM big";

  // The table: integer, text, real and integer columns, 100,000 rows.
  const std::string fill =
      "CREATE TABLE big (id INTEGER PRIMARY KEY, name CHAR(20), price DOUBLE, kind INTEGER);"
      "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < " +
      std::to_string(kRows) +
      ") INSERT INTO big SELECT x, 'item ' || x, x * 0.25, x % 7 FROM n;"
      "CREATE TABLE small AS SELECT * FROM big WHERE id <= " +
      std::to_string(kLineByLineRows) + ";";
  if (!RunRunner({"--db", database, "--new", "-c", fill}, "fill.txt")) {
    std::fprintf(stderr, "could not fill the database\n");
    return 1;
  }

  bool failed = false;
  const double runner = BestOf([&] {
    const auto start = Clock::now();
    failed |= !RunRunner({"--db", database, "-c", query}, "transcript.txt");
    return Seconds(start);
  });

  tarnwick::bench::BenchDialogs dialogs;
  auto startWindow = [&] {
    const auto start = Clock::now();
    tarnwick::TMainForm form(StartUp(database), dialogs);
    form.show();
    QCoreApplication::processEvents();  // the first paint
    return Seconds(start);
  };
  const double firstStartUp = startWindow();  // fonts and plug-ins loaded for the first time
  const double startUp = BestOf(startWindow);

  tarnwick::TMainForm form(StartUp(database), dialogs);
  form.show();
  QCoreApplication::processEvents();
  int paneLines = 0;
  const double window = BestOf([&] {
    form.MmResult->clear();
    form.MmSql->setPlainText(QString::fromStdString(query));
    const auto start = Clock::now();
    form.AlDBExec->trigger();
    QCoreApplication::processEvents();  // the pane repaints, showing the end of the grid
    const double seconds = Seconds(start);
    paneLines = static_cast<int>(form.MmResult->toPlainText().count(QLatin1Char('\n')));
    return seconds;
  });
  failed |= paneLines < kRows;

  // Line by line, on a tenth of the rows, through the same console.
  double lineByLine = 0;
  {
    QPlainTextEdit editor;
    editor.show();
    LineByLinePane pane(editor);
    tarnwick::Connection connection;
    connection.SetConnectionString("FILE NAME=bench.udl");
    tarnwick::Query queryObject(connection);
    tarnwick::Table table(connection);
    tarnwick::SqlHistory history;
    tarnwick::ConsoleContext context{pane, connection, queryObject, table, history, {}};
    const auto start = Clock::now();
    tarnwick::RunScript(context, "SELECT * FROM small");
    QCoreApplication::processEvents();
    lineByLine = Seconds(start);
    connection.Close();
  }

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const double ratio = window / runner;
  std::printf("Window (offscreen) against tarnwick-run, best of %d runs\n\n", kRepeats);
  std::printf("%-58s %10s\n", "measurement", "seconds");
  std::printf("%-58s %10.3f\n", "tarnwick-run: 100,000-row SELECT, transcript to a file", runner);
  std::printf("%-58s %10.3f\n", "window: the same SELECT shown in the result pane", window);
  std::printf("%-58s %10.3f\n", "window: 10,000 rows written line by line (for scale)", lineByLine);
  std::printf("%-58s %10.3f\n", "window: first start-up in the process", firstStartUp);
  std::printf("%-58s %10.3f\n", "window: start-up (build, choose database, first paint)", startUp);
  std::printf("\nwindow / tarnwick-run: %.2f (target: within 2) %s\n", ratio,
              ratio <= 2.0 ? "met" : "MISSED");
  std::printf("result pane lines after the SELECT: %d\n", paneLines);
  std::printf("peak memory of the window process: %ld MiB\n", usage.ru_maxrss / 1024);
  return failed || dialogs.failed ? 1 : 0;
}
