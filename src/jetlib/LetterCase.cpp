#include "jetlib/LetterCase.h"

#include "jetlib/Utf8Text.h"
#include "text/Cp932.h"

namespace tarnwick::jetlib {

namespace {

// A range of upper-case letters whose lower-case forms lie `offset` code points above.
struct CasePair {
  char32_t firstUpper;
  char32_t lastUpper;
  char32_t offset;
};
constexpr CasePair kCasePairs[] = {
    {U'A', U'Z', 0x20},   {0xC0, 0xD6, 0x20},   {0xD8, 0xDE, 0x20},   {0x391, 0x3A1, 0x20},
    {0x3A3, 0x3A9, 0x20}, {0x410, 0x42F, 0x20}, {0x400, 0x40F, 0x50}, {0xFF21, 0xFF3A, 0x20},
};

bool IsWordBreak(char32_t code) {
  return code == U' ' || code == U'\t' || code == U'\r' || code == U'\n' || code == 0x3000 ||
         code == 0;
}

template <typename Map>
std::string MapLetters(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const unsigned char byte = static_cast<unsigned char>(text[at]);
    if (byte < 0x80) {  // the common case, without decoding
      out.push_back(static_cast<char>(map(byte)));
      ++at;
      continue;
    }
    AppendUtf8(out, map(NextCodePoint(text, at)));
  }
  return out;
}

}  // namespace

char32_t UpperOf(char32_t code) {
  for (const CasePair& pair : kCasePairs) {
    if (code >= pair.firstUpper + pair.offset && code <= pair.lastUpper + pair.offset)
      return code - pair.offset;
  }
  return code;
}

char32_t LowerOf(char32_t code) {
  for (const CasePair& pair : kCasePairs) {
    if (code >= pair.firstUpper && code <= pair.lastUpper) return code + pair.offset;
  }
  return code;
}

std::string ToUpper(std::string_view text) { return MapLetters(text, UpperOf); }
std::string ToLower(std::string_view text) { return MapLetters(text, LowerOf); }

std::string ToProperCase(std::string_view text) {
  bool wordStart = true;
  return MapLetters(text, [&](char32_t code) {
    const char32_t mapped = wordStart ? UpperOf(code) : LowerOf(code);
    wordStart = IsWordBreak(code);
    return mapped;
  });
}

}  // namespace tarnwick::jetlib
