#include "jet/JetSyntaxErrors.h"

#include <optional>
#include <string>
#include <vector>

#include "jet/JetParserCore.h"
#include "text/ClosestName.h"
#include "text/messages/Hints.h"
#include "text/messages/StatementMessages.h"

namespace tarnwick {

namespace {

using msg::SqlClause;

bool IsWord(const JetToken& token, std::initializer_list<std::string_view> words) {
  for (std::string_view word : words) {
    if (IsKeyword(token, word)) return true;
  }
  return false;
}

// Words that join operands rather than name anything.
bool IsOperatorWord(const JetToken& token) {
  return IsWord(token, {"AND", "OR", "NOT", "XOR", "EQV", "IMP", "MOD", "LIKE", "IN", "IS",
                        "BETWEEN", "NULL", "ALL", "EXISTS", "AS", "ASC", "DESC", "ON", "BY"});
}

bool IsReserved(const JetToken& token) {
  return token.kind == JetTokenKind::Word && IsJetReservedWord(token.text);
}

// A word, number, text, name or date: what an operand begins with.
bool StartsOperand(const JetToken& token) {
  switch (token.kind) {
    case JetTokenKind::Word:
      return !IsReserved(token) || IsKeyword(token, "NULL");
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
  if (IsWord(token, {"FROM", "WHERE", "HAVING", "UNION", "INTO", "VALUES", "SET"})) return true;
  return IsWord(token, {"ORDER", "GROUP"}) && i + 1 < tokens.size() &&
         IsKeyword(tokens[i + 1], "BY");
}

SqlClause StatementClause(std::span<const JetToken> tokens) {
  if (tokens.empty()) return SqlClause::Statement;
  const JetToken& first = tokens[0];
  const auto second = [&](std::string_view word) {
    return tokens.size() > 1 && IsKeyword(tokens[1], word);
  };
  if (IsKeyword(first, "SELECT") || IsPunct(first, "(")) return SqlClause::Select;
  if (IsKeyword(first, "INSERT")) return SqlClause::InsertInto;
  if (IsKeyword(first, "UPDATE")) return SqlClause::Update;
  if (IsKeyword(first, "DELETE")) return SqlClause::Delete;
  if (IsKeyword(first, "DROP")) return SqlClause::Drop;
  if (IsKeyword(first, "ALTER")) return SqlClause::AlterTable;
  if (IsKeyword(first, "TRANSFORM")) return SqlClause::Transform;
  if (IsKeyword(first, "PARAMETERS")) return SqlClause::Parameters;
  if (IsWord(first, {"PROCEDURE", "EXECUTE", "EXEC"})) return SqlClause::Procedure;
  if (IsKeyword(first, "CREATE")) {
    if (second("TABLE")) return SqlClause::CreateTable;
    if (second("VIEW")) return SqlClause::CreateView;
    if (second("INDEX") || second("UNIQUE")) return SqlClause::CreateIndex;
  }
  return SqlClause::Statement;
}

// The clause a keyword of a query begins, if it begins one.
std::optional<SqlClause> QueryClause(const JetToken& token) {
  if (IsKeyword(token, "SELECT")) return SqlClause::Select;
  if (IsKeyword(token, "FROM")) return SqlClause::From;
  if (IsWord(token, {"JOIN", "ON"})) return SqlClause::Join;
  if (IsKeyword(token, "WHERE")) return SqlClause::Where;
  if (IsKeyword(token, "GROUP")) return SqlClause::GroupBy;
  if (IsKeyword(token, "HAVING")) return SqlClause::Having;
  if (IsKeyword(token, "ORDER")) return SqlClause::OrderBy;
  return std::nullopt;
}

// Where the reading stood when it stopped: the clause, whether an expression was being read
// there, and how deep in parentheses.
struct Place {
  SqlClause clause;
  bool expression = false;
  std::size_t depth = 0;
};

// Whether a keyword begins a place where expressions stand (true) or names do (false).
std::optional<bool> BeginsExpressions(const JetToken& token) {
  if (IsWord(token, {"SELECT", "WHERE", "HAVING", "ON", "SET", "VALUES", "BY"})) return true;
  if (IsWord(token, {"FROM", "JOIN", "INTO", "TABLE", "UPDATE", "DELETE"})) return false;
  return std::nullopt;
}

Place PlaceOf(std::span<const JetToken> tokens, std::size_t position) {
  const SqlClause base = StatementClause(tokens);
  std::vector<SqlClause> stack{base};
  std::vector<bool> expressions{false};
  for (std::size_t i = 0; i < position; ++i) {
    const JetToken& token = tokens[i];
    if (IsPunct(token, "(")) {
      expressions.push_back(expressions.back());
    } else if (IsPunct(token, ")") && expressions.size() > 1) {
      expressions.pop_back();
    } else if (const std::optional<bool> expression = BeginsExpressions(token)) {
      expressions.back() = *expression;
    }
    if (IsPunct(token, "(")) {
      // The column list of CREATE TABLE, and of ALTER TABLE ... ADD.
      const bool definitions = (base == SqlClause::CreateTable && stack.size() == 1) ||
                               stack.back() == SqlClause::FieldDefinition;
      stack.push_back(definitions && stack.size() == 1 ? SqlClause::FieldDefinition : stack.back());
    } else if (IsPunct(token, ")")) {
      if (stack.size() > 1) stack.pop_back();
    } else if (const std::optional<SqlClause> clause = QueryClause(token)) {
      stack.back() = *clause;
    } else if (IsKeyword(token, "CONSTRAINT")) {
      stack.back() = SqlClause::Constraint;
    } else if (base == SqlClause::AlterTable && IsKeyword(token, "ADD")) {
      stack.back() = SqlClause::FieldDefinition;
    } else if (IsKeyword(token, "VALUES") && base == SqlClause::InsertInto) {
      stack.back() = SqlClause::InsertInto;
    } else if (IsKeyword(token, "SET") && base == SqlClause::Update) {
      stack.back() = SqlClause::Update;
    }
  }
  return {stack.back(), expressions.back(), stack.size() - 1};
}

bool HasFrom(std::span<const JetToken> tokens) {
  std::size_t depth = 0;
  for (const JetToken& token : tokens) {
    if (IsPunct(token, "(")) ++depth;
    if (IsPunct(token, ")") && depth > 0) --depth;
    if (depth == 0 && IsKeyword(token, "FROM")) return true;
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
    } else if (depth == 0 && (IsPunct(token, ",") ||
                              IsWord(token, {"SELECT", "DISTINCT", "DISTINCTROW", "WHERE", "HAVING",
                                             "BY", "SET", "VALUES", "ON", "AND", "OR", "NOT"}))) {
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
std::string_view TextFrom(std::span<const JetToken> tokens, std::size_t first, std::size_t last) {
  const char* begin = tokens[first].text.data();
  const char* end = tokens[last].text.data() + tokens[last].text.size();
  return {begin, static_cast<std::size_t>(end - begin)};
}

// The keywords a misspelt word may have meant.
std::optional<std::string> MeantKeyword(const JetToken& token) {
  static const std::vector<std::string> keywords = {
      "SELECT", "FROM",   "WHERE", "GROUP",  "ORDER",  "HAVING",   "INSERT",  "INTO",
      "VALUES", "UPDATE", "SET",   "DELETE", "CREATE", "TABLE",    "DROP",    "ALTER",
      "JOIN",   "INNER",  "LEFT",  "RIGHT",  "UNION",  "DISTINCT", "BETWEEN", "LIKE"};
  if (token.kind != JetTokenKind::Word || IsReserved(token) || token.text.size() < 3) {
    return std::nullopt;
  }
  return ClosestName(token.text, keywords);
}

// "2024/04/01" written before the word: numbers joined by / or -.
std::optional<std::string_view> DateBefore(std::span<const JetToken> tokens, std::size_t position) {
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
msg::Message MissingOperator(std::span<const JetToken> tokens, std::size_t position,
                             SqlClause clause) {
  const JetToken& left = tokens[position - 1];
  const JetToken& right = tokens[position];
  const std::string_view expression = TextFrom(tokens, ItemStart(tokens, position), position);
  msg::Message message = msg::MissingOperator(expression);
  if (const std::optional<std::string> keyword = MeantKeyword(right)) {
    return message.WithHint(msg::hint::MisspeltKeyword(right.text, *keyword));
  }
  if (const std::optional<std::string_view> date = DateBefore(tokens, position)) {
    return message.WithHint(msg::hint::DateWithoutHashes(*date));
  }
  if (left.kind == JetTokenKind::Number && right.kind == JetTokenKind::Word &&
      (right.text.starts_with("年") || right.text.starts_with("月") ||
       right.text.starts_with("日"))) {
    return message.WithHint(msg::hint::DateWithoutHashes({}));
  }
  if (clause == SqlClause::Select && !HasFrom(tokens)) {
    return message.WithHint(msg::hint::MissingFrom(left.text, right.text));
  }
  if (clause == SqlClause::Select || clause == SqlClause::OrderBy || clause == SqlClause::GroupBy) {
    return message.WithHint(msg::hint::MissingComma(left.text, right.text));
  }
  return message;
}

// The hint for a word the statement cannot take where it stands.
std::string WordHint(std::span<const JetToken> tokens, std::size_t position) {
  const JetToken& token = tokens[position];
  const JetToken* previous = position > 0 ? &tokens[position - 1] : nullptr;
  if (previous != nullptr && IsPunct(*previous, ",") && BeginsClause(tokens, position)) {
    return msg::hint::ExtraComma(token.text);
  }
  if (previous != nullptr && IsWord(*previous, {"ORDER", "GROUP"}) && !IsKeyword(token, "BY")) {
    return msg::hint::MissingBy(previous->text, token.text);
  }
  if (IsReserved(token) && !IsOperatorWord(token)) {
    return msg::hint::ReservedWordAsName(token.text);
  }
  if (const std::optional<std::string> keyword = MeantKeyword(token)) {
    return msg::hint::MisspeltKeyword(token.text, *keyword);
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

msg::Message Unterminated(const JetToken& token) {
  const std::string_view opening = token.text.substr(0, 1);
  msg::Message message = msg::Unterminated(opening, StartOf(token));
  if (opening == "[") return message.WithHint(msg::hint::UnclosedName());
  if (opening == "#") return message.WithHint(msg::hint::DateWithoutHashes({}));
  return message.WithHint(msg::hint::UnclosedText(opening));
}

}  // namespace

msg::Message JetSyntaxErrorAt(std::span<const JetToken> tokens, std::size_t position) {
  if (position < tokens.size() && !tokens[position].terminated) {
    return Unterminated(tokens[position]);
  }
  const Place place = PlaceOf(tokens, position);
  const bool atEnd = position >= tokens.size();
  // Inside parentheses, the statement's end or a clause's first word: a ')' is missing.
  if (place.depth > 0 && position > 0 && (atEnd || BeginsClause(tokens, position))) {
    std::size_t from = UnclosedParenthesis(tokens, position);
    if (from > 0 && tokens[from - 1].kind == JetTokenKind::Word && !IsReserved(tokens[from - 1])) {
      --from;  // the function's name before its parenthesis
    }
    return msg::MissingClosingParenthesis(TextFrom(tokens, from, position - 1))
        .WithHint(msg::hint::UnclosedParenthesis());
  }
  if (atEnd) return msg::SyntaxErrorAtEnd(place.clause);
  const JetToken& token = tokens[position];
  if (place.expression && position > 0 && EndsOperand(tokens[position - 1]) &&
      StartsOperand(token)) {
    return MissingOperator(tokens, position, place.clause);
  }
  return msg::SyntaxError(place.clause, token.text).WithHint(WordHint(tokens, position));
}

}  // namespace tarnwick
