#include "text/Cp932Table.h"

#include <errno.h>
#include <iconv.h>

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "text/Cp932.h"

namespace tarnwick {

namespace {

constexpr char kReplacement = '?';
constexpr char32_t kInvalid = 0xFFFFFFFF;

// Code page 932 as the system's converter sees it, for every code point of the Basic
// Multilingual Plane (code page 932 holds no character beyond it).
struct Cp932Table {
  // The Shift-JIS code: below 0x100 a single byte, else lead byte * 256 + trail byte; 0 for a
  // character that code page 932 cannot hold (no code point above 0 becomes the byte 0).
  std::array<std::uint16_t, 0x10000> sjis{};
  // Set for a character that does not come back as itself from Shift-JIS.
  std::bitset<0x10000> changes;
  // What each of the characters that code page 932 holds as another comes back as.
  std::vector<std::pair<char32_t, char32_t>> comesBackAs;
};

// Converts a whole buffer with iconv; a converter opened with "//IGNORE" leaves out what it
// cannot convert and goes on. Nothing when iconv cannot convert between the two at all.
std::optional<std::string> ConvertAll(const char* to, const char* from, std::string_view in) {
  const iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(in.size() * 4, '\0');  // room for four bytes a byte: no code takes more
  char* inPointer = const_cast<char*>(in.data());
  std::size_t inLeft = in.size();
  char* outPointer = out.data();
  std::size_t outLeft = out.size();
  // With "//IGNORE" iconv reports EILSEQ now and then after leaving characters out; it is
  // called again until everything has been read.
  while (inLeft > 0) {
    const std::size_t before = inLeft;
    if (iconv(cd, &inPointer, &inLeft, &outPointer, &outLeft) != static_cast<std::size_t>(-1) ||
        errno != EILSEQ || inLeft == before) {
      break;
    }
  }
  iconv_close(cd);
  if (inLeft > 0) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

void AppendUtf32(std::string& out, char32_t codePoint) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((codePoint >> (8 * i)) & 0xFF);
}

char32_t Utf32At(std::string_view bytes, std::size_t index) {
  char32_t codePoint = 0;
  for (int i = 3; i >= 0; --i) codePoint = codePoint << 8 | (bytes[index * 4 + i] & 0xFF);
  return codePoint;
}

// The table from two conversions of the system's: every code point beyond ASCII, each
// followed by a line feed, to code page 932 leaving out what it cannot hold (so a line feed
// right after a line feed marks such a code point); then the Shift-JIS of those it holds,
// again separated by line feeds, back to code points. No Shift-JIS character contains the
// byte of a line feed. ASCII stays as it is.
std::unique_ptr<Cp932Table> BuildTable() {
  auto table = std::make_unique<Cp932Table>();
  for (char32_t codePoint = 0; codePoint < 0x80; ++codePoint) table->sjis[codePoint] = codePoint;
  std::string codePoints;
  for (char32_t codePoint = 0x80; codePoint < 0x10000; ++codePoint) {
    if (codePoint >= 0xD800 && codePoint <= 0xDFFF) continue;
    AppendUtf32(codePoints, codePoint);
    AppendUtf32(codePoints, '\n');
  }
  const std::optional<std::string> sjis = ConvertAll("CP932//IGNORE", "UTF-32LE", codePoints);
  if (!sjis) throw std::runtime_error("iconv cannot convert UTF-32LE to CP932");
  std::vector<char32_t> held;  // the code points code page 932 holds, in order
  std::string heldSjis;        // their Shift-JIS, each followed by a line feed
  std::size_t position = 0;
  for (std::size_t i = 0; i < codePoints.size() / 8; ++i) {
    const char32_t codePoint = Utf32At(codePoints, i * 2);
    const std::size_t end = sjis->find('\n', position);
    const std::string_view bytes = std::string_view(*sjis).substr(position, end - position);
    position = end + 1;
    if (bytes.empty() || bytes.size() > 2) {
      table->changes.set(codePoint);
      continue;
    }
    const auto byte = [&](std::size_t k) { return static_cast<std::uint16_t>(bytes[k] & 0xFF); };
    table->sjis[codePoint] =
        bytes.size() == 1 ? byte(0) : static_cast<std::uint16_t>(byte(0) << 8 | byte(1));
    held.push_back(codePoint);
    heldSjis.append(bytes).append("\n");
  }
  const std::optional<std::string> back = ConvertAll("UTF-32LE", "CP932", heldSjis);
  if (!back || back->size() != held.size() * 8) {
    throw std::runtime_error("iconv cannot convert CP932 to UTF-32LE");
  }
  for (std::size_t i = 0; i < held.size(); ++i) {
    const char32_t backCodePoint = Utf32At(*back, i * 2);
    if (backCodePoint == held[i]) continue;
    table->changes.set(held[i]);
    table->comesBackAs.emplace_back(held[i], backCodePoint);
  }
  return table;
}

const Cp932Table& Table() {
  static const std::unique_ptr<Cp932Table> table = BuildTable();
  return *table;
}

// The first position from `i` on whose byte is not ASCII; the text's size when there is none.
std::size_t SkipAscii(std::string_view text, std::size_t i) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  for (std::uint64_t word; i + 8 <= text.size(); i += 8) {
    std::memcpy(&word, text.data() + i, 8);
    if ((word & kHighBits) != 0) break;
  }
  while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
  return i;
}

struct Character {
  char32_t codePoint;  // kInvalid: code page 932 does not hold it
  std::size_t length;
};

// The character at text[i], a byte beyond ASCII: a code point of the Basic Multilingual Plane
// from a well-formed sequence of two or three bytes; otherwise kInvalid, with the length that a
// conversion replaces by one '?' (four-byte characters included: code page 932 holds none).
Character DecodeAt(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
  const unsigned char lead = byte(0);
  const std::size_t left = text.size() - i;
  if (lead >= 0xC2 && lead <= 0xDF && left >= 2 && IsUtf8Continuation(byte(1))) {
    return {static_cast<char32_t>((lead & 0x1F) << 6 | (byte(1) & 0x3F)), 2};
  }
  if (lead >= 0xE0 && lead <= 0xEF && left >= 3 && IsUtf8Continuation(byte(1)) &&
      IsUtf8Continuation(byte(2))) {
    const auto codePoint =
        static_cast<char32_t>((lead & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F));
    if (codePoint >= 0x800 && (codePoint < 0xD800 || codePoint > 0xDFFF)) return {codePoint, 3};
  }
  return {kInvalid, Utf8CharacterLength(text.substr(i))};
}

// Walks the text: ascii(run) for each run of ASCII bytes, other(character, bytes) for each
// character beyond it.
template <typename Ascii, typename Other>
void ForEachRun(std::string_view text, Ascii ascii, Other other) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t end = SkipAscii(text, i);
    if (end > i) ascii(text.substr(i, end - i));
    if (end == text.size()) return;
    const Character character = DecodeAt(text, end);
    other(character, text.substr(end, character.length));
    i = end + character.length;
  }
}

