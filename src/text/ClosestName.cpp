#include "text/ClosestName.h"

#include <algorithm>
#include <numeric>

namespace tarnwick {

namespace {

// The text's characters as code points; ASCII letters in lower case.
std::u32string Characters(std::string_view utf8) {
  std::u32string characters;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t value = lead < 0x80 ? lead : lead & (0x3F >> (length - 1));
    for (std::size_t k = 1; k < length && i + k < utf8.size(); ++k) {
      value = (value << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    if (value >= U'A' && value <= U'Z') value += U'a' - U'A';
    characters.push_back(value);
    i += length;
  }
  return characters;
}

// A name of one character is never a slip of another.
std::size_t AllowedEdits(std::size_t length) {
  if (length <= 1) return 0;
  if (length <= 4) return 1;
  if (length <= 8) return 2;
  return length / 4;
}

}  // namespace

std::size_t EditDistance(std::string_view utf8Left, std::string_view utf8Right) {
  const std::u32string left = Characters(utf8Left);
  const std::u32string right = Characters(utf8Right);
  // Three rows of the table at a time: row i holds the distances of left[0, i) to each
  // right[0, j); two neighbours swapped (FORM for FROM) count as one edit.
  std::vector<std::size_t> before(right.size() + 1);
  std::vector<std::size_t> previous(right.size() + 1);
  std::iota(previous.begin(), previous.end(), std::size_t{0});
  std::vector<std::size_t> current(right.size() + 1);
  for (std::size_t i = 1; i <= left.size(); ++i) {
    current[0] = i;
    for (std::size_t j = 1; j <= right.size(); ++j) {
      const std::size_t substitution = previous[j - 1] + (left[i - 1] == right[j - 1] ? 0 : 1);
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitution});
      if (i > 1 && j > 1 && left[i - 1] == right[j - 2] && left[i - 2] == right[j - 1]) {
        current[j] = std::min(current[j], before[j - 2] + 1);
      }
    }
    std::swap(before, previous);
    std::swap(previous, current);
  }
  return previous[right.size()];
}

std::optional<std::string> ClosestName(std::string_view utf8Typed,
                                       const std::vector<std::string>& candidates) {
  const std::size_t allowed = AllowedEdits(Characters(utf8Typed).size());
  const std::string* best = nullptr;
  std::size_t bestDistance = allowed + 1;
  for (const std::string& candidate : candidates) {
    const std::size_t distance = EditDistance(utf8Typed, candidate);
    if (distance == 0) return std::nullopt;
    if (distance < bestDistance) {
      best = &candidate;
      bestDistance = distance;
    }
  }
  if (best == nullptr) return std::nullopt;
  return *best;
}

}  // namespace tarnwick
