#include "data/ColumnKind.h"

#include <sqlite3.h>

namespace tarnwick {

namespace {

bool IsAutoIncrement(sqlite3_stmt* stmt, int column) {
  const char* database = sqlite3_column_database_name(stmt, column);
  const char* table = sqlite3_column_table_name(stmt, column);
  const char* origin = sqlite3_column_origin_name(stmt, column);
  if (database == nullptr || table == nullptr || origin == nullptr) return false;
  int autoIncrement = 0;
  return sqlite3_table_column_metadata(sqlite3_db_handle(stmt), database, table, origin, nullptr,
                                       nullptr, nullptr, nullptr, &autoIncrement) == SQLITE_OK &&
         autoIncrement != 0;
}

}  // namespace

TFieldType ColumnKind(sqlite3_stmt* stmt, int column) {
  const char* declared = sqlite3_column_decltype(stmt, column);
  if (declared == nullptr || *declared == '\0') return ftWideString;
  return IsAutoIncrement(stmt, column) ? ftAutoInc : KindFromDeclaredType(declared);
}

}  // namespace tarnwick
