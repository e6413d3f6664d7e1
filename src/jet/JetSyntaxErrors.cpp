#include "jet/JetSyntaxErrors.h"

#include <optional>
#include <string>
#include <vector>

#include "text/ClosestName.h"
#include "text/messages/Hints.h"

namespace tarnwick {

namespace {

using msg::HintId;
using msg::MessageId;
using msg::SqlClause;

bool IsReserved(const JetToken& token) { return HasRole(token.keyword, kReserved); }

// A word, number, text, name or date: what an operand begins with.
bool StartsOperand(const JetToken& token) {
  switch (token.kind) {
    case JetTokenKind::Word:
      return !IsReserved(token) || IsKeyword(token, JetKeyword::Null);
    case JetTokenKind::Number:
    case JetTokenKind::String:
    case JetTokenKind::DoubleQuoted:
    case JetTokenKind::BracketName:
    case JetTokenKind::Date:
      return true;
    default:
      return false;
  }
}

bool EndsOperand(const JetToken& token) { return StartsOperand(token) || IsPunct(token, ")"); }

// A keyword that begins a clause of SELECT and so ends the list before it.
bool BeginsClause(std::span<const JetToken> tokens, std::size_t i) {
  const JetToken& token = tokens[i];
  if (HasRole(token.keyword, kEndsList)) return true;
  return (IsKeyword(token, JetKeyword::Order) || IsKeyword(token, JetKeyword::Group)) &&
         i + 1 < tokens.size() && IsKeyword(tokens[i + 1], JetKeyword::By);
}

bool HasFrom(std::span<const JetToken> tokens) {
  std::size_t depth = 0;
  for (const JetToken& token : tokens) {
    if (IsPunct(token, "(")) ++depth;
    if (IsPunct(token, ")") && depth > 0) --depth;
    if (depth == 0 && IsKeyword(token, JetKeyword::From)) return true;
  }
  return false;
}

// The first token of the list item or operand run that ends before `position`: after the
// nearest comma, opening parenthesis or clause keyword at the same depth.
std::size_t ItemStart(std::span<const JetToken> tokens, std::size_t position) {
  std::size_t depth = 0;
  for (std::size_t i = position; i-- > 0;) {
    const JetToken& token = tokens[i];
    if (IsPunct(token, ")")) {
      ++depth;
    } else if (IsPunct(token, "(")) {
      if (depth == 0) return i + 1;
      --depth;
    } else if (depth == 0 && (IsPunct(token, ",") || HasRole(token.keyword, kStartsItem))) {
      return i + 1;
    }
  }
  return 0;
}

// The innermost '(' before `position` that no ')' closes.
std::size_t UnclosedParenthesis(std::span<const JetToken> tokens, std::size_t position) {
  std::size_t depth = 0;
  for (std::size_t i = position; i-- > 0;) {
    if (IsPunct(tokens[i], ")")) ++depth;
    if (IsPunct(tokens[i], "(")) {
      if (depth == 0) return i;
      --depth;
    }
  }
  return 0;
}

// The statement's text from one token to another, both included.
std::string TextFrom(std::span<const JetToken> tokens, std::size_t first, std::size_t last) {
  const char* begin = tokens[first].text.data();
  const char* end = tokens[last].text.data() + tokens[last].text.size();
  return {begin, static_cast<std::size_t>(end - begin)};
}

// The keyword a misspelt word may have meant.
std::optional<std::string> MeantKeyword(const JetToken& token) {
  static const std::vector<std::string> keywords = JetKeywordSpellings(kMeantKeyword);
  if (token.kind != JetTokenKind::Word || IsReserved(token) || token.text.size() < 3) {
    return std::nullopt;
  }
  return ClosestName(token.text, keywords);
}

msg::Hint MisspeltKeyword(const JetToken& token, const std::string& keyword) {
  return {HintId::MisspeltKeyword, {std::string(token.text), keyword}};
}

// "2024/04/01" written before the word: numbers joined by / or -.
std::optional<std::string> DateBefore(std::span<const JetToken> tokens, std::size_t position) {
  if (position < 5) return std::nullopt;
  const std::size_t first = position - 5;
  for (std::size_t i = first; i < position; i += 2) {
    if (tokens[i].kind != JetTokenKind::Number) return std::nullopt;
    if (i + 1 < position && !IsPunct(tokens[i + 1], "/") && !IsPunct(tokens[i + 1], "-")) {
      return std::nullopt;
    }
  }
  return TextFrom(tokens, first, position - 1);
}

// Two operands side by side: a comma, FROM, an operator or a keyword is missing between them.
msg::Diagnostic MissingOperator(std::span<const JetToken> tokens, std::size_t position,
                                SqlClause clause) {
  const JetToken& left = tokens[position - 1];
  const JetToken& right = tokens[position];
  msg::Diagnostic diagnostic{MessageId::MissingOperator,
                             {TextFrom(tokens, ItemStart(tokens, position), position)}};
  const std::string l(left.text);
  const std::string r(right.text);
  if (const std::optional<std::string> keyword = MeantKeyword(right)) {
    diagnostic.hint = MisspeltKeyword(right, *keyword);
  } else if (const std::optional<std::string> date = DateBefore(tokens, position)) {
    diagnostic.hint = {HintId::DateWithoutHashes, {*date}};
  } else if (left.kind == JetTokenKind::Number && right.kind == JetTokenKind::Word &&
             msg::hint::StartsWithDateUnit(right.text)) {
    diagnostic.hint = {HintId::DateWithoutHashes, {}};
  } else if (clause == SqlClause::Select && !HasFrom(tokens)) {
    diagnostic.hint = {HintId::MissingFrom, {l, r}};
  } else if (clause == SqlClause::Select || clause == SqlClause::OrderBy ||
             clause == SqlClause::GroupBy) {
    diagnostic.hint = {HintId::MissingComma, {l, r}};
  }
  return diagnostic;
}

// The hint for a word the statement cannot take where it stands.
msg::Hint WordHint(std::span<const JetToken> tokens, std::size_t position) {
  const JetToken& token = tokens[position];
  const JetToken* previous = position > 0 ? &tokens[position - 1] : nullptr;
  if (previous != nullptr && IsPunct(*previous, ",") && BeginsClause(tokens, position)) {
    return {HintId::ExtraComma, {std::string(token.text)}};
  }
  if (previous != nullptr &&
      (IsKeyword(*previous, JetKeyword::Order) || IsKeyword(*previous, JetKeyword::Group)) &&
      !IsKeyword(token, JetKeyword::By)) {
    return {HintId::MissingBy, {std::string(previous->text), std::string(token.text)}};
  }
  if (IsReserved(token) && !HasRole(token.keyword, kOperatorWord)) {
    return {HintId::ReservedWordAsName, {std::string(token.text)}};
  }
  if (const std::optional<std::string> keyword = MeantKeyword(token)) {
    return MisspeltKeyword(token, *keyword);
  }
  return {};
}

// The statement's text from an unclosed token to the next blank or ';', at most a few
// characters.
std::string_view StartOf(const JetToken& token) {
  constexpr std::size_t kMostBytes = 24;
  const auto endsStart = [&](std::size_t i) {
    const auto byte = static_cast<unsigned char>(token.text[i]);
    return i >= kMostBytes || byte <= ' ' || byte == ';';
  };
  std::size_t end = 1;
  while (end < token.text.size() && !endsStart(end)) ++end;
  while (end < token.text.size() && (static_cast<unsigned char>(token.text[end]) & 0xC0) == 0x80) {
    ++end;
  }
  return token.text.substr(0, end);
}

msg::Diagnostic Unterminated(const JetToken& token) {
  const std::string opening(token.text.substr(0, 1));
  msg::Diagnostic diagnostic{MessageId::Unterminated, {opening, std::string(StartOf(token))}};
  if (opening == "[") {
    diagnostic.hint = {HintId::UnclosedName};
  } else if (opening == "#") {
    diagnostic.hint = {HintId::DateWithoutHashes};
  } else {
    diagnostic.hint = {HintId::UnclosedText, {opening}};
  }
  return diagnostic;
}

}  // namespace

msg::Diagnostic JetSyntaxErrorAt(std::span<const JetToken> tokens, std::size_t position,
                                 const JetSyntaxPlace& place) {
  if (position < tokens.size() && !tokens[position].terminated) {
    return Unterminated(tokens[position]);
  }
  const bool atEnd = position >= tokens.size();
  // Inside parentheses, the statement's end or a clause's first word: a ')' is missing.
  if (place.Depth() > 0 && position > 0 && (atEnd || BeginsClause(tokens, position))) {
    std::size_t from = UnclosedParenthesis(tokens, position);
    if (from > 0 && tokens[from - 1].kind == JetTokenKind::Word && !IsReserved(tokens[from - 1])) {
      --from;  // the function's name before its parenthesis
    }
    return msg::Diagnostic{MessageId::MissingClosingParenthesis,
                           {TextFrom(tokens, from, position - 1)}}
        .WithHint({HintId::UnclosedParenthesis});
  }
  if (atEnd) return {MessageId::SyntaxErrorAtEnd, {}, place.Clause()};
  const JetToken& token = tokens[position];
  if (place.InExpression() && position > 0 && EndsOperand(tokens[position - 1]) &&
      StartsOperand(token)) {
    return MissingOperator(tokens, position, place.Clause());
  }
  return msg::Diagnostic{MessageId::SyntaxError, {std::string(token.text)}, place.Clause()}
      .WithHint(WordHint(tokens, position));
}

}  // namespace tarnwick
