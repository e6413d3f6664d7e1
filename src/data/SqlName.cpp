#include "data/SqlName.h"

#include <sqlite3.h>

#include "text/Cp932.h"

namespace tarnwick {
namespace {

bool IsAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool IsHalfWidthKana(unsigned char c) { return c >= 0xA1 && c <= 0xDF; }

bool IsKeyword(std::string_view name) {
  return sqlite3_keyword_check(name.data(), static_cast<int>(name.size())) != 0;
}

}  // namespace

std::string QuotedName(std::string_view name) {
  std::string quoted = "\"";
  for (char c : name) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

bool IsPlainName(std::string_view sjisName) {
  if (sjisName.empty() || IsDigit(static_cast<unsigned char>(sjisName.front()))) return false;
  for (std::size_t i = 0; i < sjisName.size(); ++i) {
    const auto c = static_cast<unsigned char>(sjisName[i]);
    if (IsSjisLeadByte(c)) {
      if (++i == sjisName.size()) return false;  // a cut double-byte character
    } else if (!IsAsciiLetter(c) && !IsDigit(c) && c != '_' && !IsHalfWidthKana(c)) {
      return false;
    }
  }
  return !IsKeyword(sjisName);
}

std::string SqlName(std::string_view sjisName) {
  if (IsPlainName(sjisName)) return std::string(sjisName);
  if (sjisName.find(']') == std::string_view::npos) return "[" + std::string(sjisName) + "]";
  return QuotedName(sjisName);  // brackets cannot enclose a ']'; double quotes can
}

}  // namespace tarnwick
