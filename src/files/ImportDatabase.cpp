// The import: every table of another database file taken over into the current one, through
// a second connection of its own.
#include <algorithm>
#include <deque>
#include <exception>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "data/AttachedSource.h"
#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/JetFile.h"
#include "data/KeyRowset.h"
#include "data/Udl.h"
#include "files/BuildCreateTableSql.h"
#include "files/CarryOverCounter.h"
#include "files/DatabaseSession.h"
#include "files/DatabaseUi.h"
#include "files/ImportCatalogue.h"
#include "files/SavedQueryImport.h"
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

// One table's creation, rows and indexes as one transaction of the current database, so that
// a table does not cost one disk sync per row. Inside a transaction the user began, they
// simply join it.
class TableTransaction {
 public:
  explicit TableTransaction(Connection& connection)
      : connection_(connection), owned_(!connection.InTransaction()) {
    if (!owned_) return;
    connection_.BeginTransaction();
    // Rows that refer to rows of their own table may come before the rows they refer to.
    connection_.DeferForeignKeyChecks();
  }
  ~TableTransaction() {
    try {
      if (owned_) connection_.Rollback();  // nothing to undo once committed
    } catch (const TarnwickError&) {
      // Closing the connection undoes it; the failure that led here is the one reported.
    }
  }
  TableTransaction(const TableTransaction&) = delete;
  TableTransaction& operator=(const TableTransaction&) = delete;

  void Commit() {
    if (owned_ && connection_.InTransaction()) CommitOrRollBack(connection_);
  }
  // After a failure: the rows stored before a row the current database refused stay; when the
  // other database could not be read, nothing of the table stays.
  // The failure that led here is the one reported, also when keeping or undoing fails.
  void Fail(bool sourceUnreadable) {
    try {
      if (!sourceUnreadable) Commit();
    } catch (const TarnwickError&) {
    }
  }

 private:
  Connection& connection_;
  bool owned_;
};

// The engine gave up the table's whole transaction when its bulk copy failed: the table is
// imported again from its creation, row by row.
struct BulkCopyUndone {};

// Copies the source rows: with one statement of the engine when the source is attached, and
// otherwise, or when that statement fails, appending and storing them one by one, so that a
// row the current database refuses ends the table with the rows before it kept and the
// engine's message for that row. A table that numbers its rows takes the source's counter
// first.
void CopyRows(Connection& from, Table& source, Table& target, Connection& connection,
              AttachedSource* bulk) {
  if (NumbersRows(target)) {
    CarryOverCounter(from.AutoNumberCounter(source.TableName()), connection.Handle(),
                     target.EngineName());
  }
  if (bulk != nullptr) {
    if (bulk->CopyTable(target.EngineName())) return;
    if (!connection.InTransaction()) throw BulkCopyUndone{};
  }
  const auto pairs = PairFields(source, target);
  for (source.First(); !source.Eof(); source.Next()) {
    target.Append();
    for (const auto& [to, from] : pairs) to->Assign(*from);
    target.Post();
  }
}

struct ImportTarget {
  Connection& connection;
  Query& query;
  Table& table;
  ResultPane& pane;
};

// What one table of the other database becomes: its CREATE TABLE statement (UTF-8, the table
// under the name the engine keeps) and the statements of its unique indexes.
struct TablePlan {
  std::string utf8CreateSql;
  std::vector<std::string> indexSql;
};

void ExecuteStatement(Query& query, const std::string& sql) {
  query.SetSql(sql);
  query.ExecSql();
  query.Close();
}

// Creates the table in the current database, copies the source's rows into it (`bulk`: see
// CopyRows) and makes its unique indexes; a failure is reported as "ERROR! " and the message,
// and the import goes on with the next table. Returns whether the table was imported.
bool ImportTable(ImportTarget& target, Connection& from, Table& source, const TablePlan& plan,
                 AttachedSource* bulk) {
  std::optional<TableTransaction> transaction;
  try {
    transaction.emplace(target.connection);
    target.query.ExecUtf8Sql(plan.utf8CreateSql);
    target.query.Close();
    target.table.Close();
    target.table.SetEngineTableName(source.EngineName());
    target.table.Open();
    CopyRows(from, source, target.table, target.connection, bulk);
    target.table.Close();
    for (const std::string& sql : plan.indexSql) ExecuteStatement(target.query, sql);
    transaction->Commit();
    target.pane.AppendLine(source.TableName() + Sjis("テーブルを取込みました"));
    return true;
  } catch (const TarnwickError& error) {
    target.table.Close();
    target.query.Close();
    if (transaction) transaction->Fail(dynamic_cast<const JetFileUnreadable*>(&error) != nullptr);
    target.pane.AppendLine("ERROR! " + std::string(error.what()));
    return false;
  } catch (const BulkCopyUndone&) {
    target.table.Close();
    target.query.Close();
    transaction.reset();
    return ImportTable(target, from, source, plan, nullptr);
  }
}

