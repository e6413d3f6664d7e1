#include "data/EngineCatalogue.h"

#include <sqlite3.h>

#include <algorithm>

#include "data/EngineError.h"
#include "jet/JetLexer.h"
#include "jet/JetSqlText.h"
#include "jet/JetViewTypes.h"
#include "jetlib/JetTypeNames.h"
#include "text/AsciiCase.h"

namespace tarnwick {

namespace {

// Temporary tables first, as the engine looks names up.
constexpr std::string_view kFindObject =
    "SELECT name, type = 'view', sql, 1 FROM sqlite_temp_master "
    "WHERE type IN ('table', 'view') AND name = ?1 COLLATE NOCASE UNION ALL "
    "SELECT name, type = 'view', sql, 0 FROM sqlite_master "
    "WHERE type IN ('table', 'view') AND name = ?1 COLLATE NOCASE";

constexpr std::string_view kColumns =
    "SELECT name, type, dflt_value IS NOT NULL, \"notnull\", pk FROM pragma_table_info(?1)";

// The indexes the user made (named) and those of unique constraints (named in the table's
// definition, if at all); the primary key comes from the columns.
constexpr std::string_view kIndexes =
    "SELECT il.name, il.\"unique\", il.origin, ii.name FROM pragma_index_list(?1) AS il, "
    "pragma_index_info(il.name) AS ii WHERE il.origin <> 'pk' ORDER BY il.seq, ii.seqno";

// What a table made again must make again: its indexes and triggers, but not the counter's
// triggers, which are made with the table.
constexpr std::string_view kOtherDefinitions =
    "SELECT sql FROM (SELECT sql, name, tbl_name, type FROM sqlite_temp_master UNION ALL "
    "SELECT sql, name, tbl_name, type FROM sqlite_master) WHERE tbl_name = ?1 COLLATE NOCASE "
    "AND type IN ('index', 'trigger') AND sql IS NOT NULL "
    "AND name NOT LIKE '\\_\\_tarnwick\\_counter\\_%' ESCAPE '\\'";

constexpr std::string_view kReferringTables =
    "SELECT m.name FROM sqlite_master AS m, pragma_foreign_key_list(m.name) AS f "
    "WHERE m.type = 'table' AND f.\"table\" = ?1 COLLATE NOCASE AND m.name <> ?1 COLLATE NOCASE "
    "GROUP BY m.name ORDER BY min(m.rowid)";

constexpr std::string_view kFindProcedure =
    "SELECT name, parameters, statement FROM \"__tarnwick_procedures\" WHERE name = ?1";

// The schema cookies of the file and of the temporary tables: each changes whenever a
// definition there does.
constexpr std::string_view kMainVersion = "PRAGMA main.schema_version";
constexpr std::string_view kTempVersion = "PRAGMA temp.schema_version";

std::string ColumnText(sqlite3_stmt* stmt, int column) {
  const unsigned char* text = sqlite3_column_text(stmt, column);
  return text == nullptr ? std::string() : std::string(reinterpret_cast<const char*>(text));
}

void BindText(sqlite3* db, sqlite3_stmt* stmt, std::string_view text) {
  if (sqlite3_bind_text64(stmt, 1, text.data(), text.size(), SQLITE_STATIC, SQLITE_UTF8) !=
      SQLITE_OK) {
    throw EngineError(db);
  }
}

std::string Key(std::string_view name) { return UpperAscii(name); }

bool TableExists(sqlite3* db, std::string_view table) {
  const std::string name(table);
  return sqlite3_table_column_metadata(db, "main", name.c_str(), nullptr, nullptr, nullptr, nullptr,
                                       nullptr, nullptr) == SQLITE_OK;
}

// Runs a statement of the program's own with its parameter 1 the name, a row at a time.
template <typename EachRow>
void ForEachRow(sqlite3* db, std::string_view sql, std::string_view name, EachRow eachRow) {
  StatementPtr stmt = PrepareSingleStatement(db, sql);
  BindText(db, stmt.get(), name);
  int rc;
  while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) eachRow(stmt.get());
  if (rc != SQLITE_DONE) throw EngineError(db);
}

bool IsAutoIncrement(sqlite3* db, const std::string& table, const std::string& column) {
  int autoIncrement = 0;
  return sqlite3_table_column_metadata(db, nullptr, table.c_str(), column.c_str(), nullptr, nullptr,
                                       nullptr, nullptr, &autoIncrement) == SQLITE_OK &&
         autoIncrement != 0;
}

// The user's tables and views: the engine's own begin with "sqlite_", the program's with
// "__tarnwick".
constexpr const char* kUserTableNames =
    "SELECT name FROM sqlite_master WHERE type IN ('table', 'view')"
    " AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' AND name NOT LIKE '\\_\\_tarnwick%' ESCAPE '\\'"
    " ORDER BY rowid";

}  // namespace

