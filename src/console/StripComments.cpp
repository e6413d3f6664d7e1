#include <algorithm>

#include "console/RunScript.h"

namespace tarnwick {

namespace {

// Removes every comment that begins with the two bytes `open` and ends with the two bytes
// `close`, the closing pair included; a comment without its closing pair cuts the text.
// The search for `close` begins at the second byte of `open`, so for "/*" and "*/" the
// bytes "/*/" form a whole comment. A removal can join the byte before it and the byte
// after it into a new `open`; that new opening counts, as if the search started over.
void RemoveComments(std::string& text, std::string_view open, std::string_view close) {
  const std::size_t first = text.find(open);
  if (first == std::string::npos) return;  // most statements carry no comment
  std::string kept(text, 0, first);
  kept.reserve(text.size());
  for (std::size_t read = first; read < text.size(); ++read) {
    kept.push_back(text[read]);
    if (!kept.ends_with(open)) continue;
    kept.resize(kept.size() - open.size());
    const std::size_t closing = text.find(close, read);
    if (closing == std::string::npos) break;
    read = closing + close.size() - 1;
  }
  text = std::move(kept);
}

}  // namespace

void StripComments(std::string& statement) {
  RemoveComments(statement, "--", "\r\n");
  RemoveComments(statement, "/*", "*/");
  std::ranges::replace(statement, '\t', ' ');
}

}  // namespace tarnwick
