#pragma once
// Byte-level helpers for console text (Shift-JIS). Every byte they look for lies below 0x40,
// a value that never occurs inside a double-byte character, so they scan byte by byte.
#include <string_view>

namespace tarnwick {

// Spaces, TABs, line breaks and every other control byte: values 0x20 and below.
inline bool IsBlankByte(char byte) { return static_cast<unsigned char>(byte) <= 0x20; }

// The bytes that open and close a literal: '...' and "...".
inline bool IsQuoteByte(char byte) { return byte == '"' || byte == '\''; }

// The text without its leading and trailing blank bytes (see IsBlankByte).
inline std::string_view TrimBlanks(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlankByte(text[begin])) ++begin;
  while (end > begin && IsBlankByte(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// The text without its leading and trailing spaces (0x20 only; line breaks stay).
inline std::string_view TrimSpaces(std::string_view text) {
  const std::size_t begin = text.find_first_not_of(' ');
  if (begin == std::string_view::npos) return {};
  return text.substr(begin, text.find_last_not_of(' ') + 1 - begin);
}

}  // namespace tarnwick
