// Several programs on one database, as a class has them: tarnwick-run processes writing rows
// while other tarnwick-run processes compact or reset the same file, and processes killed with
// SIGKILL in the middle of a compaction or a reset. Every round checks that the database passes
// the engine's integrity check and holds every row that a program reported OK.
//
//   stress_shared_database PATH-OF-tarnwick-run [ROUNDS-SCALE]
//
// Prints one line per part and "N passed, M failed" at the end; the exit status is 0 only when
// every round of every part held.
#include <fcntl.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::string runner;  // the tarnwick-run program
int failures = 0;
int passes = 0;

void Check(bool held, const std::string& what) {
  if (held) return;
  ++failures;
  std::fprintf(stderr, "FAILED: %s\n", what.c_str());
}

class Folder {
 public:
  Folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarnwick-stress-XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
  }
  ~Folder() { std::filesystem::remove_all(path_); }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Starts tarnwick-run with the arguments, its standard output into a file (or nowhere).
pid_t Start(const std::vector<std::string>& arguments, const std::string& outFile = {}) {
  const pid_t child = fork();
  if (child == 0) {
    const int out = outFile.empty() ? open("/dev/null", O_WRONLY)
                                    : open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int null = open("/dev/null", O_RDWR);
    dup2(out, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    dup2(null, STDIN_FILENO);
    std::vector<char*> argv{const_cast<char*>(runner.c_str())};
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(runner.c_str(), argv.data());
    _exit(127);
  }
  return child;
}

int Wait(pid_t child) {
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int Run(const std::vector<std::string>& arguments, const std::string& outFile = {}) {
  return Wait(Start(arguments, outFile));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Queries of the checker itself, straight to the engine.
class Database {
 public:
  explicit Database(const std::string& path) {
    sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
  }
  ~Database() { sqlite3_close_v2(db_); }
  std::vector<std::string> Column(const std::string& sql) {
    std::vector<std::string> values;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
      return {"(error: " + std::string(sqlite3_errmsg(db_)) + ")"};
    }
    while (sqlite3_step(statement) == SQLITE_ROW) {
      const unsigned char* text = sqlite3_column_text(statement, 0);
      values.emplace_back(text ? reinterpret_cast<const char*>(text) : "");
    }
    sqlite3_finalize(statement);
    return values;
  }
  std::string Value(const std::string& sql) {
    const std::vector<std::string> values = Column(sql);
    return values.empty() ? std::string() : values.front();
  }

 private:
  sqlite3* db_ = nullptr;
};

std::string Pad() { return std::string(900, 'x'); }

// What a writer's transcript reports: the rows it inserted with OK, and the blocks of rows a
// DELETE removed with OK.
struct Reported {
  std::set<long> inserted;
  std::set<long> deleted;
  long lastInserted = 0;
};

Reported ReadTranscript(const std::string& transcript) {
  Reported reported;
  std::istringstream lines(transcript);
  std::string line, pending;
  while (std::getline(lines, line)) {
    if (line.starts_with("INSERT INTO t VALUES (") ||
        line.starts_with("DELETE FROM t WHERE i BETWEEN ")) {
      pending = line;
    } else if (!pending.empty() && (line == "OK" || line.starts_with("ERROR!"))) {
      if (line == "OK") {
        if (pending.starts_with("INSERT")) {
          const long k = std::atol(pending.c_str() + 22);
          reported.inserted.insert(k);
          reported.lastInserted = k;
        } else {
          long from = 0, to = 0;
          std::sscanf(pending.c_str(), "DELETE FROM t WHERE i BETWEEN %ld AND %ld", &from, &to);
          for (long k = from; k <= to; ++k) reported.deleted.insert(k);
        }
      }
      pending.clear();
    }
  }
  return reported;
}

// A script of inserts numbered from `first`, every twentieth statement deleting a block of ten
// rows inserted before, so that pages keep coming free for the compactions.
std::string WriterScript(long first, int statements, bool recreateTable) {
  std::string script;
  for (long k = first; k < first + statements; ++k) {
    if (recreateTable) script += "CREATE TABLE IF NOT EXISTS t (i INTEGER, pad MEMO);\n";
    script += "INSERT INTO t VALUES (" + std::to_string(k) + ", '" + Pad() + "');\n";
    if ((k - first) % 20 == 19) {
      script += "DELETE FROM t WHERE i BETWEEN " + std::to_string(k - 19) + " AND " +
                std::to_string(k - 10) + ";\n";
    }
  }
  return script;
}

// The rows of t; none when the table is gone (a reset that came after the last insert).
std::set<long> RowsOf(Database& database) {
  std::set<long> rows;
  if (database.Value("SELECT count(*) FROM sqlite_master WHERE name = 't'") != "1") return rows;
  for (const std::string& value : database.Column("SELECT i FROM t")) {
    rows.insert(std::atol(value.c_str()));
  }
  return rows;
}

// Writers insert rows one statement at a time while compactions of the same file run, each in a
// process of its own; no row a writer reported OK may be lost.
void CompactionAgainstWriters(int rounds) {
  Folder folder;
  const std::string db = folder.File("shared.mdb");
  Run({"--db", db, "--new", "-c", "CREATE TABLE t (i INTEGER, pad MEMO);"});
  std::atomic<bool> compacting{true};
  int compactions = 0, refused = 0, failed = 0;
  std::thread compactor([&] {
    for (int round = 0; round < rounds; ++round) {
      const int status = Run({"--db", db, "--compact", "-c", ""});
      if (status == 0)
        ++compactions;
      else if (status == 2)
        ++refused;  // the writer held the lock past the busy timeout
      else
        ++failed;
    }
    compacting = false;
  });
  Reported all;
  long next = 1;
  int writers = 0;
  while (compacting) {
    const std::string script = folder.File("w.sql"), out = folder.File("w.out");
    WriteFile(script, WriterScript(next, 200, false));
    Run({"--db", db, script}, out);
    const Reported reported = ReadTranscript(ReadFile(out));
    all.inserted.insert(reported.inserted.begin(), reported.inserted.end());
    all.deleted.insert(reported.deleted.begin(), reported.deleted.end());
    next += 200;
    ++writers;
  }
  compactor.join();
  Database database(db);
  std::set<long> expected;
  for (long k : all.inserted) {
    if (!all.deleted.contains(k)) expected.insert(k);
  }
  const std::set<long> rows = RowsOf(database);
  const bool whole = database.Value("PRAGMA integrity_check") == "ok";
  Check(whole, "compaction: integrity_check");
  Check(rows == expected, "compaction: rows reported OK (" + std::to_string(expected.size()) +
                              " expected, " + std::to_string(rows.size()) + " found)");
  Check(failed == 0, "compaction: a compaction failed otherwise than by a busy refusal");
  Check(compactions > 0, "compaction: no compaction ran");
  std::printf(
      "compaction against writers: %d compaction processes (%d compacted, %d refused busy), "
      "%d writer processes, %zu rows reported OK, %zu found\n",
      rounds, compactions, refused, writers, expected.size(), rows.size());
  passes += rows == expected && whole && failed == 0 && compactions > 0 ? 1 : 0;
}

// The rows a reset may leave of a writer that went on after it: those it reported OK from some
// row on (all rows before were dropped), none it did not report, and, when the writer was still
// running after the reset, its very last one.
bool HoldsTheRowsAfterTheReset(const std::set<long>& rows, const Reported& reported,
                               bool writerOutlivedReset) {
  for (long k : rows) {
    if (!reported.inserted.contains(k) || reported.deleted.contains(k)) return false;
  }
  for (long k : reported.inserted) {
    if (!rows.empty() && k > *rows.begin() && !reported.deleted.contains(k) && !rows.contains(k)) {
      return false;
    }
  }
  return !writerOutlivedReset || reported.inserted.empty() || rows.contains(reported.lastInserted);
}

// A writer inserts rows one statement at a time, making its table again when it is gone, while
// another process resets the database; every row reported OK after the reset must be in the
// file the database's name leads to.
void ResetAgainstWriter(int rounds, std::mt19937& random) {
  int held = 0, middle = 0;
  for (int round = 0; round < rounds; ++round) {
    Folder folder;
    const std::string db = folder.File("shared.mdb");
    Run({"--db", db, "--new", "-c", "CREATE TABLE t (i INTEGER, pad MEMO);"});
    const std::string script = folder.File("w.sql"), out = folder.File("w.out");
    WriteFile(script, WriterScript(1, 2000, true));
    // The engine's own SQL for the writer's CREATE TABLE IF NOT EXISTS.
    const pid_t writer = Start({"--db", db, "--dialect", "engine", script}, out);
    // The reset comes once the writer has written its first rows (its transcript shows), at a
    // random moment early in its run.
    const auto giveUp = Clock::now() + std::chrono::seconds(10);
    std::error_code error;
    while (std::filesystem::file_size(out, error) == 0 && Clock::now() < giveUp) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(random() % 30));
    const int reset = Run({"--db", db, "--new", "-c", ""});
    const auto resetEnd = Clock::now();
    Wait(writer);
    // A writer that ends well after the reset was still writing when the reset was done.
    const bool writerOutlivedReset = Clock::now() - resetEnd > std::chrono::milliseconds(30);
    const Reported reported = ReadTranscript(ReadFile(out));
    Database database(db);
    const std::set<long> rows = RowsOf(database);
    const bool whole = database.Value("PRAGMA integrity_check") == "ok";
    const bool kept = HoldsTheRowsAfterTheReset(rows, reported, writerOutlivedReset);
    middle += writerOutlivedReset ? 1 : 0;
    const std::string name = "reset round " + std::to_string(round);
    Check(whole, name + ": integrity_check");
    Check(reset == 0 || reset == 2, name + ": reset status " + std::to_string(reset));
    Check(kept, name + ": " + std::to_string(rows.size()) + " rows, last reported OK " +
                    std::to_string(reported.lastInserted));
    held += whole && kept ? 1 : 0;
  }
  Check(middle >= rounds / 2, "reset: too few resets fell in the middle of a writer's run");
  std::printf(
      "reset against a writer: %d rounds (%d with the writer still running after the "
      "reset), %d held\n",
      rounds, middle, held);
  passes += held == rounds && middle >= rounds / 2 ? 1 : 0;
}

// A database of 2000 rows after as many were deleted, so that compaction has work to do.
void MakeBase(const std::string& db) {
  Run({"--db", db, "--new", "--dialect", "engine", "-c",
       "CREATE TABLE t (i INTEGER, pad MEMO);"
       "INSERT INTO t WITH RECURSIVE n(k) AS (SELECT 1 UNION ALL SELECT k + 1 FROM n WHERE k < "
       "4000) "
       "SELECT k, printf('%0900d', k) FROM n;"
       "DELETE FROM t WHERE i % 2 = 0;"});
}

// A compaction or a reset killed with SIGKILL at a random moment: the database must be whole
// and hold either every row, or (a reset that went through) none.
void KilledInTheMiddle(int rounds, std::mt19937& random) {
  Folder folder;
  const std::string base = folder.File("base.mdb"), db = folder.File("work.mdb");
  MakeBase(base);
  // How long each operation takes when left alone, to spread the kills over it.
  long spans[2] = {0, 0};
  for (int reset = 0; reset < 2; ++reset) {
    std::filesystem::copy_file(base, db, std::filesystem::copy_options::overwrite_existing);
    const auto start = Clock::now();
    Run({"--db", db, reset ? "--new" : "--compact", "-c", ""});
    spans[reset] =
        std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
  }
  int held = 0, killed = 0;
  for (int round = 0; round < rounds; ++round) {
    const bool reset = round % 2 == 1;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
      std::filesystem::remove(db + suffix);
    std::filesystem::copy_file(base, db);
    const pid_t child = Start({"--db", db, reset ? "--new" : "--compact", "-c", ""});
    std::this_thread::sleep_for(std::chrono::microseconds(random() % (spans[reset] + 1)));
    kill(child, SIGKILL);
    killed += Wait(child) == -1 ? 1 : 0;
    Database database(db);
    const bool whole = database.Value("PRAGMA integrity_check") == "ok";
    const std::string rows = database.Value("SELECT count(*) || ' ' || sum(i) FROM t");
    const bool allRows = rows == "2000 4000000";
    const bool emptied =
        database.Value("SELECT count(*) FROM sqlite_master WHERE name NOT LIKE 'sqlite%'") == "0";
    const bool kept = allRows || (reset && emptied);
    Check(whole, std::string(reset ? "killed reset" : "killed compaction") + " round " +
                     std::to_string(round) + ": integrity_check");
    Check(kept, std::string(reset ? "killed reset" : "killed compaction") + " round " +
                    std::to_string(round) + ": rows " + rows);
    held += whole && kept ? 1 : 0;
  }
  std::printf("killed compactions and resets: %d rounds (%d killed before their end), %d held\n",
              rounds, killed, held);
  passes += held == rounds ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: stress_shared_database PATH-OF-tarnwick-run [ROUNDS-SCALE]\n");
    return 2;
  }
  runner = argv[1];
  const int scale = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
  std::mt19937 random(std::random_device{}());
  const auto start = Clock::now();
  CompactionAgainstWriters(60 * scale);
  ResetAgainstWriter(50 * scale, random);
  KilledInTheMiddle(200 * scale, random);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  std::printf("time: %.1f s\n%d passed, %d failed\n", seconds, passes, 3 - passes);
  return failures == 0 ? 0 : 1;
}