std::vector<std::string> CatalogueNames(sqlite3* db, const char* sql,
                                        const std::string& parameter) {
  std::vector<std::string> names;
  sqlite3_stmt* stmt = nullptr;
  if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) != SQLITE_OK) return names;
  if (!parameter.empty()) {
    sqlite3_bind_text64(stmt, 1, parameter.data(), parameter.size(), SQLITE_STATIC, SQLITE_UTF8);
  }
  while (sqlite3_step(stmt) == SQLITE_ROW) names.push_back(ColumnText(stmt, 0));
  sqlite3_finalize(stmt);
  return names;
}

std::vector<std::string> UserTableNames(sqlite3* db) { return CatalogueNames(db, kUserTableNames); }

std::int64_t EngineCatalogue::Version(StatementPtr& query, std::string_view sql) {
  if (!query) query = PrepareSingleStatement(db_, sql);
  sqlite3_stmt* stmt = query.get();
  const int rc = sqlite3_step(stmt);
  const std::int64_t version = rc == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : -1;
  sqlite3_reset(stmt);
  if (rc != SQLITE_ROW) throw EngineError(db_);
  return version;
}

unsigned EngineCatalogue::DataVersion() const {
  unsigned version = 0;
  sqlite3_file_control(db_, "main", SQLITE_FCNTL_DATA_VERSION, &version);
  return version;
}

void EngineCatalogue::Refresh() {
  if (!checkNeeded_) return;
  const std::int64_t main = Version(mainVersionQuery_, kMainVersion);
  const std::int64_t temp = Version(tempVersionQuery_, kTempVersion);
  if (main != mainVersion_ || temp != tempVersion_) Forget();
  mainVersion_ = main;
  tempVersion_ = temp;
  dataVersion_ = DataVersion();
  checkNeeded_ = false;
}

void EngineCatalogue::AfterStatement(sqlite3_stmt* stmt, bool definitions) {
  if (definitions || PreparedAgain(stmt)) Forget();
  // A statement that wrote and committed moves the version on by one.
  const bool committed = sqlite3_get_autocommit(db_) != 0 && sqlite3_stmt_readonly(stmt) == 0;
  const unsigned version = DataVersion();
  if (version != dataVersion_ + (committed ? 1u : 0u)) checkNeeded_ = true;
  dataVersion_ = version;
}

bool EngineCatalogue::Recheck() {
  const unsigned generation = generation_;
  checkNeeded_ = true;
  Refresh();
  return generation != generation_;
}

void EngineCatalogue::DefinitionsChanged() {
  Forget();
  checkNeeded_ = true;
}

bool EngineCatalogue::PreparedAgain(sqlite3_stmt* stmt) {
  if (sqlite3_stmt_status(stmt, SQLITE_STMTSTATUS_REPREPARE, 1) == 0) return false;
  DefinitionsChanged();
  return true;
}

void EngineCatalogue::Forget() {
  tables_.clear();
  ++generation_;
}

const JetSchemaTable* EngineCatalogue::FindTable(std::string_view name) {
  std::string key = Key(name);
  const auto found = tables_.find(key);
  if (found != tables_.end()) return &found->second;
  JetSchemaTable table;
  if (!ReadTable(name, table)) return nullptr;
  return &tables_.emplace(std::move(key), std::move(table)).first->second;
}

bool EngineCatalogue::ReadTable(std::string_view name, JetSchemaTable& table) {
  StatementPtr find = PrepareSingleStatement(db_, kFindObject);
  BindText(db_, find.get(), name);
  const int rc = sqlite3_step(find.get());
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) throw EngineError(db_);
  if (rc == SQLITE_DONE) {
    // The engine's own catalogue tables (sqlite_master, ...) are listed nowhere.
    table.name = name;
    ReadColumns(table);
    return !table.columns.empty();
  }
  table.name = ColumnText(find.get(), 0);
  table.isView = sqlite3_column_int(find.get(), 1) != 0;
  table.definition = ColumnText(find.get(), 2);
  table.temporary = sqlite3_column_int(find.get(), 3) != 0;
  ReadColumns(table);
  if (table.isView) {
    // A view made by the front end records its columns' Jet types in its definition.
    const auto types = ReadJetViewTypeNote(table.definition);
    if (types && types->size() == table.columns.size()) {
      for (std::size_t i = 0; i < types->size(); ++i) table.columns[i].type = (*types)[i];
    }
    return true;
  }
  ReadIndexes(table);
  ReadOtherDefinitions(table);
  table.withoutRowId = WithoutRowId(table);
  return true;
}

