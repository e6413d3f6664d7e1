#include "jetlib/KanaWidth.h"

#include "jetlib/Utf8Text.h"
#include "text/Cp932.h"

namespace tarnwick::jetlib {

namespace {

constexpr char32_t kFirstHalfKana = 0xFF61;
constexpr char32_t kLastHalfKana = 0xFF9F;
constexpr char32_t kHalfVoicedMark = 0xFF9E;
constexpr char32_t kHalfSemiVoicedMark = 0xFF9F;
constexpr char32_t kVu = 0x30F4;
constexpr char32_t kU = 0x30A6;

// The full-width form of each half-width katakana U+FF61..U+FF9F.
constexpr char16_t kWideKana[] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9,
    0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB,
    0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1,
    0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5,
    0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9,
    0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C,
};
static_assert(std::size(kWideKana) == kLastHalfKana - kFirstHalfKana + 1);

// Katakana that take the voiced mark (カ..ト, ハ..ホ): the voiced form is one code point up.
bool TakesVoicedMark(char32_t code) {
  return (code >= 0x30AB && code <= 0x30C2 && (code - 0x30AB) % 2 == 0) || code == 0x30C4 ||
         code == 0x30C6 || code == 0x30C8 ||
         (code >= 0x30CF && code <= 0x30DB && (code - 0x30CF) % 3 == 0);
}
// ハ, ヒ, フ, ヘ, ホ also take the semi-voiced mark: two code points up.
bool TakesSemiVoicedMark(char32_t code) {
  return code >= 0x30CF && code <= 0x30DB && (code - 0x30CF) % 3 == 0;
}

char32_t HalfKanaOf(char32_t wide) {
  for (char32_t k = 0; k < std::size(kWideKana); ++k) {
    if (kWideKana[k] == wide) return kFirstHalfKana + k;
  }
  return 0;
}

char32_t WideOf(char32_t code) {
  if (code == U' ') return 0x3000;
  if (code == U'\\') return 0xFFE5;
  if (code >= 0x21 && code <= 0x7E) return code + 0xFEE0;
  if (code >= kFirstHalfKana && code <= kLastHalfKana) return kWideKana[code - kFirstHalfKana];
  return code;
}

}  // namespace

std::string ToWide(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (std::size_t at = 0; at < text.size();) {
    char32_t code = WideOf(NextCodePoint(text, at));
    if (at < text.size()) {  // a half-width voiced mark joins the letter before it
      std::size_t next = at;
      const char32_t mark = NextCodePoint(text, next);
      if (mark == kHalfVoicedMark && (TakesVoicedMark(code) || code == kU)) {
        code = code == kU ? kVu : code + 1;
        at = next;
      } else if (mark == kHalfSemiVoicedMark && TakesSemiVoicedMark(code)) {
        code += 2;
        at = next;
      }
    }
    AppendUtf8(out, code);
  }
  return out;
}

std::string ToNarrow(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const char32_t code = NextCodePoint(text, at);
    if (code == 0x3000) {
      out.push_back(' ');
    } else if (code == 0xFFE5) {
      out.push_back('\\');
    } else if (code >= 0xFF01 && code <= 0xFF5E) {
      out.push_back(static_cast<char>(code - 0xFEE0));
    } else if (char32_t half = HalfKanaOf(code)) {
      AppendUtf8(out, half);
    } else if (code == kVu) {
      AppendUtf8(out, HalfKanaOf(kU));
      AppendUtf8(out, kHalfVoicedMark);
    } else if (TakesVoicedMark(code - 1) && HalfKanaOf(code - 1) != 0) {
      AppendUtf8(out, HalfKanaOf(code - 1));
      AppendUtf8(out, kHalfVoicedMark);
    } else if (TakesSemiVoicedMark(code - 2)) {
      AppendUtf8(out, HalfKanaOf(code - 2));
      AppendUtf8(out, kHalfSemiVoicedMark);
    } else {
      AppendUtf8(out, code);
    }
  }
  return out;
}

std::string ToKatakana(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const char32_t code = NextCodePoint(text, at);
    const bool hiragana = (code >= 0x3041 && code <= 0x3093) || code == 0x309D || code == 0x309E;
    AppendUtf8(out, hiragana ? code + 0x60 : code);
  }
  return out;
}

std::string ToHiragana(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const char32_t code = NextCodePoint(text, at);
    const bool katakana = (code >= 0x30A1 && code <= 0x30F3) || code == 0x30FD || code == 0x30FE;
    AppendUtf8(out, katakana ? code - 0x60 : code);
  }
  return out;
}

}  // namespace tarnwick::jetlib
