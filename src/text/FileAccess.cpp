#include "text/FileAccess.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "text/Cp932.h"
#include "text/TarnwickError.h"

namespace tarnwick {

namespace {

// The operating system's reason for a failure, in words the user reads (Shift-JIS).
std::string ErrorReason(int error) {
  const char* japanese = nullptr;
  switch (error) {
    case ENOENT:
      japanese = "指定されたファイルまたはディレクトリが見つかりません";
      break;
    case EACCES:
      japanese = "アクセスが拒否されました";
      break;
    case EPERM:
      japanese = "この操作は許可されていません";
      break;
    case EROFS:
      japanese = "読み取り専用のファイルシステムです";
      break;
    case ENOSPC:
      japanese = "ディスクに十分な空き領域がありません";
      break;
    case EISDIR:
      japanese = "指定されたパスはディレクトリです";
      break;
    case ENOTDIR:
      japanese = "パスの途中にディレクトリではないものがあります";
      break;
    case EEXIST:
      japanese = "ファイルは既に存在します";
      break;
    case ENAMETOOLONG:
      japanese = "ファイル名が長すぎます";
      break;
    case EBUSY:
      japanese = "デバイスまたはリソースが使用中です";
      break;
    case ETXTBSY:
      japanese = "ファイルは実行中のプログラムが使用中です";
      break;
    default:
      break;
  }
  if (japanese != nullptr) return Sjis(japanese);
  return Utf8ToSjis(std::strerror(error));
}

std::string FileMessage(std::string_view sjisPath, int error, std::string_view utf8Ending) {
  return Sjis("ファイル \"") + std::string(sjisPath) + "\". " + ErrorReason(error) +
         Sjis(utf8Ending);
}

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
  return FileMessage(sjisPath, error, " を作成できません");
}

std::string FileOpenMessage(std::string_view sjisPath, int error) {
  return FileMessage(sjisPath, error, " は開けません");
}

std::string ReadWholeFile(std::string_view sjisPath, bool roomToGrow) {
  const std::string native = NativePath(sjisPath);
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

void WriteWholeFile(std::string_view sjisPath, std::string_view bytes) {
  const std::string native = NativePath(sjisPath);
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

bool FileExists(std::string_view sjisPath) {
  struct stat info {};
  return ::stat(NativePath(sjisPath).c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool DeleteFile(std::string_view sjisPath) { return ::unlink(NativePath(sjisPath).c_str()) == 0; }

}  // namespace tarnwick