std::uint16_t SjisCode(const Cp932Table& table, char32_t codePoint) {
  return codePoint == kInvalid ? 0 : table.sjis[codePoint];
}

char* PutSjis(char* out, std::uint16_t code) {
  if (code > 0xFF) *out++ = static_cast<char>(code >> 8);
  *out++ = static_cast<char>(code & 0xFF);
  return out;
}

}  // namespace

Utf8Measure MeasureUtf8(std::string_view utf8) {
  Utf8Measure measure;
  measure.width = SkipAscii(utf8, 0);
  if (measure.width == utf8.size()) return measure;
  const Cp932Table& table = Table();
  ForEachRun(
      utf8.substr(measure.width), [&](std::string_view run) { measure.width += run.size(); },
      [&](const Character& character, std::string_view) {
        measure.width += SjisCode(table, character.codePoint) > 0xFF ? 2 : 1;
        measure.comesBack = measure.comesBack && character.codePoint != kInvalid &&
                            !table.changes[character.codePoint];
      });
  return measure;
}

void AppendThroughSjis(std::string_view utf8, std::string& out) {
  const Cp932Table& table = Table();
  ForEachRun(
      utf8, [&](std::string_view run) { out += run; },
      [&](const Character& character, std::string_view bytes) {
        if (SjisCode(table, character.codePoint) == 0) {
          out += kReplacement;
        } else if (!table.changes[character.codePoint]) {
          out += bytes;
        } else {
          const auto back = std::lower_bound(table.comesBackAs.begin(), table.comesBackAs.end(),
                                             std::pair(character.codePoint, char32_t{0}));
          AppendUtf8(out, back->second);
        }
      });
}

void AppendUtf8AsSjis(std::string_view utf8, std::string& out) {
  const Cp932Table& table = Table();
  ForEachRun(
      utf8, [&](std::string_view run) { out += run; },
      [&](const Character& character, std::string_view) {
        const std::uint16_t code = SjisCode(table, character.codePoint);
        if (code == 0) {
          out += kReplacement;
          return;
        }
        char bytes[2];
        out.append(bytes, PutSjis(bytes, code));
      });
}

std::optional<std::size_t> Utf8ToSjisInPlace(std::string& text, std::size_t from) {
  char* const data = text.data();
  const std::string_view view = text;
  std::size_t read = from;
  char* out = data;
  while (read < view.size()) {
    const std::size_t end = SkipAscii(view, read);
    std::memmove(out, data + read, end - read);
    out += end - read;
    read = end;
    if (read == view.size()) break;
    const Character character = DecodeAt(view, read);
    const std::uint16_t code = SjisCode(Table(), character.codePoint);
    if (code == 0) return static_cast<std::size_t>(out - data);
    out = PutSjis(out, code);
    read += character.length;
  }
  text.resize(static_cast<std::size_t>(out - data));
  return std::nullopt;
}

std::optional<std::size_t> Utf16ToSjisInPlace(std::string& text, std::size_t from, bool bigEndian) {
  char* const data = text.data();
  char* out = data;
  for (std::size_t read = from; read + 1 < text.size(); read += 2) {
    const auto first = static_cast<unsigned char>(data[read]);
    const auto second = static_cast<unsigned char>(data[read + 1]);
    const char32_t unit = bigEndian ? (first << 8) | second : (second << 8) | first;
    const bool surrogate = unit >= 0xD800 && unit <= 0xDFFF;
    const std::uint16_t code = surrogate ? 0 : Table().sjis[unit];
    if (code == 0 && unit != 0) return static_cast<std::size_t>(out - data);
    out = PutSjis(out, code);
  }
  text.resize(static_cast<std::size_t>(out - data));
  return std::nullopt;
}

}  // namespace tarnwick
