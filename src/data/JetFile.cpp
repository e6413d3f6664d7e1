#include "data/JetFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

#include "text/Cp932.h"
#include "text/messages/DatabaseMessages.h"

namespace tarnwick {

namespace {

constexpr std::string_view kMagic = std::string_view("\x00\x01\x00\x00", 4);
constexpr std::string_view kJetName = std::string_view("Standard Jet DB\0", 16);
constexpr std::string_view kAceName = std::string_view("Standard ACE DB\0", 16);
constexpr std::size_t kVersionOffset = 0x14;
constexpr std::size_t kHeaderBytes = kVersionOffset + 1;

msg::Message RefusalMessage(std::string_view sjisPath) {
  const std::string fileName(sjisPath.substr(std::min(sjisPath.size(), sjisPath.rfind('/') + 1)));
  return msg::JetFileRefused(SjisToUtf8(sjisPath), SjisToUtf8(fileName));
}

}  // namespace

JetFileFormat JetFormatOfHeader(std::string_view firstBytes) {
  if (firstBytes.size() < kHeaderBytes || !firstBytes.starts_with(kMagic)) {
    return JetFileFormat::NotJet;
  }
  const std::string_view name = firstBytes.substr(kMagic.size(), kJetName.size());
  const auto version = static_cast<unsigned char>(firstBytes[kVersionOffset]);
  if (name == kJetName) {
    if (version == 0) return JetFileFormat::Jet3;
    return version == 1 ? JetFileFormat::Jet4 : JetFileFormat::Ace;
  }
  return name == kAceName ? JetFileFormat::Ace : JetFileFormat::NotJet;
}

JetFileFormat JetFormatOfFile(std::string_view sjisPath) {
  const int fd = ::open(NativePath(sjisPath).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return JetFileFormat::NotJet;
  char bytes[kHeaderBytes];
  const ssize_t got = ::pread(fd, bytes, sizeof bytes, 0);
  ::close(fd);
  if (got != static_cast<ssize_t>(sizeof bytes)) return JetFileFormat::NotJet;
  return JetFormatOfHeader(std::string_view(bytes, sizeof bytes));
}

JetFileRefused::JetFileRefused(std::string sjisPath)
    : TarnwickError(RefusalMessage(sjisPath)), path_(std::move(sjisPath)) {}

JetFileUnreadable JetFileProblem(std::string_view sjisPath, std::string_view utf8What) {
  return JetFileUnreadable(msg::JetFileProblem(SjisToUtf8(sjisPath), utf8What).Sjis());
}

}  // namespace tarnwick
