#include "files/IniFile.h"

#include <charconv>
#include <climits>
#include <cstdint>

namespace tarnwick {
namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= 0x20 || c == 0x7F; }

std::string_view Strip(std::string_view text) {
  while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
  return text;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

// Splits at CR LF, CR or LF.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

}  // namespace

IniFile::IniFile(std::string_view text) {
  std::optional<std::string> section;
  for (std::string_view raw : SplitLines(text)) {
    std::string_view line = Strip(raw);
    if (line.empty() || line.front() == ';') continue;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
      section = std::string(Strip(line.substr(1, line.size() - 2)));
      continue;
    }
    if (!section) continue;
    std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    entries_.push_back({*section, std::string(Strip(line.substr(0, equals))),
                        std::string(Strip(line.substr(equals + 1)))});
  }
}

std::optional<std::string> IniFile::ReadString(std::string_view section,
                                               std::string_view key) const {
  for (const Entry& entry : entries_) {
    if (SameIgnoringCase(entry.section, section) && SameIgnoringCase(entry.key, key)) {
      return entry.value;
    }
  }
  return std::nullopt;
}

int IniFile::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
  std::optional<std::string> value = ReadString(section, key);
  if (!value) return defaultValue;
  return ParseIniInteger(*value).value_or(defaultValue);
}

bool IniFile::ReadSwitch(std::string_view section, std::string_view key) const {
  return ReadInteger(section, key, 0) != 0;
}

std::optional<int> ParseIniInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.starts_with("0x") || text.starts_with("0X")) {
    base = 16;
    text.remove_prefix(2);
  } else if (text.starts_with("$")) {
    base = 16;
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::uint64_t magnitude = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (magnitude > static_cast<std::uint64_t>(INT_MAX) + 1) return std::nullopt;
  std::int64_t value = static_cast<std::int64_t>(magnitude);
  if (negative) value = -value;
  if (value > INT_MAX) return std::nullopt;
  return static_cast<int>(value);
}

}  // namespace tarnwick
