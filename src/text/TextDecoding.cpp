#include "text/TextDecoding.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "text/Cp932.h"
#include "text/Cp932Table.h"
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

// The number of the line (from 1) on which a position lies, counting CR LF, CR and LF as
// line ends; unitAt(i) gives the i-th of the text's `count` units (bytes or UTF-16 units).
template <typename UnitAt>
int LineAt(std::size_t count, std::size_t position, UnitAt unitAt) {
  int line = 1;
  for (std::size_t i = 0; i < position && i < count; ++i) {
    if (unitAt(i) == '\n' || (unitAt(i) == '\r' && (i + 1 >= count || unitAt(i + 1) != '\n'))) {
      ++line;
    }
  }
  return line;
}

int LineAt(std::string_view text, std::size_t position) {
  return LineAt(text.size(), position, [&](std::size_t i) { return text[i]; });
}

// The code units of UTF-16 text of either byte order, read from its bytes.
struct Utf16Units {
  std::string_view bytes;
  bool bigEndian;
  std::size_t Count() const { return bytes.size() / 2; }
  char16_t operator()(std::size_t i) const {
    const auto first = static_cast<unsigned char>(bytes[2 * i]);
    const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
    return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
  }
};

[[noreturn]] void RefuseNul(std::string_view source, int line) {
  throw TarnwickError(msg::ScriptHasNul(SjisToUtf8(source), line));
}

[[noreturn]] void RefuseUnconvertible(std::string_view source, int line) {
  throw TarnwickError(msg::ScriptHasUnconvertible(SjisToUtf8(source), line));
}

// Refuses UTF-16 with an odd last byte, a NUL or an unpaired surrogate, on its line.
void CheckUtf16(const Utf16Units& units, std::string_view source) {
  const std::size_t count = units.Count();
  if (units.bytes.size() % 2 != 0) RefuseUnconvertible(source, LineAt(count, count, units));
  for (std::size_t i = 0; i < count; ++i) {
    const char16_t unit = units(i);
    if (unit == 0) RefuseNul(source, LineAt(count, i, units));
    const bool paired = unit >= 0xD800 && unit <= 0xDBFF && i + 1 < count &&
                        units(i + 1) >= 0xDC00 && units(i + 1) <= 0xDFFF;
    if (paired) {
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      RefuseUnconvertible(source, LineAt(count, i, units));
    }
  }
}

// UTF-16 of either byte order as UTF-8; refused as CheckUtf16 refuses it.
std::string Utf16ToUtf8Strictly(const Utf16Units& units, std::string_view source) {
  CheckUtf16(units, source);
  std::u16string text(units.Count(), u'\0');
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = units(i);
  return Utf16ToUtf8(text);
}

void RefuseNulIn(std::string_view text, std::string_view source) {
  if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
    RefuseNul(source, LineAt(text, nul));
  }
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
  if (target == TextTarget::ConsoleText) {
    std::string text(bytes);
    DecodeToConsoleTextInPlace(text, sjisSource);
    return text;
  }
  const MarkedText marked = Detect(bytes);
  std::string fromUtf16;
  std::string_view body = marked.body;
  Encoding encoding = marked.encoding;
  if (encoding == Encoding::Utf16Le || encoding == Encoding::Utf16Be) {
    fromUtf16 = Utf16ToUtf8Strictly({body, encoding == Encoding::Utf16Be}, sjisSource);
    body = fromUtf16;
    encoding = Encoding::Utf8;
  }
  RefuseNulIn(body, sjisSource);
  return ConvertOrRefuse(
      body, encoding == Encoding::Utf8 ? Converter(CheckedUtf8) : SjisToUtf8Exactly, sjisSource);
}

void DecodeToConsoleTextInPlace(std::string& text, std::string_view sjisSource) {
  const MarkedText marked = Detect(text);
  const std::size_t from = text.size() - marked.body.size();
  // The bytes written before a character that does not convert, when there is one.
  std::optional<std::size_t> converted;
  switch (marked.encoding) {
    case Encoding::Utf16Le:
    case Encoding::Utf16Be: {
      const bool bigEndian = marked.encoding == Encoding::Utf16Be;
      CheckUtf16({marked.body, bigEndian}, sjisSource);
      converted = Utf16ToSjisInPlace(text, from, bigEndian);
      break;
    }
    case Encoding::Utf8:
      RefuseNulIn(marked.body, sjisSource);
      if (!IsValidUtf8(marked.body)) ConvertOrRefuse(marked.body, CheckedUtf8, sjisSource);
      converted = Utf8ToSjisInPlace(text, from);
      break;
    case Encoding::ShiftJis:
      RefuseNulIn(marked.body, sjisSource);
      if (const std::optional<std::size_t> bad = FirstInvalidSjis(marked.body)) {
        RefuseUnconvertible(sjisSource, LineAt(marked.body, *bad));
      }
      return;
  }
  if (converted)
    RefuseUnconvertible(sjisSource,
                        LineAt(std::string_view(text).substr(0, *converted), *converted));
}

}  // namespace tarnwick
