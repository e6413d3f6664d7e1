#include "data/CompactFile.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>

#include "data/Cp932.h"
#include "data/FileAccess.h"
#include "data/TarnwickError.h"

namespace tarnwick {
namespace {

// Files the engine keeps beside a database while it is in use or after an interrupted write.
constexpr const char* kLogSuffixes[] = {"-wal", "-journal"};

// The engine's name of a file: a path that begins with "file:" would be read as a URI.
std::string EngineFileName(const std::string& sjisPath) {
  std::string name = NativePath(sjisPath);
  if (name.starts_with("file:")) name.insert(0, "./");
  return name;
}

void Step(const CompactStepHook& beforeStep, CompactStep step) {
  if (beforeStep) beforeStep(step);
}

void RemoveIfPresent(const std::string& sjisPath) {
  if (!FileExists(sjisPath)) return;
  if (!DeleteFile(sjisPath)) throw TarnwickError(FileCreateMessage(sjisPath, errno));
}

void RemoveCopy(const std::string& sjisCopyPath) {
  RemoveIfPresent(sjisCopyPath);
  for (const char* suffix : kLogSuffixes) RemoveIfPresent(sjisCopyPath + suffix);
}

// One engine connection on the source file, never creating it.
class SourceDatabase {
 public:
  explicit SourceDatabase(const std::string& sjisPath) {
    const int rc =
        sqlite3_open_v2(EngineFileName(sjisPath).c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) Fail();
  }
  ~SourceDatabase() { sqlite3_close_v2(db_); }
  SourceDatabase(const SourceDatabase&) = delete;
  SourceDatabase& operator=(const SourceDatabase&) = delete;

  void VacuumInto(const std::string& sjisCopyPath) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, "VACUUM INTO ?1", -1, &statement, nullptr) != SQLITE_OK) Fail();
    const std::string copy = EngineFileName(sjisCopyPath);
    sqlite3_bind_text(statement, 1, copy.c_str(), -1, SQLITE_TRANSIENT);
    const int rc = sqlite3_step(statement);
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE) Fail();
  }

  // Closes the connection; the last connection to close takes the engine's log files away.
  void Close() {
    if (sqlite3_close(db_) != SQLITE_OK) Fail();
    db_ = nullptr;
  }

 private:
  [[noreturn]] void Fail() {
    const std::string message = Utf8ToSjis(db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory");
    throw TarnwickError(message);
  }
  sqlite3* db_ = nullptr;
};

// While another program has the database open, the engine's log stays beside it after our
// connection closed; replacing the file then would cut that program off from its data.
void RequireNoOtherUser(const std::string& sjisPath) {
  for (const char* suffix : kLogSuffixes) {
    if (FileExists(sjisPath + suffix)) {
      throw TarnwickError(Sjis("ファイル \"") + sjisPath +
                          Sjis("\" は他のプログラムが使用中のため最適化できません"));
    }
  }
}

void SyncFile(const std::string& sjisPath, int flags) {
  const int fd = open(NativePath(sjisPath).c_str(), flags | O_CLOEXEC);
  if (fd < 0) throw TarnwickError(FileOpenMessage(sjisPath, errno));
  // A file system that cannot sync a directory (EINVAL) keeps its own order of writes.
  const bool synced = fsync(fd) == 0 || (errno == EINVAL && (flags & O_DIRECTORY) != 0);
  const int error = errno;
  close(fd);
  if (!synced) throw TarnwickError(FileCreateMessage(sjisPath, error));
}

std::string FolderOf(const std::string& sjisPath) {
  const std::size_t slash = sjisPath.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return sjisPath.substr(0, slash);
}

void WriteAndReplace(const std::string& source, const std::string& copy,
                     const CompactStepHook& beforeStep) {
  Step(beforeStep, CompactStep::WriteCopy);
  SourceDatabase database(source);
  database.VacuumInto(copy);
  database.Close();
  RequireNoOtherUser(source);

  Step(beforeStep, CompactStep::SyncCopy);
  SyncFile(copy, O_RDONLY);

  Step(beforeStep, CompactStep::ReplaceSource);
  if (rename(NativePath(copy).c_str(), NativePath(source).c_str()) != 0) {
    throw TarnwickError(FileCreateMessage(source, errno));
  }
}

}  // namespace

void CompactDatabaseFile(std::string_view sjisDatabasePath, const CompactStepHook& beforeStep) {
  const std::string source(sjisDatabasePath);
  const std::string copy = CompactCopyPath(source);

  Step(beforeStep, CompactStep::RemoveLeftoverCopy);
  RemoveCopy(copy);
  if (!FileExists(source)) throw TarnwickError(FileOpenMessage(source, ENOENT));

  try {
    WriteAndReplace(source, copy, beforeStep);
  } catch (...) {
    try {
      RemoveCopy(copy);
    } catch (const TarnwickError&) {
      // The next compaction removes what is left; the first failure is the one to report.
    }
    throw;
  }

  Step(beforeStep, CompactStep::SyncFolder);
  SyncFile(FolderOf(source), O_RDONLY | O_DIRECTORY);
}

}  // namespace tarnwick
