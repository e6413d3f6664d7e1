#include "console/StatementAtCaret.h"

#include <string>
#include <vector>

#include "console/RunScript.h"
#include "console/SplitScript.h"
#include "text/TextBytes.h"

namespace tarnwick {

bool IsBlankStatement(std::string_view piece) {
  std::string stripped(piece);
  StripComments(stripped);
  std::string_view rest = TrimBlanks(stripped);
  if (!rest.empty() && rest.back() == ';') rest = TrimBlanks(rest.substr(0, rest.size() - 1));
  return rest.empty();
}

std::optional<TextRange> StatementAtCaret(std::string_view script, std::size_t caret) {
  std::vector<TextRange> pieces;
  const char* const start = script.data();
  SplitScript(script, {}, [&](std::string_view piece) {
    const auto begin = static_cast<std::size_t>(piece.data() - start);
    pieces.push_back({begin, begin + piece.size()});
    return true;
  });
  // The piece the caret stands in: the first whose end lies at or after the caret.
  std::size_t at = 0;
  while (at < pieces.size() && pieces[at].end < caret) ++at;
  if (at == pieces.size()) {
    if (pieces.empty()) return std::nullopt;
    at = pieces.size() - 1;
  }
  auto runnable = [&](std::size_t i) {
    const TextRange& piece = pieces[i];
    return !IsBlankStatement(script.substr(piece.begin, piece.end - piece.begin));
  };
  for (std::size_t i = at + 1; i-- > 0;) {
    if (runnable(i)) return pieces[i];
  }
  for (std::size_t i = at + 1; i < pieces.size(); ++i) {
    if (runnable(i)) return pieces[i];
  }
  return std::nullopt;
}

}  // namespace tarnwick
