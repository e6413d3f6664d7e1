#include "jet/SourceEdits.h"

#include <algorithm>

namespace tarnwick {

std::string ApplySourceEdits(std::string_view source, std::vector<SourceEdit> edits) {
  std::stable_sort(edits.begin(), edits.end(),
                   [](const SourceEdit& a, const SourceEdit& b) { return a.offset < b.offset; });
  std::string result;
  result.reserve(source.size() + 64);
  std::size_t copied = 0;
  for (const SourceEdit& edit : edits) {
    if (edit.offset > copied) result.append(source.substr(copied, edit.offset - copied));
    result.append(edit.text);
    copied = std::max(copied, edit.offset + edit.length);
  }
  result.append(source.substr(copied));
  return result;
}

}  // namespace tarnwick
