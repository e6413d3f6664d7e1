#include "files/EngineFile.h"

#include <sqlite3.h>

#include "data/EngineError.h"
#include "data/EngineFilePaths.h"
#include "data/ReadOnlyUri.h"
#include "text/TarnwickError.h"

namespace tarnwick {

EngineFile::EngineFile(const std::string& nativePath, int busyTimeoutMilliseconds,
                       msg::Message busyMessage)
    : busyMessage_(std::move(busyMessage)) {
  if (sqlite3_open_v2(EngineFileName(nativePath).c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) !=
      SQLITE_OK) {
    Fail();
  }
  sqlite3_busy_timeout(db_, busyTimeoutMilliseconds);
}

EngineFile::~EngineFile() {
  if (db_ != nullptr && !sqlite3_get_autocommit(db_)) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
  }
  sqlite3_close_v2(db_);
}

void EngineFile::Exec(const std::string& utf8Sql) {
  if (sqlite3_exec(db_, utf8Sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) Fail();
}

std::vector<std::string> EngineFile::Column(const std::string& utf8Sql) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, utf8Sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) Fail();
  std::vector<std::string> values;
  int rc;
  while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    const unsigned char* text = sqlite3_column_text(statement, 0);
    values.emplace_back(text != nullptr ? reinterpret_cast<const char*>(text) : "");
  }
  sqlite3_finalize(statement);
  if (rc != SQLITE_DONE) Fail();
  return values;
}

void EngineFile::CopyFrom(const std::string& sourceNativePath) {
  sqlite3* source = nullptr;
  // Read as an unchanging file: a source in a folder the user cannot write (the installed
  // sample database) is then read without the shared-memory file that its log mode asks for,
  // and nothing is left beside it.
  if (sqlite3_open_v2(ReadOnlyUri(sourceNativePath).c_str(), &source,
                      SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) != SQLITE_OK) {
    const TarnwickError error = EngineError(source);
    sqlite3_close_v2(source);
    throw error;
  }
  sqlite3_backup* backup = sqlite3_backup_init(db_, "main", source, "main");
  int rc = SQLITE_ERROR;
  if (backup != nullptr) {
    rc = sqlite3_backup_step(backup, -1);
    sqlite3_backup_finish(backup);
  }
  sqlite3_close_v2(source);
  if (rc != SQLITE_DONE) Fail();
}

void EngineFile::Fail() {
  const int code = db_ != nullptr ? sqlite3_errcode(db_) : SQLITE_NOMEM;
  if (code == SQLITE_BUSY || code == SQLITE_LOCKED) throw TarnwickError(busyMessage_);
  throw EngineError(db_);
}

}  // namespace tarnwick
