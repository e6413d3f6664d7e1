#pragma once
// The structure of the column list of CREATE TABLE and of the column of ALTER TABLE ... ADD,
// as positions in a statement's significant tokens (its tokens without whitespace and
// comments). Only what the translation needs is read: names, type words and the key clauses.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "jet/JetLexer.h"

namespace tarnwick {

using JetTokens = std::vector<JetToken>;

// The tokens of sql that carry meaning, in order, with their source offsets.
JetTokens SignificantTokens(std::string_view sql);

// One column definition: name, type words with an optional size, then constraints.
// Positions are token indices; ranges are half-open.
struct JetColumnDefinition {
  std::string name;
  std::size_t typeBegin = 0;      // the first type word (== typeWordsEnd when there is none)
  std::size_t typeWordsEnd = 0;   // after the last type word
  std::size_t typeEnd = 0;        // after the size "(...)" when there is one
  std::size_t end = 0;            // after the definition's last token
  bool primaryKey = false;        // a PRIMARY KEY constraint of its own
  bool descendingKey = false;     // PRIMARY KEY DESC
  std::size_t primaryKeyEnd = 0;  // after PRIMARY KEY [ASC|DESC] [ON CONFLICT ...]
  bool autoincrementWritten = false;
  bool notNull = false;

  std::size_t TypeWordCount() const { return typeWordsEnd - typeBegin; }
  bool HasSize() const { return typeEnd != typeWordsEnd; }
};

// A table constraint PRIMARY KEY (a, b).
struct JetTableKey {
  bool present = false;
  std::vector<std::string> columns;
  std::size_t closeParen = 0;  // the ")" that ends the column list
  bool autoincrementWritten = false;
};

struct JetTableDefinition {
  std::vector<JetColumnDefinition> columns;
  JetTableKey key;
  bool withoutRowid = false;  // WITHOUT ROWID after the column list
};

// The index of the ")" that closes the "(" at open, or tokens.size() when it is missing.
std::size_t MatchingParen(const JetTokens& tokens, std::size_t open);

// The end of the list element that starts at begin: the first "," or ";" outside
// parentheses, the ")" that closes an enclosing list, or the end of the tokens.
std::size_t ElementEnd(const JetTokens& tokens, std::size_t begin);

// True when the element at begin is a table constraint rather than a column.
bool IsTableConstraint(const JetTokens& tokens, std::size_t begin);

// The column definition in tokens [begin, end); begin is its name.
JetColumnDefinition ParseJetColumn(const JetTokens& tokens, std::size_t begin, std::size_t end);

// The column list between the "(" at open and its ")"; nothing when the ")" is missing.
std::optional<JetTableDefinition> ParseJetTableBody(const JetTokens& tokens, std::size_t open);

}  // namespace tarnwick
