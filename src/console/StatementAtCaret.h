#pragma once
// The statement a caret stands in, as the splitter cuts the script: what "run the statement
// under the caret" runs and what completion looks at.
#include <cstddef>
#include <optional>
#include <string_view>

namespace tarnwick {

// A piece of a text: the bytes [begin, end).
struct TextRange {
  std::size_t begin = 0;
  std::size_t end = 0;
  bool operator==(const TextRange&) const = default;
};

// The statement of `script` (CR LF line breaks; Shift-JIS or UTF-8, whose multi-byte
// characters hold no byte the splitter looks for) that the caret at byte offset `caret` stands
// in: the bytes from the end of the statement before it up to and including its own ';', as
// SplitScript cuts them. A caret right after a ';' belongs to the statement that ';' ends. A
// caret in a piece that holds nothing to run (blanks, comments, a ';' alone) takes the
// nearest statement before it, else the nearest after it; nothing when the script has none.
std::optional<TextRange> StatementAtCaret(std::string_view script, std::size_t caret);

// True when a piece of script holds nothing to run: blanks and comments, with or without
// its ';'.
bool IsBlankStatement(std::string_view piece);

}  // namespace tarnwick
