// The catalogue side of the connection: the names of tables, views and procedures, the
// primary keys of the tables, and what the import carries over besides. On a Jet file the
// file answers.
#include <sqlite3.h>

#include "data/Connection.h"
#include "data/EngineError.h"
#include "data/Statement.h"
#include "data/mdb/JetDatabase.h"
#include "jet/JetSqlText.h"
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

bool HasTable(sqlite3* db, std::string_view table) {
  const std::string name(table);
  return sqlite3_table_column_metadata(db, "main", name.c_str(), nullptr, nullptr, nullptr, nullptr,
                                       nullptr, nullptr) == SQLITE_OK;
}

// The first column of the first row of a statement of the program's own whose parameter 1 is
// a name; nothing when it gives no row.
std::optional<std::int64_t> IntegerFor(sqlite3* db, std::string_view sql,
                                       const std::string& utf8Name) {
  StatementPtr read = PrepareSingleStatement(db, sql);
  if (sqlite3_bind_text64(read.get(), 1, utf8Name.data(), utf8Name.size(), SQLITE_STATIC,
                          SQLITE_UTF8) != SQLITE_OK) {
    throw EngineError(db);
  }
  const int rc = sqlite3_step(read.get());
  if (rc == SQLITE_ROW) return sqlite3_column_int64(read.get(), 0);
  if (rc != SQLITE_DONE) throw EngineError(db);
  return std::nullopt;
}

// The last number a table's counter handed out: the program keeps the counters of COUNTER
// columns; the engine keeps those of the tables that earlier versions made (its table of
// counters exists only once some table has numbered rows).
std::optional<std::int64_t> EngineCounter(sqlite3* db, const std::string& utf8Table) {
  if (HasTable(db, kCountersTable)) {
    const auto last = IntegerFor(
        db, "SELECT \"next\" - \"step\" FROM \"__tarnwick_counters\" WHERE \"table\" = ?1",
        utf8Table);
    if (last) return last;
  }
  if (!HasTable(db, "sqlite_sequence")) return std::nullopt;
  return IntegerFor(db, "SELECT seq FROM sqlite_sequence WHERE name = ?1", utf8Table);
}

// The unique indexes of one of the engine's tables besides its primary key: those the user
// made and those of its unique constraints.
void AddUniqueIndexes(sqlite3* db, const std::string& utf8Table,
                      std::vector<SourceIndex>& indexes) {
  StatementPtr read = PrepareSingleStatement(
      db,
      "SELECT il.name, ii.name, ix.\"desc\" FROM pragma_index_list(?1) AS il, "
      "pragma_index_info(il.name) AS ii, pragma_index_xinfo(il.name) AS ix "
      "WHERE il.\"unique\" AND il.origin <> 'pk' AND il.partial = 0 AND ix.cid = ii.cid "
      "AND ix.key ORDER BY il.seq, ii.seqno");
  sqlite3_bind_text(read.get(), 1, utf8Table.data(), static_cast<int>(utf8Table.size()),
                    SQLITE_STATIC);
  int rc;
  std::string last;
  while ((rc = sqlite3_step(read.get())) == SQLITE_ROW) {
    const std::string name = ColumnText(read.get(), 0);
    if (name != last) {
      SourceIndex& index = indexes.emplace_back();
      index.tableName = Utf8ToSjis(utf8Table);
      index.indexName = Utf8ToSjis(name);
      last = name;
    }
    indexes.back().columns.push_back(Utf8ToSjis(ColumnText(read.get(), 1)));
    indexes.back().descending.push_back(sqlite3_column_int(read.get(), 2) != 0);
  }
  if (rc != SQLITE_DONE) throw EngineError(db);
}

// The relationships of one of the engine's tables, each with its columns in order.
void AddRelationships(sqlite3* db, const std::string& utf8Table,
                      std::vector<SourceRelationship>& relationships) {
  StatementPtr read =
      PrepareSingleStatement(db,
                             "SELECT id, \"table\", \"from\", \"to\", on_update, on_delete "
                             "FROM pragma_foreign_key_list(?1) ORDER BY id, seq");
  sqlite3_bind_text(read.get(), 1, utf8Table.data(), static_cast<int>(utf8Table.size()),
                    SQLITE_STATIC);
  int rc;
  int last = -1;
  while ((rc = sqlite3_step(read.get())) == SQLITE_ROW) {
    const int id = sqlite3_column_int(read.get(), 0);
    if (id != last) {
      SourceRelationship& relationship = relationships.emplace_back();
      relationship.tableName = Utf8ToSjis(utf8Table);
      relationship.referencedTable = Utf8ToSjis(ColumnText(read.get(), 1));
      relationship.cascadeUpdates = ColumnText(read.get(), 4) == "CASCADE";
      relationship.cascadeDeletes = ColumnText(read.get(), 5) == "CASCADE";
      last = id;
    }
    SourceRelationship& relationship = relationships.back();
    relationship.columns.push_back(Utf8ToSjis(ColumnText(read.get(), 2)));
    relationship.referencedColumns.push_back(Utf8ToSjis(ColumnText(read.get(), 3)));
  }
  if (rc != SQLITE_DONE) throw EngineError(db);
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
  std::vector<std::string> names;
  for (const JetProcedure& procedure : Procedures()) names.push_back(Utf8ToSjis(procedure.name));
  return names;
}

// The engine keeps no stored procedures: the program keeps them in a table of its own.
std::vector<JetProcedure> Connection::Procedures() {
  EnsureOpen();
  if (IsJetSource()) return {};
  sqlite3* db = Handle();
  std::vector<JetProcedure> procedures;
  if (!HasTable(db, kProceduresTable)) return procedures;
  StatementPtr read = PrepareSingleStatement(
      db, "SELECT name, parameters, statement FROM \"__tarnwick_procedures\" ORDER BY rowid");
  int rc;
  while ((rc = sqlite3_step(read.get())) == SQLITE_ROW) {
    procedures.push_back(
        {ColumnText(read.get(), 0), ColumnText(read.get(), 1), ColumnText(read.get(), 2)});
  }
  if (rc != SQLITE_DONE) throw EngineError(db);
  return procedures;
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
  if (IsJetSource()) return jet_->UniqueIndexes();
  std::vector<SourceIndex> indexes;
  for (const UserObject& object : UserObjects(Handle())) {
    if (object.isTable) AddUniqueIndexes(Handle(), object.utf8Name, indexes);
  }
  return indexes;
}

std::vector<SourceRelationship> Connection::Relationships() {
  EnsureOpen();
  if (IsJetSource()) return jet_->Relationships();
  std::vector<SourceRelationship> relationships;
  for (const UserObject& object : UserObjects(Handle())) {
    if (object.isTable) AddRelationships(Handle(), object.utf8Name, relationships);
  }
  return relationships;
}

std::vector<SavedQuery> Connection::SavedQueries() {
  EnsureOpen();
  return IsJetSource() ? jet_->SavedQueries() : std::vector<SavedQuery>();
}

}  // namespace tarnwick
