#include "data/mdb/JetFileChecks.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <string>

#include "data/JetValues.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"

namespace tarnwick {

namespace {

constexpr std::int64_t kJet3PageSize = 2048;
constexpr std::int64_t kJet4PageSize = 4096;
constexpr std::size_t kMaskedHeaderOffset = 0x18;
constexpr std::size_t kPasswordOffset = 0x42;
constexpr std::size_t kJet3PasswordSize = 20;
constexpr std::size_t kJet4PasswordSize = 40;
constexpr std::size_t kCreationDateOffset = 0x72;
constexpr std::size_t kHeaderBytesNeeded = kCreationDateOffset + 8;

// The stream Jet masks part of the first page with: RC4 with the key 0x6B39DAC7.
std::array<unsigned char, 128> HeaderMask() {
  const unsigned char key[4] = {0xC7, 0xDA, 0x39, 0x6B};
  std::array<unsigned char, 256> state{};
  for (int i = 0; i < 256; ++i) state[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i);
  unsigned j = 0;
  for (unsigned i = 0; i < 256; ++i) {
    j = (j + state[i] + key[i % 4]) & 0xFF;
    std::swap(state[i], state[j]);
  }
  std::array<unsigned char, 128> mask{};
  unsigned a = 0;
  unsigned b = 0;
  for (unsigned char& byte : mask) {
    a = (a + 1) & 0xFF;
    b = (b + state[a]) & 0xFF;
    std::swap(state[a], state[b]);
    byte = state[(state[a] + state[b]) & 0xFF];
  }
  return mask;
}

class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(std::string_view sjisPath)
      : fd_(::open(NativePath(sjisPath).c_str(), O_RDONLY | O_CLOEXEC)) {}
  ~ReadOnlyFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
  int Descriptor() const { return fd_; }

 private:
  int fd_;
};

// Another program holds a write lock on the file (or an exclusive whole-file lock): it may be
// changing pages while they are read.
bool LockedByAnotherProgram(int fd) {
  struct flock lock {};
  lock.l_type = F_RDLCK;
  lock.l_whence = SEEK_SET;
  if (fcntl(fd, F_GETLK, &lock) == 0 && lock.l_type != F_UNLCK) return true;
  if (flock(fd, LOCK_SH | LOCK_NB) != 0) return errno == EWOULDBLOCK;
  flock(fd, LOCK_UN);
  return false;
}

std::string ReadFirstBytes(int fd, std::size_t count) {
  std::string bytes(count, '\0');
  std::size_t done = 0;
  while (done < count) {
    const ssize_t got = ::pread(fd, bytes.data() + done, count - done, static_cast<off_t>(done));
    if (got <= 0) break;
    done += static_cast<std::size_t>(got);
  }
  bytes.resize(done);
  return bytes;
}

}  // namespace

bool HasDatabasePassword(std::string_view firstPage, JetFileFormat format) {
  if (firstPage.size() < kHeaderBytesNeeded) return false;
  static const std::array<unsigned char, 128> mask = HeaderMask();
  // The header from 0x18 on, unmasked.
  std::string header(firstPage.substr(0, kHeaderBytesNeeded));
  for (std::size_t i = kMaskedHeaderOffset; i < header.size(); ++i) {
    header[i] =
        static_cast<char>(static_cast<unsigned char>(header[i]) ^ mask[i - kMaskedHeaderOffset]);
  }
  const bool jet3 = format == JetFileFormat::Jet3;
  // Later formats mask the password once more with the creation date's whole days.
  unsigned char dateMask[4] = {0, 0, 0, 0};
  if (!jet3) {
    const double created = LittleEndianDouble(std::string_view(header).substr(kCreationDateOffset));
    const auto days = static_cast<std::uint32_t>(
        created >= -2.0e9 && created <= 2.0e9 ? static_cast<std::int32_t>(created) : 0);
    for (int i = 0; i < 4; ++i) dateMask[i] = static_cast<unsigned char>(days >> (8 * i));
  }
  const std::size_t size = jet3 ? kJet3PasswordSize : kJet4PasswordSize;
  for (std::size_t i = 0; i < size; ++i) {
    const auto clear = static_cast<unsigned char>(header[kPasswordOffset + i]) ^ dateMask[i % 4];
    if (clear != 0) return true;
  }
  return false;
}

JetFileLayout CheckJetFile(std::string_view sjisPath) {
  const ReadOnlyFile file(sjisPath);
  if (file.Descriptor() < 0) throw TarnwickError(FileOpenMessage(sjisPath, errno));
  struct stat info {};
  if (fstat(file.Descriptor(), &info) != 0) throw TarnwickError(FileOpenMessage(sjisPath, errno));
  if (!S_ISREG(info.st_mode)) throw TarnwickError(FileOpenMessage(sjisPath, EISDIR));
  const std::string header = ReadFirstBytes(file.Descriptor(), kHeaderBytesNeeded);
  JetFileLayout layout;
  layout.format = JetFormatOfHeader(header);
  if (layout.format == JetFileFormat::NotJet) {
    throw JetFileProblem(sjisPath,
                         "は Jet (Microsoft Access) のデータベースファイルではありません");
  }
  if (LockedByAnotherProgram(file.Descriptor())) {
    throw JetFileProblem(sjisPath,
                         "は他のプログラムが書き込み中のため読み込めません。そのプログラムを"
                         "閉じてからやり直してください");
  }
  layout.pageSize = layout.format == JetFileFormat::Jet3 ? kJet3PageSize : kJet4PageSize;
  const std::int64_t size = info.st_size;
  if (size < 3 * layout.pageSize || size % layout.pageSize != 0 ||
      header.size() < kHeaderBytesNeeded) {
    throw JetFileProblem(sjisPath,
                         "は途中で切れているか壊れています (ページの大きさの倍数ではありません)");
  }
  layout.pageCount = size / layout.pageSize;
  if (HasDatabasePassword(header, layout.format)) {
    throw JetFileProblem(sjisPath,
                         "はパスワードで保護されているため取り込めません。Access でパスワードを"
                         "解除してから取り込んでください");
  }
  return layout;
}

}  // namespace tarnwick
