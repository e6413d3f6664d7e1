#pragma once
// StrConv's Japanese conversions: full-width and half-width forms, katakana and hiragana.
#include <string>
#include <string_view>

namespace tarnwick::jetlib {

// Half-width to full-width: ASCII letters, digits and signs, the space (to U+3000), the
// backslash (to the yen sign, as code page 932 shows it) and half-width katakana, whose
// voiced sound marks join the letter before them (ｶﾞ becomes ガ).
std::string ToWide(std::string_view text);

// Full-width to half-width, the reverse; katakana without a half-width form stay as they are,
// a voiced letter becomes its letter and the mark (ガ becomes ｶﾞ).
std::string ToNarrow(std::string_view text);

// Hiragana to katakana, and back. Katakana that code page 932 has no hiragana for (ヴ, ヵ, ヶ)
// stay katakana, so the text stays readable in the console.
std::string ToKatakana(std::string_view text);
std::string ToHiragana(std::string_view text);

}  // namespace tarnwick::jetlib
