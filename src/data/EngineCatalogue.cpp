#include "data/EngineCatalogue.h"

#include <sqlite3.h>

#include "data/EngineError.h"
#include "jet/JetTypeNames.h"
#include "jet/JetViewTypes.h"

namespace tarnwick {

namespace {

// Temporary tables first, as the engine looks names up. Only a view's definition is read.
constexpr std::string_view kFindObject =
    "SELECT name, type = 'view', CASE type WHEN 'view' THEN sql END FROM sqlite_temp_master "
    "WHERE type IN ('table', 'view') AND name = ?1 COLLATE NOCASE UNION ALL "
    "SELECT name, type = 'view', CASE type WHEN 'view' THEN sql END FROM sqlite_master "
    "WHERE type IN ('table', 'view') AND name = ?1 COLLATE NOCASE";

constexpr std::string_view kColumns =
    "SELECT name, type, dflt_value IS NOT NULL FROM pragma_table_info(?1)";

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

std::string Key(std::string_view name) {
  std::string key(name);
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return key;
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
  ReadColumns(table);
  if (table.isView) {
    // A view made by the front end records its columns' Jet types in its definition.
    const auto types = ReadJetViewTypeNote(ColumnText(find.get(), 2));
    if (types && types->size() == table.columns.size()) {
      for (std::size_t i = 0; i < types->size(); ++i) table.columns[i].type = (*types)[i];
    }
  }
  return true;
}

void EngineCatalogue::ReadColumns(JetSchemaTable& table) {
  StatementPtr columns = PrepareSingleStatement(db_, kColumns);
  BindText(db_, columns.get(), table.name);
  int rc;
  while ((rc = sqlite3_step(columns.get())) == SQLITE_ROW) {
    JetSchemaColumn& column = table.columns.emplace_back();
    column.name = ColumnText(columns.get(), 0);
    column.type = JetTypeInfoOfDeclaration(ColumnText(columns.get(), 1));
    column.hasDefault = sqlite3_column_int(columns.get(), 2) != 0;
    if (!table.isView && column.type.type == JetType::Long &&
        IsAutoIncrement(db_, table.name, column.name)) {
      column.type.autoNumber = true;
    }
  }
  if (rc != SQLITE_DONE) throw EngineError(db_);
}

}  // namespace tarnwick
