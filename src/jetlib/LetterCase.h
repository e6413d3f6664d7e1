#pragma once
// Upper and lower case of the letters Jet's text functions change: ASCII, Latin-1, Greek,
// Cyrillic and the full-width Latin letters of Japanese text. A letter and its other case
// take the same number of UTF-8 bytes, so positions carry over between the two.
#include <string>
#include <string_view>

namespace tarnwick::jetlib {

char32_t UpperOf(char32_t code);
char32_t LowerOf(char32_t code);

std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);

// Each word's first letter upper case and the rest lower case; words are separated by blanks
// (half-width or full-width spaces, tabs and line breaks).
std::string ToProperCase(std::string_view text);

}  // namespace tarnwick::jetlib
