// The import: every table of another database file taken over into the current one, through
// a second connection of its own.
#include <algorithm>
#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/KeyRowset.h"
#include "data/Statement.h"
#include "data/Udl.h"
#include "files/BuildCreateTableSql.h"
#include "files/CarryOverCounter.h"
#include "files/DatabaseSession.h"
#include "files/DatabaseUi.h"
#include "jet/JetTranslate.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/ResultPane.h"
#include "text/TarnwickError.h"

namespace tarnwick {
namespace {

// "TABLE_NAME = '<name>'" with every apostrophe of the name written twice, so that any name
// selects its own key rows.
std::string KeyFilter(std::string_view tableName) {
  std::string filter = "TABLE_NAME = '";
  for (char c : tableName) {
    filter += c;
    if (c == '\'') filter += '\'';
  }
  return filter + "'";
}

void CommitOrRollBack(Connection& connection) {
  try {
    connection.Commit();
  } catch (...) {
    if (connection.InTransaction()) connection.Rollback();
    throw;
  }
}

// Each field of the new row with the source field at the same position, looked up once per
// table: the fields of an open table keep their places.
std::vector<std::pair<Field*, const Field*>> PairFields(Table& source, Table& target) {
  std::vector<std::pair<Field*, const Field*>> pairs;
  const int count = std::min(source.FieldCount(), target.FieldCount());
  for (int p = 0; p < count; ++p) pairs.emplace_back(&target.FieldAt(p), &source.FieldAt(p));
  return pairs;
}

bool NumbersRows(const Table& table) {
  for (int p = 0; p < table.FieldCount(); ++p) {
    if (table.FieldAt(p).Kind() == ftAutoInc) return true;
  }
  return false;
}

// Appends and stores the source rows one by one. They are grouped into one commit, so that a
// table does not cost one disk sync per row; when a row fails, the rows stored before it are
// committed and stay. Inside a transaction the user began, the rows simply join it. A table
// that numbers its rows takes the source's counter first.
void CopyRows(Connection& from, Table& source, Table& target, Connection& connection) {
  const bool grouped = !connection.InTransaction();
  if (grouped) connection.BeginTransaction();
  try {
    if (NumbersRows(target)) {
      CarryOverCounter(from.Handle(), connection.Handle(), target.EngineName());
    }
    const auto pairs = PairFields(source, target);
    for (source.First(); !source.Eof(); source.Next()) {
      target.Append();
      for (const auto& [to, from] : pairs) to->Assign(*from);
      target.Post();
    }
  } catch (...) {
    if (grouped && connection.InTransaction()) CommitOrRollBack(connection);
    throw;
  }
  if (grouped) CommitOrRollBack(connection);
}

struct ImportTarget {
  Connection& connection;
  Query& query;
  Table& table;
  ResultPane& pane;
};

// Runs a statement of the Jet front end given as UTF-8, so that names console text cannot
// spell reach the engine whole.
void RunFrontEndStatement(Connection& connection, const std::string& utf8Sql) {
  sqlite3* db = connection.Handle();
  const StatementPtr statement = PrepareSingleStatement(db, TranslateJetSql(utf8Sql));
  RunToCompletion(db, statement.get());
}

// Creates the table in the current database and copies the source's rows into it; a failure
// is reported as "ERROR! " and the message, and the import goes on with the next table.
// Returns whether the table was imported.
bool ImportTable(ImportTarget& target, Connection& from, Table& source,
                 const std::string& utf8CreateSql) {
  try {
    RunFrontEndStatement(target.connection, utf8CreateSql);
    target.query.Close();
    target.table.Close();
    target.table.SetEngineTableName(source.EngineName());
    target.table.Open();
    CopyRows(from, source, target.table, target.connection);
    target.table.Close();
    target.pane.AppendLine(source.TableName() + Sjis("テーブルを取込みました"));
    return true;
  } catch (const TarnwickError& error) {
    target.table.Close();
    target.pane.AppendLine("ERROR! " + std::string(error.what()));
    return false;
  }
}

// Imports every table and returns how many failed; nothing when the other database cannot
// be connected.
// The other database is reached through the descriptor's text kept in memory: no cache
// descriptor is written, so no file of that name (or behind a link of that name) is touched.
// Tables keep the names the engine keeps, which console text shows with '?' where it cannot
// spell them.
std::optional<int> ImportTables(ImportTarget& target, std::string_view path) {
  Connection other;
  other.SetConnectionString(InitString(path));
  try {
    other.Open();
  } catch (const TarnwickError&) {
    return std::nullopt;
  }
  const std::vector<std::string> names = other.EngineTableNames();
  Table source(other);
  KeyRowset keys = other.PrimaryKeys();
  int failures = 0;
  for (const std::string& name : names) {
    source.SetEngineTableName(name);
    source.Open();
    keys.SetFilter(KeyFilter(source.TableName()));
    target.query.Close();
    if (!ImportTable(target, other, source, BuildEngineCreateTableSql(source, keys))) ++failures;
    source.Close();
  }
  return failures;
}

}  // namespace

int DatabaseSession::ImportDatabase(std::string_view path) {
  ImportTarget target{connection_, query_, table_, pane_};
  std::optional<int> failures;
  {
    BusyPointer busy(ui_);
    failures = ImportTables(target, path);
  }
  if (!failures) {
    pane_.AppendLine("Error! " + DeriveDatabaseNames(path).MdbName +
                     Sjis("ファイルへの接続に失敗しました") + "\r\n\r\n");
    return 1;
  }
  pane_.AppendLine("OK\r\n");
  return *failures;
}

}  // namespace tarnwick
