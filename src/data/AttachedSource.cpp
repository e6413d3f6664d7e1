#include "data/AttachedSource.h"

#include <sqlite3.h>

#include <cstdio>
#include <string>

#include "data/Connection.h"
#include "data/ReadOnlyUri.h"
#include "data/SqlName.h"
#include "data/Statement.h"
#include "text/TarnwickError.h"

namespace tarnwick {

namespace {

constexpr std::string_view kSchema = "tarnwick_source";

bool IsTable(sqlite3* db, std::string_view utf8Name) {
  const StatementPtr stmt = PrepareWithText(
      db,
      "SELECT 1 FROM " + std::string(kSchema) + ".sqlite_master WHERE type = 'table' AND name = ?1",
      utf8Name);
  return sqlite3_step(stmt.get()) == SQLITE_ROW;
}

}  // namespace

AttachedSource::AttachedSource(Connection& to, Connection& source) {
  try {
    if (source.IsJetSource() || to.InTransaction()) return;
    const char* path = sqlite3_db_filename(source.Handle(), "main");
    if (path == nullptr || *path == '\0') return;
    sqlite3* db = to.Handle();
    const std::string uri = ReadOnlyUri(path);
    const StatementPtr attach =
        PrepareWithText(db, "ATTACH DATABASE ?1 AS " + std::string(kSchema), uri);
    RunToCompletion(db, attach.get());
    db_ = db;
  } catch (const TarnwickError&) {
    // Nothing attached: the rows are copied one by one instead.
  }
}

AttachedSource::~AttachedSource() {
  if (db_ == nullptr) return;
  try {
    ExecuteInternal(db_, "DETACH DATABASE " + std::string(kSchema));
  } catch (const TarnwickError&) {
    // Closing the connection lets the file go as well.
  }
}

bool AttachedSource::CopyTable(std::string_view utf8Name) {
  if (db_ == nullptr) return false;
  try {
    if (!IsTable(db_, utf8Name)) return false;
    const std::string name = QuotedName(utf8Name);
    ExecuteInternal(
        db_, "INSERT INTO main." + name + " SELECT * FROM " + std::string(kSchema) + "." + name);
    return true;
  } catch (const TarnwickError&) {
    return false;
  }
}

}  // namespace tarnwick
