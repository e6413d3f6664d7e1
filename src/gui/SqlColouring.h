#pragma once
// What colour each part of a line of the SQL pane takes, from the Jet front end's lexer: the
// one place where the window reads the lexer's tokens. No Qt: offsets count bytes of the
// line's UTF-8 text.
#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace tarnwick {

enum class SqlColour { Plain, Keyword, Function, Text, Date, Number, Comment };

struct ColourSpan {
  std::size_t offset;
  std::size_t length;
  SqlColour colour;
};

// A form that a line leaves open for the next: a block comment without its closing "*/".
// Texts, names and #dates# are coloured up to the end of their line at most: a quote being
// typed does not colour the whole script below it.
enum class OpenForm { None, BlockComment };

// The coloured spans of one line, in order (plain text gets none). `carried` is what the line
// before left open; `leftOpen` receives what this line leaves open. A word followed by '('
// is a function unless it is a keyword that takes parentheses (IN, VALUES, CHAR(10), ...).
std::vector<ColourSpan> ColourLine(std::string_view utf8Line, OpenForm carried, OpenForm& leftOpen);

// Jet SQL's keywords as the colours know them, the data types included, in upper case.
std::span<const std::string_view> SqlKeywords();

}  // namespace tarnwick
