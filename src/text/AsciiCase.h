#pragma once
// The program's one way of telling ASCII letters apart from their case: the letters A to Z and
// a to z only, whatever the locale, every other byte left as it is.
#include <string>
#include <string_view>

namespace tarnwick {

constexpr char UpperAscii(char byte) {
  return byte >= 'a' && byte <= 'z' ? static_cast<char>(byte - 'a' + 'A') : byte;
}

// The text with its ASCII letters raised (UTF-8 or ASCII text: no byte of a multi-byte
// character is a letter there).
std::string UpperAscii(std::string_view text);

// True when both UTF-8 texts are equal once the ASCII letters are raised: how the engine and
// Jet compare names and keywords.
bool EqualsIgnoringAsciiCaseUtf8(std::string_view left, std::string_view right);

// True when both Shift-JIS texts are equal once the ASCII letters A to Z are lowered. The
// second byte of a double-byte character is compared exactly, even where it has the value
// of an ASCII letter, so that two different double-byte characters never match.
bool EqualsIgnoringAsciiCase(std::string_view left, std::string_view right);

// True when the text begins with the prefix, compared as EqualsIgnoringAsciiCase compares.
inline bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace tarnwick
