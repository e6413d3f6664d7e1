#include "text/FileAccess.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "text/Cp932.h"
#include "text/TarnwickError.h"
#include "text/messages/FileMessages.h"

namespace tarnwick {

namespace {

[[noreturn]] void ThrowOpenError(std::string_view sjisPath, int error) {
  throw TarnwickError(FileOpenMessage(sjisPath, error));
}

[[noreturn]] void ThrowCreateError(std::string_view sjisPath, int error) {
  throw TarnwickError(FileCreateMessage(sjisPath, error));
}

// Closes a descriptor when it goes out of scope, on every path.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return fd_; }
  // Closes now and returns the error of the close, or 0.
  int Close() {
    int result = ::close(fd_);
    fd_ = -1;
    return result == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

}  // namespace

std::string FileCreateMessage(std::string_view sjisPath, int error) {
  return msg::CannotCreateFile(SjisToUtf8(sjisPath), error).Sjis();
}

std::string FileOpenMessage(std::string_view sjisPath, int error) {
  return msg::CannotOpenFile(SjisToUtf8(sjisPath), error).Sjis();
}

namespace {

// Reads or writes the file at the system path; messages name it by the console text path.
std::string ReadFile(const std::string& native, std::string_view sjisPath, bool roomToGrow) {
  FileDescriptor file(::open(native.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.Get() < 0) ThrowOpenError(sjisPath, errno);
  struct stat info {};
  if (::fstat(file.Get(), &info) != 0) ThrowOpenError(sjisPath, errno);
  if (S_ISDIR(info.st_mode)) ThrowOpenError(sjisPath, EISDIR);

  std::string bytes;
  if (info.st_size > 0)
    bytes.reserve(static_cast<std::size_t>(info.st_size) * (roomToGrow ? 2 : 1));
  char buffer[65536];
  for (;;) {
    ssize_t count = ::read(file.Get(), buffer, sizeof buffer);
    if (count == 0) break;
    if (count < 0) {
      if (errno == EINTR) continue;
      ThrowOpenError(sjisPath, errno);
    }
    bytes.append(buffer, static_cast<std::size_t>(count));
  }
  return bytes;
}

void WriteFile(const std::string& native, std::string_view sjisPath, std::string_view bytes) {
  FileDescriptor file(::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (file.Get() < 0) ThrowCreateError(sjisPath, errno);

  std::size_t written = 0;
  while (written < bytes.size()) {
    ssize_t count = ::write(file.Get(), bytes.data() + written, bytes.size() - written);
    if (count < 0) {
      if (errno == EINTR) continue;
      ThrowCreateError(sjisPath, errno);
    }
    // A write that takes nothing means the device will not take the rest.
    if (count == 0) ThrowCreateError(sjisPath, ENOSPC);
    written += static_cast<std::size_t>(count);
  }
  if (int error = file.Close(); error != 0) ThrowCreateError(sjisPath, error);
}

}  // namespace

std::string ReadWholeFile(std::string_view sjisPath, bool roomToGrow) {
  return ReadFile(NativePath(sjisPath), sjisPath, roomToGrow);
}

void WriteWholeFile(std::string_view sjisPath, std::string_view bytes) {
  WriteFile(NativePath(sjisPath), sjisPath, bytes);
}

std::string ReadWholeNativeFile(const std::string& nativePath, bool roomToGrow) {
  return ReadFile(nativePath, Utf8ToSjis(nativePath), roomToGrow);
}

void WriteWholeNativeFile(const std::string& nativePath, std::string_view bytes) {
  WriteFile(nativePath, Utf8ToSjis(nativePath), bytes);
}

bool FileExists(std::string_view sjisPath) {
  struct stat info {};
  return ::stat(NativePath(sjisPath).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DeleteFile(std::string_view sjisPath) { return ::unlink(NativePath(sjisPath).c_str()) == 0; }

}  // namespace tarnwick
