#include "data/EngineError.h"

#include <sqlite3.h>

#include "data/EngineCatalogue.h"
#include "data/EngineFailure.h"
#include "text/messages/Message.h"

namespace tarnwick {

namespace {

constexpr const char* kParents = "SELECT DISTINCT \"table\" FROM pragma_foreign_key_list(?1)";
constexpr const char* kChildren =
    "SELECT DISTINCT m.name FROM sqlite_master AS m, pragma_foreign_key_list(m.name) AS f"
    " WHERE m.type = 'table' AND f.\"table\" = ?1 COLLATE NOCASE ORDER BY m.rowid";

EngineFailure FailureOf(sqlite3* db, sqlite3_stmt* stmt, std::string_view utf8Sql = {}) {
  EngineFailure failure;
  if (db == nullptr) {
    failure.code = SQLITE_NOMEM;
    return failure;
  }
  failure.code = sqlite3_extended_errcode(db);
  failure.text = sqlite3_errmsg(db);
  if (const char* file = sqlite3_db_filename(db, "main")) failure.file = file;
  failure.statement = utf8Sql;
  if (stmt != nullptr) {
    if (const char* sql = sqlite3_sql(stmt)) failure.statement = sql;
  }
  if (failure.code == SQLITE_CONSTRAINT_FOREIGNKEY) {
    const std::string table = TargetOf(failure.statement).table;
    if (!table.empty()) {
      failure.parents = CatalogueNames(db, kParents, table);
      failure.children = CatalogueNames(db, kChildren, table);
    }
  } else if (failure.text.starts_with("no such table: ")) {
    failure.tables = UserTableNames(db);
  }
  return failure;
}

}  // namespace

msg::Message EngineMessage(sqlite3* db) { return EngineFailureMessage(FailureOf(db, nullptr)); }

msg::Message EngineMessage(int code) {
  EngineFailure failure;
  failure.code = code;
  failure.text = sqlite3_errstr(code);
  return EngineFailureMessage(failure);
}

TarnwickError EngineError(sqlite3* db) {
  return TarnwickError(EngineFailureMessage(FailureOf(db, nullptr)));
}

TarnwickError EngineError(sqlite3* db, sqlite3_stmt* stmt) {
  return TarnwickError(EngineFailureMessage(FailureOf(db, stmt)));
}

TarnwickError EngineError(sqlite3* db, std::string_view utf8Sql) {
  return TarnwickError(EngineFailureMessage(FailureOf(db, nullptr, utf8Sql)));
}

}  // namespace tarnwick
