#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// The entries of an INI text, looked up by section and key without regard to ASCII letter
// case. Lines end at CR, LF or CR LF and are stripped of blanks and control characters at
// both ends; empty lines, lines beginning with ';' and entries before the first section are
// ignored. A section that occurs twice continues the first; the first entry of a key counts.
class IniFile {
 public:
  explicit IniFile(std::string_view text);

  // The value after the first '=' of the entry, blanks around the '=' dropped.
  std::optional<std::string> ReadString(std::string_view section, std::string_view key) const;
  // A decimal integer, optionally signed, or hexadecimal after "0x" or "$"; an absent, empty,
  // malformed or out-of-range value gives the default.
  int ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
  // An integer that is on when it is not 0 (default off).
  bool ReadSwitch(std::string_view section, std::string_view key) const;

 private:
  struct Entry {
    std::string section;
    std::string key;
    std::string value;
  };
  std::vector<Entry> entries_;
};

// Reads an integer as the settings file writes it (see IniFile::ReadInteger).
std::optional<int> ParseIniInteger(std::string_view text);

}  // namespace tarnwick
