#include "text/AsciiCase.h"

#include "text/Cp932.h"

namespace tarnwick {

namespace {

char LowerAscii(char byte) { return byte >= 'A' && byte <= 'Z' ? byte - 'A' + 'a' : byte; }

}  // namespace

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& byte : upper) byte = UpperAscii(byte);
  return upper;
}

bool EqualsIgnoringAsciiCaseUtf8(std::string_view left, std::string_view right) {
  if (left.size() != right.size()) return false;
  for (std::size_t i = 0; i < left.size(); ++i) {
    if (UpperAscii(left[i]) != UpperAscii(right[i])) return false;
  }
  return true;
}

bool EqualsIgnoringAsciiCase(std::string_view left, std::string_view right) {
  if (left.size() != right.size()) return false;
  for (std::size_t i = 0; i < left.size(); ++i) {
    if (IsSjisLeadByte(static_cast<unsigned char>(left[i]))) {
      // The lead bytes are equal here or the texts differ; the trail byte must match exactly.
      if (left[i] != right[i]) return false;
      if (++i < left.size() && left[i] != right[i]) return false;
    } else if (LowerAscii(left[i]) != LowerAscii(right[i])) {
      return false;
    }
  }
  return true;
}

}  // namespace tarnwick
