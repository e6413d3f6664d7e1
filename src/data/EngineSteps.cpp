#include "data/EngineSteps.h"

#include <sqlite3.h>

#include "data/Connection.h"
#include "data/EngineError.h"
#include "data/Statement.h"
#include "jet/JetMessages.h"

namespace tarnwick {

namespace {

constexpr std::string_view kSavepoint = "SAVEPOINT jet_statement";
constexpr std::string_view kRelease = "RELEASE jet_statement";
constexpr std::string_view kRollback = "ROLLBACK TO jet_statement";

// The engine's enforcement of foreign keys off for as long as it lives.
class ForeignKeysOff {
 public:
  explicit ForeignKeysOff(sqlite3* db) : db_(db) {
    ExecuteInternal(db_, "PRAGMA foreign_keys = OFF");
  }
  ~ForeignKeysOff() {
    try {
      ExecuteInternal(db_, "PRAGMA foreign_keys = ON");
    } catch (const TarnwickError&) {
      // The connection keeps running; the statement's own outcome is the one reported.
    }
  }
  ForeignKeysOff(const ForeignKeysOff&) = delete;
  ForeignKeysOff& operator=(const ForeignKeysOff&) = delete;

 private:
  sqlite3* db_;
};

void RunStep(sqlite3* db, const JetEngineStep& step) {
  if (!step.refusedWhenRows) return ExecuteInternal(db, step.sql);
  StatementPtr stmt = PrepareSingleStatement(db, step.sql);
  const int rc = sqlite3_step(stmt.get());
  if (rc == SQLITE_ROW) {
    throw JetError(step.refusedWhenRows->diagnostic, step.refusedWhenRows->offset);
  }
  if (rc != SQLITE_DONE) throw EngineError(db);
}

void RunAll(sqlite3* db, const JetCompiled& compiled) {
  ExecuteInternal(db, kSavepoint);
  try {
    for (const JetEngineStep& step : compiled.steps) RunStep(db, step);
    if (!compiled.engineSql.empty()) ExecuteInternal(db, compiled.engineSql);
    ExecuteInternal(db, kRelease);
  } catch (...) {
    try {
      ExecuteInternal(db, kRollback);
      ExecuteInternal(db, kRelease);
    } catch (const TarnwickError&) {
      // Closing the connection undoes it; the failure that led here is the one reported.
    }
    throw;
  }
}

}  // namespace

void RunWithSteps(Connection& connection, const JetCompiled& compiled) {
  sqlite3* db = connection.Handle();
  if (compiled.rebuildsReferencedTable.empty()) return RunAll(db, compiled);
  if (sqlite3_get_autocommit(db) == 0) {
    throw JetError(msg::Diagnostic{msg::MessageId::ChangeReferencedTableInTransaction,
                                   {compiled.rebuildsReferencedTable}},
                   0);
  }
  const ForeignKeysOff off(db);
  RunAll(db, compiled);
}

bool EngineGivesRows(sqlite3* db, std::string_view utf8Sql) {
  return sqlite3_column_count(PrepareSingleStatement(db, utf8Sql).get()) > 0;
}

}  // namespace tarnwick
