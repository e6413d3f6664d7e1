#include "gui/ErrorText.h"

#include "text/Cp932.h"

namespace tarnwick {

namespace {

// The last character of a Shift-JIS text, found by reading it from the start (a trail byte
// may have the value of any ASCII character).
std::string_view LastCharacter(std::string_view sjis) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < sjis.size();) {
    start = i;
    i += IsSjisLeadByte(static_cast<unsigned char>(sjis[i])) && i + 1 < sjis.size() ? 2 : 1;
  }
  return sjis.substr(start);
}

}  // namespace

std::string StandardErrorText(std::string_view sjisMessage) {
  std::string text(sjisMessage);
  if (text.empty()) return text;
  const std::string_view last = LastCharacter(text);
  static const std::string fullStops[] = {Sjis("。"), Sjis("．")};
  for (const std::string& stop : fullStops) {
    if (last == stop) return text;
  }
  if (static_cast<unsigned char>(text.back()) > '.') text += '.';
  return text;
}

}  // namespace tarnwick
