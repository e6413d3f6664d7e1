#include "jet/JetTableDefinition.h"

#include <algorithm>
#include <initializer_list>

namespace tarnwick {

namespace {

bool IsAnyKeyword(const JetToken& token, std::initializer_list<std::string_view> keywords) {
  return std::any_of(keywords.begin(), keywords.end(),
                     [&](std::string_view keyword) { return IsKeyword(token, keyword); });
}

// Words that end a column's type name and begin its constraints.
bool IsColumnConstraintWord(const JetToken& token) {
  return IsAnyKeyword(token, {"CONSTRAINT", "PRIMARY", "NOT", "NULL", "UNIQUE", "CHECK", "DEFAULT",
                              "COLLATE", "REFERENCES", "GENERATED", "AS", "WITH", "AUTOINCREMENT"});
}

bool IsKeywordAt(const JetTokens& tokens, std::size_t i, std::size_t end, std::string_view word) {
  return i < end && IsKeyword(tokens[i], word);
}

bool IsPrimaryKeyAt(const JetTokens& tokens, std::size_t i, std::size_t end) {
  return IsKeywordAt(tokens, i, end, "PRIMARY") && IsKeywordAt(tokens, i + 1, end, "KEY");
}

// Reads the column's constraints in [begin, end), outside parentheses (so NOT NULL inside a
// CHECK expression is not taken for the column's own).
void ReadColumnConstraints(const JetTokens& tokens, std::size_t begin, std::size_t end,
                           JetColumnDefinition& column) {
  for (std::size_t i = begin; i < end; ++i) {
    if (IsPunct(tokens[i], "(")) {
      i = MatchingParen(tokens, i);
    } else if (IsPrimaryKeyAt(tokens, i, end)) {
      column.primaryKey = true;
      std::size_t next = i + 2;
      if (IsKeywordAt(tokens, next, end, "ASC") || IsKeywordAt(tokens, next, end, "DESC")) {
        column.descendingKey = IsKeyword(tokens[next], "DESC");
        ++next;
      }
      if (IsKeywordAt(tokens, next, end, "ON") && IsKeywordAt(tokens, next + 1, end, "CONFLICT")) {
        next = std::min(next + 3, end);
      }
      column.primaryKeyEnd = next;
      i = next - 1;
    } else if (IsKeyword(tokens[i], "NOT") && IsKeywordAt(tokens, i + 1, end, "NULL")) {
      column.notNull = true;
    } else if (IsKeyword(tokens[i], "AUTOINCREMENT")) {
      column.autoincrementWritten = true;
    }
  }
}

// Reads PRIMARY KEY (a, b) from the table constraint in [begin, end), if it is one.
void ReadTableKey(const JetTokens& tokens, std::size_t begin, std::size_t end, JetTableKey& key) {
  std::size_t i = begin;
  while (i < end && !IsPrimaryKeyAt(tokens, i, end)) ++i;
  const std::size_t open = i + 2;
  if (i >= end || open >= end || !IsPunct(tokens[open], "(")) return;
  key.present = true;
  key.closeParen = MatchingParen(tokens, open);
  for (std::size_t item = open + 1; item < key.closeParen;) {
    const std::size_t itemEnd = ElementEnd(tokens, item);
    if (itemEnd > item && IsNameToken(tokens[item]))
      key.columns.push_back(JetNameValue(tokens[item]));
    for (std::size_t k = item; k < itemEnd; ++k) {
      if (IsKeyword(tokens[k], "AUTOINCREMENT")) key.autoincrementWritten = true;
    }
    item = itemEnd + 1;
  }
}

bool FollowedByWithoutRowid(const JetTokens& tokens, std::size_t from) {
  for (std::size_t i = from; i + 1 < tokens.size() && !IsPunct(tokens[i], ";"); ++i) {
    if (IsKeyword(tokens[i], "WITHOUT") && IsKeyword(tokens[i + 1], "ROWID")) return true;
  }
  return false;
}

}  // namespace

JetTokens SignificantTokens(std::string_view sql) {
  JetTokens tokens;
  JetLexer lexer(sql);
  while (!lexer.AtEnd()) {
    JetToken token = lexer.Next();
    if (!IsTrivia(token)) tokens.push_back(token);
  }
  return tokens;
}

std::size_t MatchingParen(const JetTokens& tokens, std::size_t open) {
  int depth = 0;
  for (std::size_t i = open; i < tokens.size(); ++i) {
    if (IsPunct(tokens[i], "(")) {
      ++depth;
    } else if (IsPunct(tokens[i], ")") && --depth == 0) {
      return i;
    }
  }
  return tokens.size();
}

std::size_t ElementEnd(const JetTokens& tokens, std::size_t begin) {
  int depth = 0;
  for (std::size_t i = begin; i < tokens.size(); ++i) {
    if (IsPunct(tokens[i], "(")) {
      ++depth;
    } else if (IsPunct(tokens[i], ")")) {
      if (depth == 0) return i;
      --depth;
    } else if (depth == 0 && (IsPunct(tokens[i], ",") || IsPunct(tokens[i], ";"))) {
      return i;
    }
  }
  return tokens.size();
}

bool IsTableConstraint(const JetTokens& tokens, std::size_t begin) {
  return begin < tokens.size() &&
         IsAnyKeyword(tokens[begin], {"CONSTRAINT", "PRIMARY", "UNIQUE", "CHECK", "FOREIGN"});
}

JetColumnDefinition ParseJetColumn(const JetTokens& tokens, std::size_t begin, std::size_t end) {
  JetColumnDefinition column;
  column.name = JetNameValue(tokens[begin]);
  std::size_t i = begin + 1;
  column.typeBegin = i;
  if (IsKeywordAt(tokens, i, end, "AUTOINCREMENT")) {
    ++i;  // the Jet type of that name, not the constraint word
  } else {
    while (i < end && tokens[i].kind == JetTokenKind::Word && !IsColumnConstraintWord(tokens[i]))
      ++i;
  }
  column.typeWordsEnd = i;
  if (i > column.typeBegin && i < end && IsPunct(tokens[i], "(")) {
    i = std::min(MatchingParen(tokens, i) + 1, end);
  }
  column.typeEnd = i;
  column.end = end;
  ReadColumnConstraints(tokens, column.typeEnd, end, column);
  return column;
}

std::optional<JetTableDefinition> ParseJetTableBody(const JetTokens& tokens, std::size_t open) {
  const std::size_t close = MatchingParen(tokens, open);
  if (close >= tokens.size()) return std::nullopt;
  JetTableDefinition table;
  for (std::size_t i = open + 1; i < close;) {
    const std::size_t end = std::min(ElementEnd(tokens, i), close);
    if (end > i) {
      if (IsTableConstraint(tokens, i)) {
        ReadTableKey(tokens, i, end, table.key);
      } else {
        table.columns.push_back(ParseJetColumn(tokens, i, end));
      }
    }
    i = end + 1;
  }
  table.withoutRowid = FollowedByWithoutRowid(tokens, close + 1);
  return table;
}

}  // namespace tarnwick
