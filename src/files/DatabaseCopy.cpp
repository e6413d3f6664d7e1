#include "files/DatabaseCopy.h"

#include <sqlite3.h>
#include <unistd.h>

#include "data/EngineError.h"
#include "data/EngineFilePaths.h"
#include "data/ReadOnlyUri.h"
#include "text/TarnwickError.h"
#include "text/messages/DatabaseMessages.h"

namespace tarnwick {
namespace {

// How long the copy waits for another program that is writing to the source.
constexpr int kCopyBusyTimeoutMilliseconds = 5000;

class EngineHandle {
 public:
  EngineHandle(const std::string& name, int flags) {
    if (sqlite3_open_v2(name.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
      const TarnwickError failure = EngineError(db_);
      sqlite3_close_v2(db_);
      throw failure;
    }
    sqlite3_busy_timeout(db_, kCopyBusyTimeoutMilliseconds);
  }
  ~EngineHandle() { sqlite3_close_v2(db_); }
  EngineHandle(const EngineHandle&) = delete;
  EngineHandle& operator=(const EngineHandle&) = delete;
  sqlite3* Get() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

}  // namespace

void CopyDatabaseFile(const std::string& nativeSource, const std::string& nativeTarget) {
  if (access(nativeSource.c_str(), F_OK) != 0)
    throw TarnwickError(msg::DatabaseFileNotFound(nativeSource));
  const EngineHandle source(ReadOnlyUri(nativeSource), SQLITE_OPEN_READONLY | SQLITE_OPEN_URI);
  // Reading the schema tells a database from any other file before anything is written.
  if (sqlite3_exec(source.Get(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) !=
      SQLITE_OK) {
    throw TarnwickError(msg::CannotOpenDatabaseFile(nativeSource, EngineMessage(source.Get())));
  }
  const EngineHandle target(EngineFileName(nativeTarget),
                            SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
  sqlite3_backup* backup = sqlite3_backup_init(target.Get(), "main", source.Get(), "main");
  if (backup == nullptr) throw EngineError(target.Get());
  const int stepped = sqlite3_backup_step(backup, -1);
  const int finished = sqlite3_backup_finish(backup);
  if (stepped != SQLITE_DONE || finished != SQLITE_OK) {
    throw TarnwickError(msg::CannotOpenDatabaseFile(nativeSource, EngineMessage(target.Get())));
  }
}

}  // namespace tarnwick
