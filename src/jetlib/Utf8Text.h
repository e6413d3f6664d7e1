#pragma once
// Walking UTF-8 text by characters (code points): the library counts positions and lengths in
// characters, so that a Japanese character is one, as in Jet.
#include <cstddef>
#include <string_view>

namespace tarnwick::jetlib {

// The number of characters of well-formed UTF-8 text.
std::size_t CharacterCount(std::string_view text);

// The byte offset where character number `characters` (0-based) begins; text.size() when the
// text has no more characters than that.
std::size_t ByteOffsetOfCharacter(std::string_view text, std::size_t characters);

// The code point at byte offset `at`, which moves past it. Bytes that are no valid UTF-8 come
// back one at a time as themselves.
char32_t NextCodePoint(std::string_view text, std::size_t& at);

}  // namespace tarnwick::jetlib
