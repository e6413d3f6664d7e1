#include <algorithm>

#include "console/RunScript.h"
#include "text/TextBytes.h"

namespace tarnwick {

namespace {

// One kind of comment, by the two bytes that open it and the bytes that close it.
struct CommentMarks {
  std::string_view open;
  std::string_view close;
};

constexpr CommentMarks kLineComment{"--", "\r\n"};
constexpr CommentMarks kBlockComment{"/*", "*/"};

// Removes every `removed` comment outside literals, the closing bytes included; a comment
// without its closing bytes cuts the text. The search for the closing bytes begins at the
// second byte of the opening, so for "/*" and "*/" the bytes "/*/" form a whole comment. A
// removal can join the byte before it and the byte after it into a new opening; that new
// opening counts, as if the search started over. Literals ('...' or "...", a doubled quote
// inside) are copied as they are. Comments of the `walked` kind are kept, and a quote inside
// one opens no literal; a `removed` opening inside one still counts (a "--" inside a block
// comment removes the rest of its line).
void RemoveComments(std::string& text, CommentMarks removed, CommentMarks walked) {
  if (text.find(removed.open) == std::string::npos) return;  // most statements carry none
  std::string kept;
  kept.reserve(text.size());
  char openQuote = 0;
  bool inWalked = false;
  for (std::size_t read = 0; read < text.size(); ++read) {
    const char byte = text[read];
    kept.push_back(byte);
    if (openQuote != 0) {
      if (byte != openQuote) continue;
      if (read + 1 < text.size() && text[read + 1] == openQuote) {
        kept.push_back(text[++read]);  // a doubled quote stays inside the literal
      } else {
        openQuote = 0;
      }
    } else if (kept.ends_with(removed.open)) {
      kept.resize(kept.size() - removed.open.size());
      const std::size_t closing = text.find(removed.close, read);
      if (closing == std::string::npos) break;
      read = closing + removed.close.size() - 1;
    } else if (inWalked) {
      inWalked = !kept.ends_with(walked.close);
    } else if (!walked.open.empty() && kept.ends_with(walked.open)) {
      inWalked = true;
    } else if (IsQuoteByte(byte)) {
      openQuote = byte;
    }
  }
  text = std::move(kept);
}

}  // namespace

void StripComments(std::string& statement) {
  RemoveComments(statement, kLineComment, kBlockComment);
  RemoveComments(statement, kBlockComment, {});
  std::ranges::replace(statement, '\t', ' ');
}

}  // namespace tarnwick
