#include "files/CompactFile.h"

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/TarnwickError.h"

namespace tarnwick {
namespace {

// The database as the operating system names it; one reached through a symbolic link is
// compacted where it lies, where earlier versions also left their copy.
std::string SourceFile(std::string_view sjisDatabasePath) {
  std::string source = NativePath(sjisDatabasePath);
  std::error_code error;
  if (std::filesystem::is_symlink(source, error)) {
    const std::filesystem::path target = std::filesystem::canonical(source, error);
    if (!error) source = target.string();
  }
  return source;
}

std::string Shown(const std::string& nativePath) { return Utf8ToSjis(nativePath); }

bool Exists(const std::string& nativePath) {
  struct stat info {};
  return stat(nativePath.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

// Deletes a file if it is there; true when there was one.
bool RemoveIfPresent(const std::string& nativePath) {
  if (unlink(nativePath.c_str()) == 0) return true;
  if (errno == ENOENT || !Exists(nativePath)) return false;
  throw TarnwickError(FileCreateMessage(Shown(nativePath), errno));
}

// Deletes the copy an earlier version left, with the journal the engine may have left beside
// it; gives the copy's name (console text) when there was one.
std::string RemoveLeftoverCopy(const std::string& source) {
  const std::string copy = CompactCopyPath(source);
  const bool removed = RemoveIfPresent(copy);
  for (const char* suffix : {"-journal", "-wal"}) RemoveIfPresent(copy + suffix);
  return removed ? Shown(copy) : std::string();
}

// A database that we cannot write, or whose folder we cannot write (the engine's journal
// lies there), is left as it is.
bool CanWrite(const std::string& source) {
  const std::string folder = std::filesystem::path(source).parent_path().string();
  return access(source.c_str(), W_OK) == 0 &&
         access(folder.empty() ? "." : folder.c_str(), W_OK) == 0;
}

// The engine's name of a file: a path that begins with "file:" would be read as a URI.
std::string EngineFileName(const std::string& nativePath) {
  return nativePath.starts_with("file:") ? "./" + nativePath : nativePath;
}

// One engine connection on the database, never creating it.
class CompactConnection {
 public:
  CompactConnection(const std::string& source, int busyTimeoutMilliseconds) : source_(source) {
    if (sqlite3_open_v2(EngineFileName(source).c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
      Fail();
    }
    sqlite3_busy_timeout(db_, busyTimeoutMilliseconds);
  }
  ~CompactConnection() { sqlite3_close_v2(db_); }
  CompactConnection(const CompactConnection&) = delete;
  CompactConnection& operator=(const CompactConnection&) = delete;

  std::int64_t FreePages() {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, "PRAGMA freelist_count", -1, &statement, nullptr) != SQLITE_OK) {
      Fail();
    }
    const int rc = sqlite3_step(statement);
    const std::int64_t pages = rc == SQLITE_ROW ? sqlite3_column_int64(statement, 0) : 0;
    sqlite3_finalize(statement);
    if (rc != SQLITE_ROW) Fail();
    return pages;
  }

  void Vacuum() {
    if (sqlite3_exec(db_, "VACUUM", nullptr, nullptr, nullptr) != SQLITE_OK) Fail();
  }

 private:
  [[noreturn]] void Fail() {
    const int code = db_ != nullptr ? sqlite3_errcode(db_) : SQLITE_NOMEM;
    if (code == SQLITE_BUSY || code == SQLITE_LOCKED) {
      throw TarnwickError(Sjis("ファイル \"") + Shown(source_) +
                          Sjis("\" は他のプログラムが使用中のため最適化できません"));
    }
    throw TarnwickError(Utf8ToSjis(db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory"));
  }
  const std::string& source_;
  sqlite3* db_ = nullptr;
};

}  // namespace

CompactOutcome CompactDatabaseFile(std::string_view sjisDatabasePath, int busyTimeoutMilliseconds) {
  const std::string source = SourceFile(sjisDatabasePath);
  CompactOutcome outcome;
  outcome.removedCopy = RemoveLeftoverCopy(source);
  if (!Exists(source)) throw TarnwickError(FileOpenMessage(Shown(source), ENOENT));
  if (!CanWrite(source)) return outcome;

  CompactConnection database(source, busyTimeoutMilliseconds);
  if (database.FreePages() == 0) return outcome;
  database.Vacuum();
  outcome.compacted = true;
  return outcome;
}

}  // namespace tarnwick
