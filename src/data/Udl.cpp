#include "data/Udl.h"

#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/TarnwickError.h"
#include "text/messages/DatabaseMessages.h"

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

// A quoted value: the text between the quote at `start` and the next quote of the same kind
// that is not doubled, each doubled quote read as one; it must be followed by ';'. Empty when
// the closing quote or the ';' is missing.
std::u16string QuotedValue(std::u16string_view text, std::size_t start) {
  const char16_t quote = text[start];
  std::u16string value;
  for (std::size_t i = start + 1; i < text.size(); ++i) {
    if (text[i] != quote) {
      value += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == quote) {
      value += quote;
      ++i;
    } else {
      return i + 1 < text.size() && text[i + 1] == u';' ? value : std::u16string();
    }
  }
  return {};
}

// The value after the first occurrence of key: a quoted value as the connection-string
// convention writes it ('...' or "...", the quote doubled inside), or else the text up to the
// next ';'. Empty when the key is missing or the value is not ended by a ';'.
std::u16string ValueAfterKey(std::u16string_view text, std::u16string_view key) {
  std::size_t start = text.find(key);
  if (start == std::u16string_view::npos) return {};
  start += key.size();
  if (start < text.size() && (text[start] == u'"' || text[start] == u'\'')) {
    return QuotedValue(text, start);
  }
  std::size_t end = text.find(u';', start);
  if (end == std::u16string_view::npos) return {};
  return std::u16string(text.substr(start, end - start));
}

bool IsBlank(char16_t unit) { return unit == u' ' || unit == u'\t'; }

// A database path as the descriptor holds it: unchanged when a reader can take it as it is;
// in double quotes, each double quote in it written twice, when it holds a ';' or a quote or
// begins or ends with a blank. A line break or another control character cannot be written
// into the descriptor's line at all.
std::u16string DataSourceValue(std::u16string_view path, std::string_view sjisPath) {
  for (char16_t unit : path) {
    if (unit < 0x20 && unit != u'\t') {
      throw TarnwickError(msg::PathNotForDescriptor(SjisToUtf8(sjisPath)));
    }
  }
  const bool needsQuotes = path.find_first_of(u";\"'") != std::u16string_view::npos ||
                           (!path.empty() && (IsBlank(path.front()) || IsBlank(path.back())));
  if (!needsQuotes) return std::u16string(path);
  std::u16string quoted = u"\"";
  for (char16_t unit : path) {
    quoted += unit;
    if (unit == u'"') quoted += u'"';
  }
  return quoted + u"\"";
}

// The descriptor's text from "Provider=" on, with the database path as it is written.
std::u16string InitText(std::string_view databasePath) {
  const std::u16string path = DataSourceValue(SjisToUtf16(databasePath), databasePath);
  std::u16string text(kUdlHead.substr(kUdlHead.find(u"Provider=")));
  return text.append(path).append(kUdlTail.substr(0, kUdlTail.size() - 2));
}

UdlContents ParseText(std::u16string_view text) {
  return {Utf16ToSjis(ValueAfterKey(text, u"Provider=")),
          Utf16ToSjis(ValueAfterKey(text, u"Data Source="))};
}

}  // namespace

std::string UdlFileBytes(std::string_view databasePath) {
  const std::u16string path = DataSourceValue(SjisToUtf16(databasePath), databasePath);
  std::string bytes = "\xFF\xFE";
  bytes.reserve(2 + 2 * (kUdlHead.size() + path.size() + kUdlTail.size()));
  AppendUtf16Le(bytes, kUdlHead);
  AppendUtf16Le(bytes, path);
  AppendUtf16Le(bytes, kUdlTail);
  return bytes;
}

std::string InitString(std::string_view databasePath) {
  return Utf16ToSjis(InitText(databasePath));
}

UdlContents ParseInitString(std::string_view initString) {
  return ParseText(SjisToUtf16(initString));
}

void WriteUdlFile(std::string_view udlPath, std::string_view databasePath) {
  WriteWholeFile(udlPath, UdlFileBytes(databasePath));
}

UdlContents ParseUdlBytes(std::string_view bytes) { return ParseText(DescriptorText(bytes)); }

UdlContents ReadUdlFile(std::string_view udlPath) { return ParseUdlBytes(ReadWholeFile(udlPath)); }

std::string ReadUdlProvider(std::string_view udlPath) { return ReadUdlFile(udlPath).provider; }

std::string ReadUdlDataSource(std::string_view udlPath) { return ReadUdlFile(udlPath).dataSource; }

}  // namespace tarnwick
