// Importing a database with a 1,000,000-row table through the import (the source attached
// read-only, the rows copied by one INSERT INTO ... SELECT after the CREATE TABLE and the
// counter's carry-over, one transaction per table), side by side with the engine's own bulk
// copy of the same table (ATTACH and INSERT INTO ... SELECT), the bound, and with a row-by-row
// copy written directly against the engine's C interface (a prepared INSERT, each value bound
// from the source row, one transaction, the table's counter carried over first): what the
// import's fallback, storing one row at a time, costs in itself.
// All three run on connections opened by the data layer, so with the same engine settings.
// Two table shapes: a COUNTER key, whose auto-numbering the engine keeps up per inserted row
// unless the counter is ahead of it, and a plain INTEGER key. The runs alternate, each into a
// fresh database; the median of five of each is shown (the machine may be shared).
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/Statement.h"
#include "data/Udl.h"
#include "files/DatabaseSession.h"
#include "files/DatabaseUi.h"
#include "files/TemplateDatabase.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/ResultPane.h"

namespace {

using namespace tarnwick;

constexpr int kRows = 1'000'000;
constexpr int kRepeats = 5;

struct Shape {
  const char* title;
  const char* create;
};
constexpr Shape kShapes[] = {
    {"COUNTER key",
     "CREATE TABLE Items (ID COUNTER Primary Key, Name CHAR, Price MONEY, Qty INTEGER, "
     "Added DATETIME, Note MEMO)"},
    {"INTEGER key",
     "CREATE TABLE Items (ID INTEGER Primary Key, Name CHAR, Price MONEY, Qty INTEGER, "
     "Added DATETIME, Note MEMO)"},
};

class QuietUi : public DatabaseUi {
 public:
  void SetConnectCaption(std::string_view) override {}
  void BeginBusy() override {}
  void EndBusy() override {}
  void ShowError(std::string_view) override {}
};

// Points the connection at a fresh database from the template, with its descriptor.
void FreshDatabase(Connection& connection, const std::string& folder, const std::string& name) {
  WriteWholeFile(folder + name + ".mdb", TemplateDatabase());
  WriteUdlFile(folder + name + ".udl", folder + name + ".mdb");
  connection.SetConnectionString("FILE NAME=" + folder + name + ".udl");
  connection.Open();
}

void Run(Connection& connection, const std::string& sql) {
  Query query(connection);
  query.SetSql(sql);
  query.ExecSql();
}

// A statement for the engine itself, past the Jet front end.
void RunOnEngine(Connection& connection, const std::string& sql) {
  ExecuteInternal(connection.Handle(), sql);
}

void MakeSource(const std::string& folder, const Shape& shape) {
  Connection source;
  FreshDatabase(source, folder, "source");
  Run(source, shape.create);
  RunOnEngine(
      source,
      "INSERT INTO Items WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE "
      "i < " +
          std::to_string(kRows) +
          ") SELECT i, 'item number ' || i, i * 0.25, i % 100, '2012-02-22 10:00:00', "
          "CASE WHEN i % 3 = 0 THEN NULL ELSE 'note ' || i END FROM n");
}

void Require(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "bench_import: %s went wrong\n", what);
  std::exit(1);
}

std::int64_t RowCount(Connection& connection) {
  Table table(connection);
  table.SetTableName("Items");
  return table.RecordCount();
}

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double ImportOnce(const std::string& folder) {
  Connection connection;
  Query query(connection);
  Table table(connection);
  StringPane pane;
  QuietUi ui;
  DatabaseSession session(connection, query, table, pane, ui);
  session.DbDir = folder;
  session.MdbName = "import.mdb";
  session.UdlName = "import.udl";
  FreshDatabase(connection, folder, "import");
  const double seconds = Seconds([&] { session.ImportDatabase(folder + "source.mdb"); });
  Require(RowCount(connection) == kRows &&
              pane.Text() == Sjis("Itemsテーブルを取込みました\r\nOK\r\n\r\n"),
          "the import");
  return seconds;
}

