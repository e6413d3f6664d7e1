#pragma once
// Where the parser stands in a statement as it reads it, token by token: the clause Jet's
// syntax errors name (SELECT list, FROM, WHERE, a field definition, ...), whether expressions
// or names stand there, and how deep in parentheses.
#include <span>
#include <vector>

#include "jet/JetLexer.h"
#include "text/messages/StatementMessages.h"

namespace tarnwick {

class JetSyntaxPlace {
 public:
  JetSyntaxPlace() {
    levels_.reserve(8);
    levels_.push_back({statement_, false});
  }
  // Starts a statement: its first words decide the clause of a statement as a whole.
  void Begin(std::span<const JetToken> statement);
  // The parser has passed the token.
  void Passed(const JetToken& token);

  msg::SqlClause Clause() const { return levels_.back().clause; }
  bool InExpression() const { return levels_.back().expressions; }
  std::size_t Depth() const { return levels_.size() - 1; }

 private:
  // The statement itself, then one level for each parenthesis open.
  struct Level {
    msg::SqlClause clause;
    bool expressions;  // expressions stand here, not names
  };
  msg::SqlClause statement_ = msg::SqlClause::Statement;
  std::vector<Level> levels_;
};

}  // namespace tarnwick
