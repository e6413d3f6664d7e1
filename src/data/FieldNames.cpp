#include "data/FieldNames.h"

#include <unordered_set>

#include "text/Cp932.h"

namespace tarnwick {

namespace {

// The name with ASCII letters in lower case; the second byte of a double-byte character,
// which may look like a letter, stays as it is.
std::string FoldCase(const std::string& sjisName) {
  std::string folded = sjisName;
  for (std::size_t i = 0; i < folded.size(); ++i) {
    const auto c = static_cast<unsigned char>(folded[i]);
    if (IsSjisLeadByte(c)) {
      ++i;
    } else if (c >= 'A' && c <= 'Z') {
      folded[i] = static_cast<char>(c - 'A' + 'a');
    }
  }
  return folded;
}

}  // namespace

std::vector<std::string> UniqueFieldNames(const std::vector<std::string>& columnNames) {
  std::unordered_set<std::string> taken;
  for (const std::string& name : columnNames) taken.insert(FoldCase(name));
  std::unordered_set<std::string> given;
  std::vector<std::string> names;
  names.reserve(columnNames.size());
  for (const std::string& name : columnNames) {
    std::string unique = name;
    if (name.empty() || given.contains(FoldCase(name))) {
      const std::string stem = name.empty() ? "COLUMN" : name + "_";
      for (int number = 1;; ++number) {
        unique = stem + std::to_string(number);
        if (!taken.contains(FoldCase(unique))) break;
      }
      taken.insert(FoldCase(unique));
    }
    given.insert(FoldCase(unique));
    names.push_back(std::move(unique));
  }
  return names;
}

}  // namespace tarnwick
