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
  // Starts a statement: its first words decide the clause of a statement as a whole.
  void Begin(std::span<const JetToken> statement);
  // The parser has passed the token.
  void Passed(const JetToken& token);

  msg::SqlClause Clause() const { return clauses_.back(); }
  bool InExpression() const { return expressions_.back(); }
  std::size_t Depth() const { return clauses_.size() - 1; }

 private:
  msg::SqlClause statement_ = msg::SqlClause::Statement;
  std::vector<msg::SqlClause> clauses_{msg::SqlClause::Statement};
  std::vector<bool> expressions_{false};
};

}  // namespace tarnwick
