#pragma once
#include <string_view>

namespace tarnwick {

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