// A stored procedure of the other database, made again in the current one as its CREATE
// PROCEDURE would make it; a failure is reported as "ERROR! " and the message.
bool ImportProcedure(ImportTarget& target, const JetProcedure& procedure) {
  std::string sql = "CREATE PROCEDURE [" + procedure.name + "]";
  if (!procedure.parameters.empty()) sql += " (" + procedure.parameters + ")";
  const std::string name = Utf8ToSjis(procedure.name);
  try {
    ExecuteStatement(target.query, Utf8ToSjis(sql + " AS " + procedure.statement));
  } catch (const TarnwickError& error) {
    target.query.Close();
    target.pane.AppendLine("ERROR! " + std::string(error.what()));
    return false;
  }
  target.pane.AppendLine(name + Sjis("プロシージャを取込みました"));
  return true;
}

// Why the other database could not be connected: a file that is no database, one that cannot
// be opened or read, a Jet file that says what is wrong with it.
struct ConnectFailure {
  std::string reason;
};

// The names the engine keeps (UTF-8) for the console-text names, in catalogue order: console
// text may spell two names alike, which then take their engine names in turn.
class EngineNames {
 public:
  explicit EngineNames(Connection& connection) {
    for (std::string& name : connection.EngineTableNames()) {
      byConsoleName_[Utf8ToSjis(name)].push_back(std::move(name));
    }
  }
  std::string Take(const std::string& sjisName) {
    std::deque<std::string>& names = byConsoleName_[sjisName];
    if (names.empty()) return SjisToUtf8(sjisName);
    std::string name = std::move(names.front());
    names.pop_front();
    return name;
  }

 private:
  std::map<std::string, std::deque<std::string>> byConsoleName_;
};

// Imports every table and returns how many failed; the reason the other database could not
// be connected otherwise. The other database is reached through the descriptor's text kept in
// memory: no cache descriptor is written, so no file of that name (or behind a link of that
// name) is touched. Tables keep the names the engine keeps, which console text shows with '?'
// where it cannot spell them.
std::variant<int, ConnectFailure> ImportTables(ImportTarget& target, std::string_view path) {
  Connection other(JetFiles::ReadOnly);
  other.SetConnectionString(InitString(path));
  try {
    other.Open();
  } catch (const TarnwickError& error) {
    return ConnectFailure{error.what()};
  }
  const ImportCatalogue catalogue(other);
  const std::vector<std::string> names = catalogue.ImportOrder(other.TableNames());
  EngineNames engineNames(other);
  Table source(other);
  KeyRowset keys = other.PrimaryKeys();
  // A source of our own engine is attached to the current database, so that each table's rows
  // are copied by one statement of the engine. (Attaching opens the current database, as the
  // first table's statement would: a source without tables leaves it as it is.)
  std::optional<AttachedSource> attached;
  if (!names.empty()) attached.emplace(target.connection, other);
  AttachedSource* bulk = attached && attached->Attached() ? &*attached : nullptr;
  std::set<std::string> imported;
  int failures = 0;
  for (const std::string& name : names) {
    // A Jet file's reader knows its tables by their console-text names.
    if (other.IsJetSource()) {
      source.SetTableName(name);
    } else {
      source.SetEngineTableName(engineNames.Take(name));
    }
    source.Open();
    keys.SetFilter(KeyFilter(name));
    target.query.Close();
    const TablePlan plan{
        BuildEngineCreateTableSql(source, keys, catalogue.ForeignKeysOf(name, imported)),
        catalogue.UniqueIndexStatements(name)};
    if (ImportTable(target, other, source, plan, bulk)) {
      imported.insert(name);
    } else {
      ++failures;
    }
    source.Close();
  }
  for (const JetProcedure& procedure : other.Procedures()) {
    if (!ImportProcedure(target, procedure)) ++failures;
  }
  ImportSavedQueries(target.query, catalogue.SavedQueries(), target.pane);
  return failures;
}

// The import writes Jet's statements, whatever the console's statements are written in.
class JetDialectWhile {
 public:
  explicit JetDialectWhile(Connection& connection)
      : connection_(connection), dialect_(connection.Dialect()) {
    connection_.SetDialect(SqlDialect::Jet);
  }
  ~JetDialectWhile() { connection_.SetDialect(dialect_); }
  JetDialectWhile(const JetDialectWhile&) = delete;
  JetDialectWhile& operator=(const JetDialectWhile&) = delete;

 private:
  Connection& connection_;
  SqlDialect dialect_;
};

}  // namespace

int DatabaseSession::ImportDatabase(std::string_view path) {
  const JetDialectWhile jet(connection_);
  ImportTarget target{connection_, query_, table_, pane_};
  std::variant<int, ConnectFailure> outcome;
  {
    BusyPointer busy(ui_);
    outcome = ImportTables(target, path);
  }
  if (const auto* failure = std::get_if<ConnectFailure>(&outcome)) {
    const std::string reason = failure->reason.empty() ? "" : "\r\n" + failure->reason;
    pane_.AppendLine("Error! " + DeriveDatabaseNames(path).MdbName +
                     Sjis("ファイルへの接続に失敗しました") + reason + "\r\n\r\n");
    return 1;
  }
  pane_.AppendLine("OK\r\n");
  return std::get<int>(outcome);
}

}  // namespace tarnwick
