// A million rows and a 50 MB script, side by side in one run:
// - tarnwick-run's printed SELECT of 1,000,000 rows (integer, text with some Japanese, real,
//   integer and date-time columns), as UTF-8 and with --sjis, against the sqlite3 shell's
//   `.mode column` on the same database;
// - the same SELECT shown in the window (a child process of this program on Qt's offscreen
//   platform, from F5 to the repainted pane) against tarnwick-run's time, and the window
//   process's peak memory against the size of the UTF-8 transcript;
// - tarnwick-run's peak memory on a 50 MB script of small statements against the script's
//   size.
// The four runs of the SELECT take turns, five rounds, and each time is the median of its five
// (the machine may be shared); the script runs once. Memory is the largest peak resident size
// of a run. Prints one table; exit status 1 when a run failed.
#include <sqlite3.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BenchDialogs.h"
#include "ChildTiming.h"
#include "gui/MainUnit.h"

namespace {

namespace fs = std::filesystem;
using tarnwick::bench::Measure;
using tarnwick::bench::PrintRow;

constexpr int kRows = 1'000'000;
constexpr std::size_t kScriptBytes = 50u << 20;
constexpr const char* kQuery = "SELECT * FROM r;";

double FileMegabytes(const fs::path& path) {
  std::error_code error;
  const auto bytes = fs::file_size(path, error);
  return error ? 0 : static_cast<double>(bytes) / (1 << 20);
}

// Fills the table r of an existing database in one transaction.
bool FillTable(const fs::path& db) {
  sqlite3* handle = nullptr;
  if (sqlite3_open(db.c_str(), &handle) != SQLITE_OK) return false;
  const std::string fill =
      "BEGIN; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
      std::to_string(kRows) +
      ") INSERT INTO r SELECT i, CASE WHEN i % 10 = 0 THEN '商品 ' || i ELSE 'item ' || i END, "
      "i * 0.25, i % 1000, strftime('%Y-%m-%d %H:%M:%S', 1325376000 + i * 61, 'unixepoch') "
      "FROM n; COMMIT;";
  const bool ok = sqlite3_exec(handle, fill.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(handle);
  return ok;
}

// Small statements, one a line, until the script holds kScriptBytes.
void WriteScript(const fs::path& path) {
  std::ofstream script(path, std::ios::binary);
  script << "CREATE TABLE s (id INTEGER, name CHAR(60), price DOUBLE);\n";
  std::size_t bytes = 0;
  for (int i = 1; bytes < kScriptBytes; ++i) {
    const std::string line = "INSERT INTO s VALUES (" + std::to_string(i) + ", 'a name of " +
                             std::to_string(i) + " for the list', " + std::to_string(i % 977) +
                             ".5);\n";
    script << line;
    bytes += line.size();
  }
}

// A figure of /proc/self/status in KiB: "VmRSS" (now), "VmHWM" (the peak).
long StatusKb(const std::string& name) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with(name + ":")) return std::stol(line.substr(name.size() + 1));
  }
  return 0;
}

// The child: the window on the database, the query run with F5; prints its seconds, the
// pane's line count, its resident size before F5 and its peak from F5 on (KiB).

int RunWindow(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const fs::path db = argv[2];
  fs::current_path(db.parent_path());
  tarnwick::bench::KeepUserFilesIn(QString::fromStdString(db.parent_path().string()));
  tarnwick::bench::BenchDialogs dialogs;
  tarnwick::TMainForm form({{db.filename().string()}, db.parent_path().string() + "/"}, dialogs);
  form.show();
  QCoreApplication::processEvents();
  form.MmSql->setPlainText(QString::fromLatin1(kQuery));
  const long before = StatusKb("VmRSS");
  std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts again from here
  const auto start = std::chrono::steady_clock::now();
  form.AlDBExec->trigger();
  QCoreApplication::processEvents();  // the pane repaints, showing the end of the grid
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  // Counted block by block: the whole text as one string would raise the peak being measured.
  int lines = 0;
  for (QTextBlock block = form.MmResult->document()->begin(); block.isValid();
       block = block.next()) {
    lines += 1 + static_cast<int>(block.text().count(QChar::LineSeparator));
  }
  std::printf("%.6f %d %ld %ld\n", seconds, lines, before, StatusKb("VmHWM"));
  return dialogs.failed ? 1 : 0;
}

constexpr int kRounds = 5;

struct WindowFigures {
  tarnwick::bench::Series whole;  // time from F5 on; the peak of the whole process
  long growthKb = 0;              // the largest peak from F5 on less the resident size before
  int paneLines = 0;
};

