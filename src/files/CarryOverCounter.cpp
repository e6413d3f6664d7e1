#include "files/CarryOverCounter.h"

#include <sqlite3.h>

#include <cstdint>
#include <string>

#include "data/EngineError.h"
#include "data/Statement.h"
#include "jet/JetSqlText.h"

namespace tarnwick {

namespace {

// Runs a statement of the program's own whose parameters are the table name and a counter.
void RunForTable(sqlite3* db, std::string_view sql, std::string_view utf8Name,
                 std::int64_t counter) {
  StatementPtr stmt = PrepareWithText(db, sql, utf8Name);
  if (sqlite3_bind_int64(stmt.get(), 2, counter) != SQLITE_OK) throw EngineError(db);
  RunToCompletion(db, stmt.get());
}

bool HasTable(sqlite3* db, std::string_view table) {
  const std::string name(table);
  return sqlite3_table_column_metadata(db, "main", name.c_str(), nullptr, nullptr, nullptr, nullptr,
                                       nullptr, nullptr) == SQLITE_OK;
}

}  // namespace

void CarryOverCounter(std::optional<std::int64_t> counter, sqlite3* to, std::string_view utf8Name) {
  if (!counter) return;
  // A COUNTER column: the program's counter goes on past the number (the table made it).
  if (HasTable(to, kCountersTable)) {
    RunForTable(to,
                "UPDATE \"__tarnwick_counters\" SET \"next\" = max(\"next\", ?2 + \"step\") "
                "WHERE \"table\" = ?1",
                utf8Name, *counter);
    if (sqlite3_changes(to) > 0) return;
  }
  // A table numbered by the engine (as earlier versions made them). A counter the table has
  // already (written by hand before the table was made) counts too.
  if (!HasTable(to, "sqlite_sequence")) return;
  RunForTable(to, "UPDATE sqlite_sequence SET seq = max(seq, ?2) WHERE name = ?1", utf8Name,
              *counter);
  if (sqlite3_changes(to) > 0) return;
  RunForTable(to, "INSERT INTO sqlite_sequence (name, seq) VALUES (?1, ?2)", utf8Name, *counter);
}

}  // namespace tarnwick
