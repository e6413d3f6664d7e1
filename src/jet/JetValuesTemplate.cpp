#include "jet/JetValuesTemplate.h"

#include <charconv>

#include "jet/JetDateLiteral.h"
#include "jet/JetLexer.h"

namespace tarnwick {

namespace {

std::optional<JetLiteralValue> NumberValue(std::string_view text, bool negative) {
  JetLiteralValue value;
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (text.find_first_of(".eE") == std::string_view::npos) {
    const auto [stop, error] = std::from_chars(begin, end, value.integer);
    if (error == std::errc() && stop == end) {
      if (negative) value.integer = -value.integer;
      return value;
    }
  }
  value.kind = JetLiteralValue::Kind::Real;
  const auto [stop, error] = std::from_chars(begin, end, value.real);
  if (error != std::errc() || stop != end) return std::nullopt;
  if (negative) value.real = -value.real;
  return value;
}

// The value of a literal token; nothing for a token that is none or that the front end must
// report on.
std::optional<JetLiteralValue> LiteralValue(const JetToken& token, bool negative) {
  if (!token.terminated) return std::nullopt;
  if (token.kind == JetTokenKind::Number) return NumberValue(token.text, negative);
  if (negative) return std::nullopt;
  JetLiteralValue value;
  value.kind = JetLiteralValue::Kind::Text;
  if (IsTextToken(token)) {
    value.text = JetNameValue(token);
    return value;
  }
  if (token.kind != JetTokenKind::Date) return std::nullopt;
  std::optional<std::string> date =
      JetDateLiteralValue(token.text.substr(1, token.text.size() - 2));
  if (!date) return std::nullopt;
  value.text = std::move(*date);
  return value;
}

}  // namespace

std::optional<JetValuesTemplate> JetInsertValuesTemplate(std::string_view sql) {
  std::vector<JetToken> tokens;
  tokens.reserve(sql.size() / 3);
  for (JetLexer lexer(sql); !lexer.AtEnd();) {
    const JetToken token = lexer.Next();
    if (!IsTrivia(token)) tokens.push_back(token);
  }
  while (!tokens.empty() && IsPunct(tokens.back(), ";")) tokens.pop_back();
  if (tokens.empty() || !IsKeyword(tokens[0], "INSERT")) return std::nullopt;
  std::size_t i = 1;
  while (i < tokens.size() && !IsKeyword(tokens[i], "VALUES")) ++i;
  JetValuesTemplate result;
  result.text.reserve(sql.size());
  result.values.reserve(tokens.size() / 2);
  std::size_t copied = 0;  // the source text up to here is in result.text
  int depth = 0;
  for (; i < tokens.size(); ++i) {
    const JetToken& token = tokens[i];
    if (IsPunct(token, ";")) return std::nullopt;  // a second statement
    if (IsPunct(token, ")")) --depth;
    const bool opensRow = IsPunct(token, "(") && depth++ == 0;
    // A value of a row: after the row's "(" or a "," between its values, before "," or ")".
    if (!opensRow && !(depth == 1 && IsPunct(token, ","))) continue;
    std::size_t literal = i + 1;
    const bool negative = literal < tokens.size() && IsPunct(tokens[literal], "-");
    if (negative) ++literal;
    if (literal + 1 >= tokens.size()) continue;
    const JetToken& after = tokens[literal + 1];
    if (!IsPunct(after, ",") && !IsPunct(after, ")")) continue;
    std::optional<JetLiteralValue> value = LiteralValue(tokens[literal], negative);
    if (!value) continue;
    const std::size_t start = tokens[i + 1].offset;
    result.text.append(sql.substr(copied, start - copied)).append("?");
    copied = tokens[literal].End();
    result.values.push_back(std::move(*value));
  }
  if (result.values.empty()) return std::nullopt;
  result.text.append(sql.substr(copied));
  return result;
}

}  // namespace tarnwick
