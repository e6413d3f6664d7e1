#include "files/CompactFile.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/TarnwickError.h"

namespace tarnwick {
namespace {

// Files the engine keeps beside a database while it is in use or after an interrupted write.
constexpr const char* kLogSuffixes[] = {"-wal", "-journal"};

// The files of one compaction as the operating system names them (the file names are the
// system's; messages show them as console text).
struct CompactFiles {
  std::string source;
  std::string copy;
};

// A database reached through a symbolic link is compacted where it lies, so that the link
// stays a link and goes on naming the compacted database.
CompactFiles FilesFor(std::string_view sjisDatabasePath) {
  std::string source = NativePath(sjisDatabasePath);
  std::error_code error;
  if (std::filesystem::is_symlink(source, error)) {
    const std::filesystem::path target = std::filesystem::canonical(source, error);
    if (!error) source = target.string();
  }
  return {source, CompactCopyPath(source)};
}

std::string Shown(const std::string& nativePath) { return Utf8ToSjis(nativePath); }

bool Exists(const std::string& nativePath) {
  struct stat info {};
  return stat(nativePath.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

// The engine's name of a file: a path that begins with "file:" would be read as a URI.
std::string EngineFileName(const std::string& nativePath) {
  return nativePath.starts_with("file:") ? "./" + nativePath : nativePath;
}

void Step(const CompactStepHook& beforeStep, CompactStep step) {
  if (beforeStep) beforeStep(step);
}

void RemoveIfPresent(const std::string& nativePath) {
  if (unlink(nativePath.c_str()) == 0 || errno == ENOENT) return;
  const int error = errno;
  if (Exists(nativePath)) throw TarnwickError(FileCreateMessage(Shown(nativePath), error));
}

void RemoveCopy(const std::string& copy) {
  RemoveIfPresent(copy);
  for (const char* suffix : kLogSuffixes) RemoveIfPresent(copy + suffix);
}

// One engine connection on the source file, never creating it.
class SourceDatabase {
 public:
  explicit SourceDatabase(const std::string& source) {
    if (sqlite3_open_v2(EngineFileName(source).c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) !=
        SQLITE_OK) {
      Fail();
    }
  }
  ~SourceDatabase() { sqlite3_close_v2(db_); }
  SourceDatabase(const SourceDatabase&) = delete;
  SourceDatabase& operator=(const SourceDatabase&) = delete;

  void VacuumInto(const std::string& copy) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, "VACUUM INTO ?1", -1, &statement, nullptr) != SQLITE_OK) Fail();
    const std::string name = EngineFileName(copy);
    sqlite3_bind_text(statement, 1, name.c_str(), -1, SQLITE_TRANSIENT);
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
    throw TarnwickError(Utf8ToSjis(db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory"));
  }
  sqlite3* db_ = nullptr;
};

// While another program has the database open, the engine's log stays beside it after our
// connection closed; replacing the file then would cut that program off from its data.
void RequireNoOtherUser(const std::string& source) {
  for (const char* suffix : kLogSuffixes) {
    if (Exists(source + suffix)) {
      throw TarnwickError(Sjis("ファイル \"") + Shown(source) +
                          Sjis("\" は他のプログラムが使用中のため最適化できません"));
    }
  }
}

// Gives the copy the source's permissions (the engine creates it with the default ones) and
// brings its data to the disk.
void SealCopy(const std::string& source, const std::string& copy) {
  struct stat info {};
  if (stat(source.c_str(), &info) != 0) throw TarnwickError(FileOpenMessage(Shown(source), errno));
  const int fd = open(copy.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw TarnwickError(FileOpenMessage(Shown(copy), errno));
  const bool sealed = fchmod(fd, info.st_mode & 07777) == 0 && fsync(fd) == 0;
  const int error = errno;
  close(fd);
  if (!sealed) throw TarnwickError(FileCreateMessage(Shown(copy), error));
}

void SyncFolder(const std::string& source) {
  const std::string folder = std::filesystem::path(source).parent_path().string();
  const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) throw TarnwickError(FileOpenMessage(Shown(folder), errno));
  // A file system that cannot sync a directory (EINVAL) keeps its own order of writes.
  const bool synced = fsync(fd) == 0 || errno == EINVAL;
  const int error = errno;
  close(fd);
  if (!synced) throw TarnwickError(FileCreateMessage(Shown(folder), error));
}

void WriteAndReplace(const CompactFiles& files, const CompactStepHook& beforeStep) {
  Step(beforeStep, CompactStep::WriteCopy);
  SourceDatabase database(files.source);
  database.VacuumInto(files.copy);
  database.Close();
  RequireNoOtherUser(files.source);

  Step(beforeStep, CompactStep::SyncCopy);
  SealCopy(files.source, files.copy);

  Step(beforeStep, CompactStep::ReplaceSource);
  if (rename(files.copy.c_str(), files.source.c_str()) != 0) {
    throw TarnwickError(FileCreateMessage(Shown(files.source), errno));
  }
}

}  // namespace

void CompactDatabaseFile(std::string_view sjisDatabasePath, const CompactStepHook& beforeStep) {
  const CompactFiles files = FilesFor(sjisDatabasePath);

  Step(beforeStep, CompactStep::RemoveLeftoverCopy);
  RemoveCopy(files.copy);
  if (!Exists(files.source)) throw TarnwickError(FileOpenMessage(Shown(files.source), ENOENT));

  try {
    WriteAndReplace(files, beforeStep);
  } catch (...) {
    try {
      RemoveCopy(files.copy);
    } catch (const TarnwickError&) {
      // The next compaction removes what is left; the first failure is the one to report.
    }
    throw;
  }

  Step(beforeStep, CompactStep::SyncFolder);
  SyncFolder(files.source);
}

}  // namespace tarnwick