double BulkCopyOnce(const std::string& folder, const Shape& shape) {
  Connection connection;
  FreshDatabase(connection, folder, "bulk");
  const double seconds = Seconds([&] {
    RunOnEngine(connection, "ATTACH DATABASE '" + folder + "source.mdb' AS other");
    Run(connection, shape.create);
    RunOnEngine(connection, "INSERT INTO main.Items SELECT * FROM other.Items");
    RunOnEngine(connection, "DETACH DATABASE other");
  });
  Require(RowCount(connection) == kRows, "the bulk copy");
  return seconds;
}

void Step(sqlite3* db, sqlite3_stmt* statement, int expected) {
  Require(sqlite3_step(statement) == expected, sqlite3_errmsg(db));
}

// The source's counter of a numbered table, written into the new database before the rows.
void CarryCounter(sqlite3* from, sqlite3* to) {
  sqlite3_stmt* read = nullptr;
  if (sqlite3_prepare_v2(from, "SELECT seq FROM sqlite_sequence WHERE name = 'Items'", -1, &read,
                         nullptr) == SQLITE_OK &&
      sqlite3_step(read) == SQLITE_ROW) {
    const std::string seq = std::to_string(sqlite3_column_int64(read, 0));
    sqlite3_exec(to, ("INSERT INTO sqlite_sequence VALUES ('Items', " + seq + ")").c_str(), nullptr,
                 nullptr, nullptr);
  }
  sqlite3_finalize(read);
}

double EngineRowsOnce(const std::string& folder, const Shape& shape) {
  Connection source;
  source.SetConnectionString("FILE NAME=" + folder + "source.udl");
  Connection target;
  FreshDatabase(target, folder, "rows");
  sqlite3* from = source.Handle();
  sqlite3* to = target.Handle();
  const double seconds = Seconds([&] {
    Run(target, shape.create);
    sqlite3_stmt* read = nullptr;
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(from, "SELECT * FROM Items", -1, &read, nullptr);
    sqlite3_prepare_v2(to, "INSERT INTO Items VALUES (?, ?, ?, ?, ?, ?)", -1, &insert, nullptr);
    sqlite3_exec(to, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    CarryCounter(from, to);
    while (sqlite3_step(read) == SQLITE_ROW) {
      for (int i = 0; i < 6; ++i) sqlite3_bind_value(insert, i + 1, sqlite3_column_value(read, i));
      Step(to, insert, SQLITE_DONE);
      sqlite3_reset(insert);
    }
    sqlite3_exec(to, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_finalize(read);
    sqlite3_finalize(insert);
  });
  Require(RowCount(target) == kRows, "the row-by-row copy");
  return seconds;
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

void Compare(const std::string& folder, const Shape& shape) {
  MakeSource(folder, shape);
  std::vector<double> import, bulk, rows;
  for (int i = 0; i < kRepeats; ++i) {
    import.push_back(ImportOnce(folder));
    bulk.push_back(BulkCopyOnce(folder, shape));
    rows.push_back(EngineRowsOnce(folder, shape));
  }
  const double bulkMedian = Median(bulk);
  std::printf("%d rows x 6 columns, %s              seconds   x bulk\n", kRows, shape.title);
  std::printf("  engine bulk copy (INSERT INTO ... SELECT)  %8.3f   %6.2f\n", bulkMedian, 1.0);
  std::printf("  engine C interface, one row at a time      %8.3f   %6.2f\n", Median(rows),
              Median(rows) / bulkMedian);
  std::printf("  ImportDatabase                             %8.3f   %6.2f  (target <= 1.20)\n",
              Median(import), Median(import) / bulkMedian);
}

}  // namespace

int main() {
  char pattern[] = "/tmp/tarnwick-bench-import-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 1;
  const std::string folder = std::string(pattern) + "/";
  for (const Shape& shape : kShapes) Compare(folder, shape);
  std::filesystem::remove_all(folder);
  return 0;
}
