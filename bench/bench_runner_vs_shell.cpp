// tarnwick-run side by side with the sqlite3 shell: 10,000 INSERT statements from a script
// file, a 100,000-row SELECT written as a text grid, and the same rows through an
// expression-heavy Jet SELECT against the nearest plain statement of the engine's own. Wall
// time is the best of three runs, memory the largest peak resident size of a run. Prints a
// table with the ratios and targets.
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "ChildTiming.h"

namespace {

namespace fs = std::filesystem;
using tarnwick::bench::Measure;
using tarnwick::bench::Measurement;
using tarnwick::bench::PrintRow;

constexpr int kInsertCount = 10'000;
constexpr int kSelectRows = 100'000;

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

std::string InsertScript() {
  std::string script = "CREATE TABLE t (id INTEGER, name CHAR(30), price DOUBLE);\n";
  for (int i = 1; i <= kInsertCount; ++i) {
    script += "INSERT INTO t VALUES (" + std::to_string(i) + ", 'name " + std::to_string(i) +
              "', " + std::to_string(i) + ".25);\n";
  }
  return script;
}

void RemoveDatabase(const fs::path& db) {
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
    fs::remove(db.string() + suffix);
  }
}

// Fills the table r of an existing database with kSelectRows rows in one transaction.
bool FillSelectTable(const fs::path& db) {
  sqlite3* handle = nullptr;
  if (sqlite3_open(db.c_str(), &handle) != SQLITE_OK) return false;
  const std::string fill =
      "BEGIN; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
      std::to_string(kSelectRows) +
      ") INSERT INTO r SELECT i, 'item ' || i, i * 0.25, i % 1000 FROM n; COMMIT;";
  const bool ok = sqlite3_exec(handle, fill.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(handle);
  return ok;
}

double FileMegabytes(const std::string& path) {
  std::error_code error;
  const auto bytes = fs::file_size(path, error);
  return error ? 0 : static_cast<double>(bytes) / (1 << 20);
}

}  // namespace

int main() {
  // The files go to $TMPDIR (or /tmp): the default shell syncs every statement to disk,
  // so its time depends on the file system there.
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tarnwick-bench-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) return 2;
  const fs::path dir = pattern;
  const std::string runner = TARNWICK_RUN_PATH;

  // 1. Inserts.
  const std::string script = InsertScript();
  WriteText(dir / "insert.sql", script);
  WriteText(dir / "insert-wal.sql",
            "PRAGMA journal_mode=WAL;\nPRAGMA synchronous=NORMAL;\n" + script);
  const fs::path ourDb = dir / "insert.mdb";
  const fs::path shellDb = dir / "shell.db";
  const Measurement oursInsert =
      Measure({runner, "--db", ourDb, "--new", (dir / "insert.sql").string()}, {});
  const Measurement shellDefault = Measure({"sqlite3", shellDb}, {(dir / "insert.sql").string()},
                                           [&] { RemoveDatabase(shellDb); });
  const Measurement shellWal = Measure({"sqlite3", shellDb}, {(dir / "insert-wal.sql").string()},
                                       [&] { RemoveDatabase(shellDb); });

  // 2. A large SELECT, on one database file for both.
  const fs::path selectDb = dir / "select.mdb";
  const Measurement create =
      Measure({runner, "--db", selectDb, "--new", "-c",
               "CREATE TABLE r (id INTEGER, name CHAR(40), price DOUBLE, qty INTEGER);"},
              {});
  if (create.failed || !FillSelectTable(selectDb)) {
    std::fprintf(stderr, "could not prepare the SELECT database in %s\n", dir.c_str());
    return 2;
  }
  const std::string ourOutput = (dir / "select-tarnwick.txt").string();
  const std::string shellOutput = (dir / "select-sqlite3.txt").string();
  const Measurement oursSelect =
      Measure({runner, "--db", selectDb, "-c", "SELECT * FROM r;"}, {"/dev/null", ourOutput});
  const Measurement shellSelect =
      Measure({"sqlite3", "-cmd", ".mode column", selectDb, "SELECT * FROM r;"},
              {"/dev/null", shellOutput});

  // 3. The same rows through Jet's &, Format, DateAdd and IIf, against ||, printf, strftime and
  // CASE in the shell.
  const Measurement oursExpressions =
      Measure({runner, "--db", selectDb, "-c",
               "SELECT name & ' 様', Format(price, '#,##0'), DateAdd('d', qty, #2024/01/01#), "
               "IIf(qty > 500, 'big', 'small') FROM r;"},
              {"/dev/null", (dir / "expressions-tarnwick.txt").string()});
  const Measurement shellExpressions =
      Measure({"sqlite3", "-cmd", ".mode column", selectDb,
               "SELECT name || ' 様', printf('%,d', CAST(round(price) AS INTEGER)), "
               "strftime('%Y-%m-%d', '2024-01-01', '+' || qty || ' days'), "
               "CASE WHEN qty > 500 THEN 'big' ELSE 'small' END FROM r;"},
              {"/dev/null", (dir / "expressions-sqlite3.txt").string()});

  const double ourPeakMb = oursSelect.peakKb / 1024.0;
  const double outputMb = FileMegabytes(ourOutput);
  std::printf("%-42s %12s %10s %8s %7s\n", "", "tarnwick-run", "reference", "ratio", "target");
  PrintRow("10,000 INSERTs, s (sqlite3 default)", oursInsert.seconds, shellDefault.seconds, 1.1);
  PrintRow("10,000 INSERTs, s (sqlite3 WAL+NORMAL)", oursInsert.seconds, shellWal.seconds, 1.1);
  PrintRow("100,000-row SELECT, s (sqlite3 column)", oursSelect.seconds, shellSelect.seconds, 1.0);
  PrintRow("100,000 rows, & Format DateAdd IIf, s", oursExpressions.seconds,
           shellExpressions.seconds, 2.0);
  PrintRow("SELECT peak memory, MB (its output, MB)", ourPeakMb, outputMb, 3.0);
  std::printf("\nPeak memory, MB: SELECT tarnwick-run %.1f, sqlite3 %.1f (output %.1f MB);\n",
              ourPeakMb, shellSelect.peakKb / 1024.0, FileMegabytes(shellOutput));
  std::printf("INSERTs tarnwick-run %.1f, sqlite3 %.1f.\n", oursInsert.peakKb / 1024.0,
              shellWal.peakKb / 1024.0);

  fs::remove_all(dir);
  const bool failed = oursInsert.failed || shellDefault.failed || shellWal.failed ||
                      oursSelect.failed || shellSelect.failed || oursExpressions.failed ||
                      shellExpressions.failed;
  return failed ? 1 : 0;
}
