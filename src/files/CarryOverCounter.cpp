#include "files/CarryOverCounter.h"

#include <sqlite3.h>

#include <cstdint>

#include "data/EngineError.h"
#include "data/Statement.h"

namespace tarnwick {

namespace {

// Runs a statement of the program's own whose parameters are the table name and a counter.
void RunForTable(sqlite3* db, std::string_view sql, std::string_view utf8Name,
                 std::int64_t counter) {
  StatementPtr stmt = PrepareWithText(db, sql, utf8Name);
  if (sqlite3_bind_int64(stmt.get(), 2, counter) != SQLITE_OK) throw EngineError(db);
  RunToCompletion(db, stmt.get());
}

}  // namespace

void CarryOverCounter(std::optional<std::int64_t> counter, sqlite3* to, std::string_view utf8Name) {
  if (!counter) return;
  // A counter the table has already (written by hand before the table was made) counts too.
  RunForTable(to, "UPDATE sqlite_sequence SET seq = max(seq, ?2) WHERE name = ?1", utf8Name,
              *counter);
  if (sqlite3_changes(to) > 0) return;
  RunForTable(to, "INSERT INTO sqlite_sequence (name, seq) VALUES (?1, ?2)", utf8Name, *counter);
}

}  // namespace tarnwick
