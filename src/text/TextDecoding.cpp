#include "text/TextDecoding.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "text/Cp932.h"
#include "text/TarnwickError.h"
#include "text/messages/DatabaseMessages.h"

namespace tarnwick {
namespace {

enum class Encoding { Utf8, Utf16Le, Utf16Be, ShiftJis };

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

struct MarkedText {
  Encoding encoding;
  std::string_view body;  // the text after its byte-order mark
};

MarkedText Detect(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) return {Encoding::Utf8, bytes.substr(kUtf8Mark.size())};
  if (bytes.starts_with(kUtf16LeMark)) return {Encoding::Utf16Le, bytes.substr(2)};
  if (bytes.starts_with(kUtf16BeMark)) return {Encoding::Utf16Be, bytes.substr(2)};
  if (!IsAscii(bytes) && IsValidUtf8(bytes)) return {Encoding::Utf8, bytes};
  return {Encoding::ShiftJis, bytes};
}

// The number of the line (from 1) on which a position lies, counting
// CR LF, CR and LF as line ends.
template <typename Unit>
int LineAt(std::basic_string_view<Unit> text, std::size_t position) {
  int line = 1;
  for (std::size_t i = 0; i < position && i < text.size(); ++i) {
    if (text[i] == Unit('\n') ||
        (text[i] == Unit('\r') && (i + 1 >= text.size() || text[i + 1] != Unit('\n')))) {
      ++line;
    }
  }
  return line;
}

[[noreturn]] void RefuseNul(std::string_view source, int line) {
  throw TarnwickError(msg::ScriptHasNul(SjisToUtf8(source), line));
}

[[noreturn]] void RefuseUnconvertible(std::string_view source, int line) {
  throw TarnwickError(msg::ScriptHasUnconvertible(SjisToUtf8(source), line));
}

// UTF-16 of either byte order as UTF-8; a NUL, an unpaired surrogate or an odd last byte is
// refused on its line.
std::string Utf16ToUtf8Strictly(std::string_view bytes, bool bigEndian, std::string_view source) {
  std::u16string units;
  units.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    units += static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  }
  const std::u16string_view text = units;
  if (bytes.size() % 2 != 0) RefuseUnconvertible(source, LineAt(text, text.size()));
  for (std::size_t i = 0; i < units.size(); ++i) {
    const char16_t unit = units[i];
    if (unit == 0) RefuseNul(source, LineAt(text, i));
    const bool paired = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units.size() &&
                        units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF;
    if (paired) {
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      RefuseUnconvertible(source, LineAt(text, i));
    }
  }
  return Utf16ToUtf8(units);
}

using Converter = std::function<std::optional<std::string>(std::string_view)>;

// Converts the whole text; when that fails, the first line that does not convert is named.
std::string ConvertOrRefuse(std::string_view text, const Converter& convert,
                            std::string_view source) {
  if (std::optional<std::string> converted = convert(text)) return *std::move(converted);
  std::size_t lineStart = 0;
  while (lineStart < text.size()) {
    const std::size_t lineEnd = std::min(text.find_first_of("\r\n", lineStart), text.size());
    if (!convert(text.substr(lineStart, lineEnd - lineStart))) break;
    lineStart = lineEnd + 1;
  }
  RefuseUnconvertible(source, LineAt(text, lineStart));
}

std::optional<std::string> CheckedUtf8(std::string_view text) {
  if (!IsValidUtf8(text)) return std::nullopt;
  return std::string(text);
}

}  // namespace

std::string DecodeText(std::string_view bytes, std::string_view sjisSource, TextTarget target) {
  const MarkedText marked = Detect(bytes);
  std::string fromUtf16;
  std::string_view body = marked.body;
  Encoding encoding = marked.encoding;
  if (encoding == Encoding::Utf16Le || encoding == Encoding::Utf16Be) {
    fromUtf16 = Utf16ToUtf8Strictly(body, encoding == Encoding::Utf16Be, sjisSource);
    body = fromUtf16;
    encoding = Encoding::Utf8;
  }
  if (const std::size_t nul = body.find('\0'); nul != std::string_view::npos) {
    RefuseNul(sjisSource, LineAt(body, nul));
  }
  if (encoding == Encoding::Utf8) {
    std::string utf8 = ConvertOrRefuse(body, CheckedUtf8, sjisSource);
    if (target == TextTarget::Utf8) return utf8;
    return ConvertOrRefuse(utf8, Utf8ToSjisExactly, sjisSource);
  }
  const std::string utf8 = ConvertOrRefuse(body, SjisToUtf8Exactly, sjisSource);
  return target == TextTarget::Utf8 ? utf8 : std::string(body);
}

}  // namespace tarnwick
