#include "data/Udl.h"

#include "text/Cp932.h"
#include "text/FileAccess.h"

namespace tarnwick {

namespace {

constexpr std::u16string_view kUdlHead =
    u"[oledb]\r\n"
    u"; Everything after this line is an OLE DB initstring\r\n"
    u"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=";
constexpr std::u16string_view kUdlTail = u";Mode=ReadWrite;Persist Security Info=False\r\n";

void AppendUtf16Le(std::string& bytes, std::u16string_view text) {
  for (char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
}

// The file's bytes as UTF-16LE text: whole units only, up to the first zero unit. The
// byte-order mark is kept as the first unit.
std::u16string DescriptorText(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char16_t unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                          (static_cast<unsigned char>(bytes[i + 1]) << 8));
    if (unit == 0) break;
    text.push_back(unit);
  }
  return text;
}

// The text after the first occurrence of key up to the next ';', or empty when the key is
// missing or no ';' follows it.
std::u16string ValueAfterKey(std::u16string_view text, std::u16string_view key) {
  std::size_t start = text.find(key);
  if (start == std::u16string_view::npos) return {};
  start += key.size();
  std::size_t end = text.find(u';', start);
  if (end == std::u16string_view::npos) return {};
  return std::u16string(text.substr(start, end - start));
}

}  // namespace

void WriteUdlFile(std::string_view udlPath, std::string_view databasePath) {
  const std::u16string path = SjisToUtf16(databasePath);
  std::string bytes = "\xFF\xFE";
  bytes.reserve(2 + 2 * (kUdlHead.size() + path.size() + kUdlTail.size()));
  AppendUtf16Le(bytes, kUdlHead);
  AppendUtf16Le(bytes, path);
  AppendUtf16Le(bytes, kUdlTail);
  WriteWholeFile(udlPath, bytes);
}

UdlContents ReadUdlFile(std::string_view udlPath) {
  const std::u16string text = DescriptorText(ReadWholeFile(udlPath));
  return {Utf16ToSjis(ValueAfterKey(text, u"Provider=")),
          Utf16ToSjis(ValueAfterKey(text, u"Data Source="))};
}

std::string ReadUdlProvider(std::string_view udlPath) { return ReadUdlFile(udlPath).provider; }

std::string ReadUdlDataSource(std::string_view udlPath) { return ReadUdlFile(udlPath).dataSource; }

}  // namespace tarnwick
