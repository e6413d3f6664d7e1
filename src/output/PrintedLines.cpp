#include "output/PrintedLines.h"

#include "text/Cp932.h"

namespace tarnwick {

namespace {

// Code page 932's lead bytes, and also 0x80, which the code page leaves unassigned.
bool StartsTwoByteCharacter(char byte) {
  const auto value = static_cast<unsigned char>(byte);
  return value == 0x80 || IsSjisLeadByte(value);
}

}  // namespace

std::vector<std::string> LogLines(std::string_view sjisLog) {
  std::vector<std::string> lines;
  std::size_t begin = 0;
  while (begin < sjisLog.size()) {
    const std::size_t end = sjisLog.find_first_of("\r\n", begin);
    if (end == std::string_view::npos) {
      lines.emplace_back(sjisLog.substr(begin));
      break;
    }
    lines.emplace_back(sjisLog.substr(begin, end - begin));
    const bool crLf = sjisLog[end] == '\r' && end + 1 < sjisLog.size() && sjisLog[end + 1] == '\n';
    begin = end + (crLf ? 2 : 1);
  }
  return lines;
}

std::vector<std::string_view> PrintCharacters(std::string_view sjisLine) {
  std::vector<std::string_view> characters;
  characters.reserve(sjisLine.size());
  std::size_t at = 0;
  while (at < sjisLine.size()) {
    const bool twoBytes = StartsTwoByteCharacter(sjisLine[at]) && at + 1 < sjisLine.size();
    const std::size_t length = twoBytes ? 2 : 1;
    characters.push_back(sjisLine.substr(at, length));
    at += length;
  }
  return characters;
}

}  // namespace tarnwick
