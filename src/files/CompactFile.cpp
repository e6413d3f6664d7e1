#include "files/CompactFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "data/EngineFilePaths.h"
#include "files/EngineFile.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/TarnwickError.h"
#include "text/messages/DatabaseMessages.h"

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

}  // namespace

CompactOutcome CompactDatabaseFile(std::string_view sjisDatabasePath, int busyTimeoutMilliseconds) {
  const std::string source = SourceFile(sjisDatabasePath);
  CompactOutcome outcome;
  outcome.removedCopy = RemoveLeftoverCopy(source);
  if (!Exists(source)) throw TarnwickError(FileOpenMessage(Shown(source), ENOENT));
  // A database that we cannot write is left as it is.
  if (!CanWriteDatabase(source)) return outcome;

  EngineFile database(source, busyTimeoutMilliseconds, msg::CompactionFileInUse(source));
  if (database.Column("PRAGMA freelist_count") == std::vector<std::string>{"0"}) return outcome;
  database.Exec("VACUUM");
  outcome.compacted = true;
  return outcome;
}

}  // namespace tarnwick
