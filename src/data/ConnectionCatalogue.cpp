// The catalogue side of the connection: the names of tables, views and procedures, the
// primary keys of the tables, and what the import carries over besides. On a Jet file the
// file answers.
#include <sqlite3.h>

#include "data/Connection.h"
#include "data/EngineError.h"
#include "data/Statement.h"
#include "data/mdb/JetDatabase.h"
#include "text/Cp932.h"

namespace tarnwick {

namespace {

// Tables and views as the user made them, in the order they were made. The engine's own
// tables begin with "sqlite_"; the program keeps its own under the prefix "__tarnwick".
constexpr std::string_view kUserObjects =
    "SELECT name, type = 'table' FROM sqlite_master WHERE type IN ('table', 'view')"
    " AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' AND name NOT LIKE '\\_\\_tarnwick%' ESCAPE '\\'"
    " ORDER BY rowid";

constexpr std::string_view kKeyColumns =
    "SELECT name, pk FROM pragma_table_info(?1) WHERE pk > 0 ORDER BY pk";

std::string ColumnText(sqlite3_stmt* stmt, int column) {
  const unsigned char* text = sqlite3_column_text(stmt, column);
  return text == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(text));
}

struct UserObject {
  std::string utf8Name;
  bool isTable;
};

std::vector<UserObject> UserObjects(sqlite3* db) {
  StatementPtr stmt = PrepareSingleStatement(db, kUserObjects);
  std::vector<UserObject> objects;
  int rc;
  while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    objects.push_back({ColumnText(stmt.get(), 0), sqlite3_column_int(stmt.get(), 1) != 0});
  }
  if (rc != SQLITE_DONE) throw EngineError(db);
  return objects;
}

void AddKeyRows(sqlite3* db, sqlite3_stmt* keyColumns, const std::string& utf8Table,
                std::vector<KeyRow>& rows) {
  sqlite3_reset(keyColumns);
  sqlite3_bind_text(keyColumns, 1, utf8Table.data(), static_cast<int>(utf8Table.size()),
                    SQLITE_STATIC);
  const std::string tableName = Utf8ToSjis(utf8Table);
  int rc;
  while ((rc = sqlite3_step(keyColumns)) == SQLITE_ROW) {
    KeyRow row;
    row.tableName = tableName;
    row.columnName = Utf8ToSjis(ColumnText(keyColumns, 0));
    row.ordinal = sqlite3_column_int64(keyColumns, 1);
    row.keyName = "PrimaryKey";
    rows.push_back(std::move(row));
  }
  if (rc != SQLITE_DONE) throw EngineError(db);
}

// The counter of a table that numbers its rows, kept by the engine in its table of counters
// (which exists only once some table has numbered rows).
std::optional<std::int64_t> EngineCounter(sqlite3* db, const std::string& utf8Table) {
  if (sqlite3_table_column_metadata(db, "main", "sqlite_sequence", nullptr, nullptr, nullptr,
                                    nullptr, nullptr, nullptr) != SQLITE_OK) {
    return std::nullopt;
  }
  StatementPtr read = PrepareSingleStatement(db, "SELECT seq FROM sqlite_sequence WHERE name = ?1");
  if (sqlite3_bind_text64(read.get(), 1, utf8Table.data(), utf8Table.size(), SQLITE_STATIC,
                          SQLITE_UTF8) != SQLITE_OK) {
    throw EngineError(db);
  }
  const int rc = sqlite3_step(read.get());
  if (rc == SQLITE_ROW) return sqlite3_column_int64(read.get(), 0);
  if (rc != SQLITE_DONE) throw EngineError(db);
  return std::nullopt;
}

}  // namespace

std::vector<std::string> Connection::TableNames() {
  EnsureOpen();
  if (IsJetSource()) return jet_->TableNames();
  std::vector<std::string> names;
  for (const UserObject& object : UserObjects(Handle())) {
    names.push_back(Utf8ToSjis(object.utf8Name));
  }
  return names;
}

std::vector<std::string> Connection::EngineTableNames() {
  std::vector<std::string> names;
  if (IsJetSource()) {
    for (const std::string& name : TableNames()) names.push_back(SjisToUtf8(name));
    return names;
  }
  for (UserObject& object : UserObjects(Handle())) names.push_back(std::move(object.utf8Name));
  return names;
}

std::vector<std::string> Connection::ProcedureNames() {
  EnsureOpen();  // the engine keeps no stored procedures
  return {};
}

KeyRowset Connection::PrimaryKeys() {
  EnsureOpen();
  if (IsJetSource()) return KeyRowset(jet_->PrimaryKeyRows());
  sqlite3* db = Handle();
  StatementPtr keyColumns = PrepareSingleStatement(db, kKeyColumns);
  std::vector<KeyRow> rows;
  for (const UserObject& object : UserObjects(db)) {
    if (object.isTable) AddKeyRows(db, keyColumns.get(), object.utf8Name, rows);
  }
  return KeyRowset(std::move(rows));
}

std::optional<std::int64_t> Connection::AutoNumberCounter(std::string_view sjisTable) {
  EnsureOpen();
  if (IsJetSource()) return jet_->AutoNumberCounter(sjisTable);
  return EngineCounter(Handle(), SjisToUtf8(sjisTable));
}

std::vector<SourceIndex> Connection::UniqueIndexes() {
  EnsureOpen();
  return IsJetSource() ? jet_->UniqueIndexes() : std::vector<SourceIndex>();
}

std::vector<SourceRelationship> Connection::Relationships() {
  EnsureOpen();
  return IsJetSource() ? jet_->Relationships() : std::vector<SourceRelationship>();
}

std::vector<SavedQuery> Connection::SavedQueries() {
  EnsureOpen();
  return IsJetSource() ? jet_->SavedQueries() : std::vector<SavedQuery>();
}

}  // namespace tarnwick
