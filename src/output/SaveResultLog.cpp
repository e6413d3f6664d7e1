#include "output/SaveResultLog.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

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

// A file that does not exist yet: created, and removed again if the log does not fit in it.
// Returns false when someone else created it first.
bool CreateNewFile(const std::string& native, std::string_view sjisPath, std::string_view log) {
  const int fd = ::open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0 && errno == EEXIST) return false;
  if (fd < 0) ThrowCreateError(sjisPath, errno);
  if (const int error = CloseReporting(fd, WriteAll(fd, log)); error != 0) {
    ::unlink(native.c_str());
    ThrowCreateError(sjisPath, error);
  }
  return true;
}

// The folder part of a path ("." for a bare name) and the rest.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// An existing regular file: the log goes to a temporary file beside the real file (through
// any symbolic links), which is then renamed over it. Returns false when no temporary file
// can be made there.
bool ReplaceRegularFile(const std::string& native, const struct stat& existing,
                        std::string_view sjisPath, std::string_view log) {
  char resolved[PATH_MAX];
  if (::realpath(native.c_str(), resolved) == nullptr) return false;
  const std::string target = resolved;
  std::string temporary = FolderOf(target) + "/.tarnwick-save-XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) return false;

  int error = WriteAll(fd, log);
  if (::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
    // Only the owner's rights allow this; the file then belongs to the user who saves it.
  }
  if (error == 0 && ::fchmod(fd, existing.st_mode & 07777) != 0) error = errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  error = CloseReporting(fd, error);
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
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
    if (ReplaceRegularFile(native, existing, sjisPath, sjisLog)) return;
  }
  // A device, a folder, a link to nowhere, or a folder without room for a temporary file:
  // the path is opened and written as it is, and its own error is reported.
  WriteWholeFile(sjisPath, sjisLog);
}

}  // namespace tarnwick