// The columns with their Jet types, the primary key, the engine's row number and the counter.
void EngineCatalogue::ReadColumns(JetSchemaTable& table) {
  JetSchemaIndex key;
  key.primaryKey = true;
  key.unique = true;
  std::vector<std::pair<int, std::string>> keyColumns;
  std::string keyType;
  ForEachRow(db_, kColumns, table.name, [&](sqlite3_stmt* row) {
    JetSchemaColumn& column = table.columns.emplace_back();
    column.name = ColumnText(row, 0);
    const std::string declared = ColumnText(row, 1);
    column.type = JetTypeInfoOfDeclaration(declared);
    column.hasDefault = sqlite3_column_int(row, 2) != 0;
    column.notNull = sqlite3_column_int(row, 3) != 0;
    if (const int position = sqlite3_column_int(row, 4); position > 0) {
      keyColumns.emplace_back(position, column.name);
      keyType = declared;
    }
  });
  std::sort(keyColumns.begin(), keyColumns.end());
  for (auto& [position, column] : keyColumns) key.columns.push_back(std::move(column));
  if (table.isView) return;
  if (!key.columns.empty()) table.indexes.push_back(key);
  if (key.columns.size() == 1 && SameJetName(keyType, "INTEGER")) {
    table.rowIdColumn = key.columns[0];
  }
  for (JetSchemaColumn& column : table.columns) {
    if (column.name == table.rowIdColumn && IsAutoIncrement(db_, table.name, column.name)) {
      column.type.autoNumber = true;  // a counter as earlier versions made it
      table.autoIncrement = true;
    } else if (column.type.autoNumber) {
      table.counterColumn = column.name;
    }
  }
}

// A table kept without the engine's row numbers (WITHOUT ROWID).
bool EngineCatalogue::WithoutRowId(const JetSchemaTable& table) {
  StatementPtr query = PrepareSingleStatement(
      db_, "SELECT wr FROM pragma_table_list WHERE name = ?1 AND schema = ?2");
  BindText(db_, query.get(), table.name);
  const std::string_view schema = table.temporary ? "temp" : "main";
  if (sqlite3_bind_text(query.get(), 2, schema.data(), static_cast<int>(schema.size()),
                        SQLITE_STATIC) != SQLITE_OK) {
    throw EngineError(db_);
  }
  const int rc = sqlite3_step(query.get());
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) throw EngineError(db_);
  return rc == SQLITE_ROW && sqlite3_column_int(query.get(), 0) != 0;
}

void EngineCatalogue::ReadIndexes(JetSchemaTable& table) {
  std::string last;
  ForEachRow(db_, kIndexes, table.name, [&](sqlite3_stmt* row) {
    const std::string index = ColumnText(row, 0);
    if (index != last) {
      JetSchemaIndex& added = table.indexes.emplace_back();
      // The index of a unique constraint has the engine's name, which no statement uses.
      if (ColumnText(row, 2) == "c") added.name = index;
      added.unique = sqlite3_column_int(row, 1) != 0;
    }
    last = index;
    table.indexes.back().columns.push_back(ColumnText(row, 3));
  });
}

void EngineCatalogue::ReadOtherDefinitions(JetSchemaTable& table) {
  ForEachRow(db_, kOtherDefinitions, table.name,
             [&](sqlite3_stmt* row) { table.otherDefinitions.push_back(ColumnText(row, 0)); });
}

std::vector<std::string> EngineCatalogue::ReferringTables(std::string_view name) {
  std::vector<std::string> tables;
  ForEachRow(db_, kReferringTables, name,
             [&](sqlite3_stmt* row) { tables.push_back(ColumnText(row, 0)); });
  return tables;
}

std::optional<JetProcedure> EngineCatalogue::FindProcedure(std::string_view name) {
  if (!TableExists(db_, kProceduresTable)) return std::nullopt;
  std::optional<JetProcedure> procedure;
  ForEachRow(db_, kFindProcedure, name, [&](sqlite3_stmt* row) {
    procedure = JetProcedure{ColumnText(row, 0), ColumnText(row, 1), ColumnText(row, 2)};
  });
  return procedure;
}

std::vector<JetValue> EngineCatalogue::ColumnValues(std::string_view engineSql) {
  StatementPtr stmt = PrepareSingleStatement(db_, engineSql);
  std::vector<JetValue> values;
  int rc;
  while ((rc = sqlite3_step(stmt.get())) == SQLITE_ROW) {
    JetValue& value = values.emplace_back();
    switch (sqlite3_column_type(stmt.get(), 0)) {
      case SQLITE_NULL:
        break;
      case SQLITE_INTEGER:
        value.kind = JetValue::Kind::Integer;
        value.integer = sqlite3_column_int64(stmt.get(), 0);
        break;
      case SQLITE_FLOAT:
        value.kind = JetValue::Kind::Real;
        value.real = sqlite3_column_double(stmt.get(), 0);
        break;
      default:
        value.kind = JetValue::Kind::Text;
        value.text = ColumnText(stmt.get(), 0);
        break;
    }
  }
  if (rc != SQLITE_DONE) throw EngineError(db_);
  return values;
}

}  // namespace tarnwick
