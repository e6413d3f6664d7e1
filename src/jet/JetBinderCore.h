#pragma once
// The binder behind BindJetStatement: expressions in JetBindExpression.cpp, queries and
// statements in JetBinder.cpp.
#include <vector>

#include "jet/JetSchema.h"
#include "jet/JetSyntax.h"

namespace tarnwick {

class JetBinder {
 public:
  explicit JetBinder(JetSchema& catalogue) : catalogue_(catalogue) {}
  void Statement(JetStatement& statement);

 private:
  // The tables and derived tables whose columns an expression can name; inner first.
  struct Scope {
    std::vector<JetSource*> sources;
    const Scope* outer = nullptr;
  };
  struct Context {
    const Scope* scope = nullptr;
    bool aggregatesAllowed = true;
    // ORDER BY of a single SELECT: its items, which a name or a position may stand for.
    const std::vector<JetSelectItem>* items = nullptr;
  };

  // Queries.
  void Query(JetQuery& query, const Scope* outer);
  std::vector<JetResultColumn> Select(JetSelect& select, Scope& scope);
  void Source(JetSource& source, Scope& scope, std::vector<JetExpr*>& joinConditions);
  void ExpandStars(JetSelect& select, const Scope& scope);
  void OrderBy(JetQuery& query, Scope& firstScope);
  const JetSchemaTable& Table(const std::string& name, std::size_t offset);

  // Expressions.
  void Expr(JetExpr& expr, const Context& context);
  void Name(JetExpr& expr, const Context& context);
  bool NameInScope(JetExpr& expr, const Scope& scope);
  void Call(JetExpr& expr, const Context& context);
  void CallType(JetExpr& expr);
  void Subquery(JetExpr& expr, const Context& context);

  // Statements.
  void Insert(JetStatement& statement);
  void CreateTable(JetStatement& statement);
  Scope TargetScope(JetStatement& statement, JetSource& source);

  JetSchema& catalogue_;
  int derivedTables_ = 0;
};

}  // namespace tarnwick
