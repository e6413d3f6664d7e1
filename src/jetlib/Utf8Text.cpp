#include "jetlib/Utf8Text.h"

namespace tarnwick::jetlib {

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

}  // namespace

std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text) count += IsContinuation(static_cast<unsigned char>(c)) ? 0 : 1;
  return count;
}

std::size_t ByteOffsetOfCharacter(std::string_view text, std::size_t characters) {
  std::size_t at = 0;
  while (characters > 0 && at < text.size()) {
    ++at;
    while (at < text.size() && IsContinuation(static_cast<unsigned char>(text[at]))) ++at;
    --characters;
  }
  return at;
}

char32_t NextCodePoint(std::string_view text, std::size_t& at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const int length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  if (length == 1 || at + length > text.size()) {
    ++at;
    return lead;
  }
  char32_t code = lead & (0x7F >> length);
  for (int k = 1; k < length; ++k) {
    const auto byte = static_cast<unsigned char>(text[at + k]);
    if (!IsContinuation(byte)) {
      ++at;
      return lead;
    }
    code = (code << 6) | (byte & 0x3F);
  }
  at += length;
  return code;
}

}  // namespace tarnwick::jetlib
