#pragma once
// Changes to a text given as replacements of byte ranges; everything else stays as it was.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

struct SourceEdit {
  std::size_t offset;  // where the replaced range starts
  std::size_t length;  // bytes replaced; 0 inserts
  std::string text;    // what stands there instead
};

// Applies edits whose ranges do not overlap. Insertions at the same offset keep their order.
std::string ApplySourceEdits(std::string_view source, std::vector<SourceEdit> edits);

}  // namespace tarnwick