// One run of the window; the child writes its figures to `report`.
void RunWindowOnce(const std::string& self, const fs::path& db, const fs::path& report,
                   WindowFigures& figures) {
  double wall = 0;
  long peakKb = 0;
  const bool ran = tarnwick::bench::RunOnce({self, "--window", db.string()},
                                            {"/dev/null", report.string()}, wall, peakKb);
  double seconds = 0;
  long before = 0, peakFromF5 = 0;
  if (ran) std::ifstream(report) >> seconds >> figures.paneLines >> before >> peakFromF5;
  figures.whole.Add(ran, seconds, peakKb);
  figures.growthKb = std::max(figures.growthKb, peakFromF5 - before);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc == 3 && std::string(argv[1]) == "--window") return RunWindow(argc, argv);
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tarnwick-bench-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) return 2;
  const fs::path dir = pattern;
  const std::string runner = TARNWICK_RUN_PATH;
  const std::string self = fs::canonical("/proc/self/exe").string();

  const fs::path db = dir / "large.mdb";
  const tarnwick::bench::Measurement create = Measure(
      {runner, "--db", db, "--new", "-c",
       "CREATE TABLE r (id INTEGER, name CHAR(40), price DOUBLE, qty INTEGER, added DATETIME);"},
      {});
  if (create.failed || !FillTable(db)) {
    std::fprintf(stderr, "could not prepare the database in %s\n", dir.c_str());
    return 2;
  }

  const fs::path utf8Output = dir / "select-utf8.txt";
  const fs::path shellOutput = dir / "select-sqlite3.txt";
  tarnwick::bench::Series utf8, sjis, shell;
  WindowFigures windowFigures;
  for (int round = 0; round < kRounds; ++round) {
    utf8.Run({runner, "--db", db, "-c", kQuery}, {"/dev/null", utf8Output});
    sjis.Run({runner, "--db", db, "--sjis", "-c", kQuery}, {"/dev/null", dir / "select-sjis.txt"});
    shell.Run({"sqlite3", "-cmd", ".mode column", db, kQuery}, {"/dev/null", shellOutput});
    RunWindowOnce(self, db, dir / "window.txt", windowFigures);
  }
  const tarnwick::bench::Series& window = windowFigures.whole;
  const int paneLines = windowFigures.paneLines;

  const fs::path script = dir / "script.sql";
  WriteScript(script);
  const fs::path scriptDb = dir / "script.mdb";
  double scriptSeconds = 0;
  long scriptPeakKb = 0;
  const bool scriptRan = tarnwick::bench::RunOnce({runner, "--db", scriptDb, "--new", script}, {},
                                                  scriptSeconds, scriptPeakKb);

  const double transcriptMb = FileMegabytes(utf8Output);
  const double scriptMb = FileMegabytes(script);
  std::printf("%-42s %12s %10s %8s %7s\n", "", "ours", "reference", "ratio", "target");
  PrintRow("1M-row SELECT UTF-8, s (sqlite3 column)", utf8.Median(), shell.Median(), 0.6);
  PrintRow("1M-row SELECT --sjis, s (sqlite3 column)", sjis.Median(), shell.Median(), 0.6);
  PrintRow("1M rows in the window, s (tarnwick-run)", window.Median(), utf8.Median(), 1.15);
  PrintRow("window growth from F5, MB (transcript, MB)", windowFigures.growthKb / 1024.0,
           transcriptMb, 2.5);
  PrintRow("window process peak, MB (transcript, MB)", window.peakKb / 1024.0, transcriptMb, 2.5);
  PrintRow("50 MB script peak, MB (script, MB)", scriptPeakKb / 1024.0, scriptMb, 2.5);
  std::printf(
      "\nPeak memory, MB: tarnwick-run SELECT %.1f, --sjis %.1f, sqlite3 %.1f; "
      "transcript %.1f MB (sqlite3's %.1f MB)\n",
      utf8.peakKb / 1024.0, sjis.peakKb / 1024.0, shell.peakKb / 1024.0, transcriptMb,
      FileMegabytes(shellOutput));
  std::printf("Window pane lines after the SELECT: %d; the script ran in %.1f s\n", paneLines,
              scriptSeconds);

  fs::remove_all(dir);
  const bool failed = utf8.failed || sjis.failed || shell.failed || window.failed || !scriptRan ||
                      paneLines < kRows;
  return failed ? 1 : 0;
}
