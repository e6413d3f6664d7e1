#pragma once
// INSERT ... VALUES statements that differ only in their values (a script that fills a table)
// share one compiled statement: the statement with its literal values replaced by parameters,
// compiled once, and the values bound each time.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// A literal value, as the engine would read it from the statement's text.
struct JetLiteralValue {
  enum class Kind : unsigned char { Integer, Real, Text } kind = Kind::Integer;
  std::int64_t integer = 0;
  double real = 0;
  std::string text;  // UTF-8; a date literal in its stored form
};

struct JetValuesTemplate {
  std::string text;  // the statement with each literal value replaced by "?"
  std::vector<JetLiteralValue> values;
};

// For INSERT INTO ... VALUES (...): every value that is a literal number (with an optional
// sign), text or date alone replaced by a parameter, and the literals in order, as the parser
// reads them. Nothing for other statements, for one without such values, and for one the
// parser refuses or that holds a second statement (the statement itself then reports why).
std::optional<JetValuesTemplate> JetInsertValuesTemplate(std::string_view sql);

}  // namespace tarnwick
