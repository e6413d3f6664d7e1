#include "output/SaveResultLog.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/TarnwickError.h"

namespace tarnwick {

namespace {

// Writes all bytes to an open file; returns 0, or the error that stopped it.
int WriteAll(int fd, std::string_view bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t count = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return errno;
    if (count == 0) return ENOSPC;
    written += static_cast<std::size_t>(count);
  }
  return 0;
}

// Closes the file and returns the first error of the ones given and the close.
int CloseReporting(int fd, int earlierError) {
  const int closeError = ::close(fd) == 0 ? 0 : errno;
  return earlierError != 0 ? earlierError : closeError;
}

[[noreturn]] void ThrowCreateError(std::string_view sjisPath, int error) {
  throw TarnwickError(FileCreateMessage(sjisPath, error));
}

// The folder part of a path ("." for a bare name) and the rest.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// A temporary file beside `path` holding the whole log, synced to disk, with `mode` as its
// permissions. Returns its name, or nothing when the folder has no room for it; throws
// when the log does not fit (the temporary file is removed again).
std::optional<std::string> PreparedCopy(const std::string& path, mode_t mode,
                                        std::string_view sjisPath, std::string_view log) {
  std::string temporary = FolderOf(path) + "/.tarnwick-save-XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  int error = WriteAll(fd, log);
  if (error == 0 && ::fchmod(fd, mode) != 0) error = errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  error = CloseReporting(fd, error);
  if (error != 0) {
    ::unlink(temporary.c_str());
    ThrowCreateError(sjisPath, error);
  }
  return temporary;
}

// The permissions a new file gets: all read and write rights the user's mask allows.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// A file that does not exist yet, written whole or not at all: the log is prepared in a
// temporary file, which then gets the name, unless someone else has taken the name meanwhile
// (returns false). Where the folder takes no temporary file, or the file system has no hard
// links, the file is created and written directly, and removed again if the log does not fit.
bool CreateNewFile(const std::string& native, std::string_view sjisPath, std::string_view log) {
  if (const auto prepared = PreparedCopy(native, NewFileMode(), sjisPath, log)) {
    const int linked = ::link(prepared->c_str(), native.c_str());
    const int error = linked == 0 ? 0 : errno;
    ::unlink(prepared->c_str());
    if (error == EEXIST) return false;
    if (error == 0) return true;
  }
  const int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0 && errno == EEXIST) return false;
  if (fd < 0) ThrowCreateError(sjisPath, errno);
  if (const int error = CloseReporting(fd, WriteAll(fd, log)); error != 0) {
    ::unlink(native.c_str());
    ThrowCreateError(sjisPath, error);
  }
  return true;
}

// A file we may not write stays as it was: one the system does not let us write, and one
// marked read-only (no write permission for anyone), which even the administrator's saves
// leave alone, as they would on any system with a read-only mark.
void RefuseReadOnly(const std::string& native, const struct stat& existing,
                    std::string_view sjisPath) {
  if (::access(native.c_str(), W_OK) != 0) ThrowCreateError(sjisPath, errno);
  if ((existing.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) ThrowCreateError(sjisPath, EACCES);
}

// A file with several names (hard links) is written in place, so that every name keeps
// showing the saved log: the text is complete before the file is opened.
void OverwriteInPlace(const std::string& native, std::string_view sjisPath, std::string_view log) {
  const int fd = ::open(native.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) ThrowCreateError(sjisPath, errno);
  int error = WriteAll(fd, log);
  if (error == 0 && ::ftruncate(fd, static_cast<off_t>(log.size())) != 0) error = errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (const int closed = CloseReporting(fd, error); closed != 0) ThrowCreateError(sjisPath, closed);
}

// An existing regular file: the log goes to a temporary file beside the real file (through
// any symbolic links), which is then renamed over it. Returns false when no temporary file
// can be made there.
bool ReplaceRegularFile(const std::string& native, const struct stat& existing,
                        std::string_view sjisPath, std::string_view log) {
  char resolved[PATH_MAX];
  if (::realpath(native.c_str(), resolved) == nullptr) return false;
  const std::string target = resolved;
  const auto prepared = PreparedCopy(target, existing.st_mode & 07777, sjisPath, log);
  if (!prepared) return false;
  if (::chown(prepared->c_str(), existing.st_uid, existing.st_gid) != 0) {
    // Only the owner's rights allow this; the file then belongs to the user who saves it.
  }
  if (::rename(prepared->c_str(), target.c_str()) != 0) {
    const int error = errno;
    ::unlink(prepared->c_str());
    ThrowCreateError(sjisPath, error);
  }
  return true;
}

}  // namespace

void SaveResultLog(std::string_view sjisPath, std::string_view sjisLog) {
  const std::string native = NativePath(sjisPath);
  struct stat link {};
  if (::lstat(native.c_str(), &link) != 0 && errno == ENOENT) {
    if (CreateNewFile(native, sjisPath, sjisLog)) return;
  }
  struct stat existing {};
  if (::stat(native.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
    RefuseReadOnly(native, existing, sjisPath);
    if (existing.st_nlink > 1) return OverwriteInPlace(native, sjisPath, sjisLog);
    if (ReplaceRegularFile(native, existing, sjisPath, sjisLog)) return;
  }
  // A device, a folder, a link to nowhere, or a folder without room for a temporary file:
  // the path is opened and written as it is, and its own error is reported.
  WriteWholeFile(sjisPath, sjisLog);
}

}  // namespace tarnwick
