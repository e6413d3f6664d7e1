#pragma once
// The binder behind BindJetStatement: expressions in JetBindExpression.cpp, queries in
// JetBinder.cpp, the other statements in JetBindStatement.cpp and the definitions in
// JetBindDefinition.cpp; Jet's checks of grouping and DISTINCT in JetBindChecks.cpp.
#include <string>
#include <string_view>
#include <vector>

#include "jet/JetSchema.h"
#include "jet/JetSyntax.h"

namespace tarnwick {

// The table's column of that name; nullptr when it has none.
const JetSchemaColumn* FindColumn(const JetSchemaTable& table, std::string_view name);
// The column's name as the table has it; a JetError, with the closest name, when it has none.
std::string ColumnOf(const JetSchemaTable& table, const std::string& name);

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
    // WHERE and GROUP BY: the select list, whose aliases they cannot use.
    const std::vector<JetSelectItem>* aliasesOutOfReach = nullptr;
  };

  // Queries.
  void Query(JetQuery& query, const Scope* outer);
  std::vector<JetResultColumn> Select(JetSelect& select, Scope& scope);
  void Source(JetSource& source, Scope& scope, std::vector<JetExpr*>& joinConditions);
  void Sources(JetSource& source, Scope& scope);  // one FROM element and its join conditions
  void ExpandStars(JetSelect& select, const Scope& scope);
  void OrderBy(JetQuery& query, Scope& firstScope);
  void Top(const JetSelect& select);
  const JetSchemaTable& Table(const std::string& name, std::size_t offset);

  // Expressions.
  void Expr(JetExpr& expr, const Context& context);
  void Name(JetExpr& expr, const Context& context);
  bool NameInScope(JetExpr& expr, const Scope& scope);
  bool NameOfParameter(JetExpr& expr);
  void Call(JetExpr& expr, const Context& context);
  void CallType(JetExpr& expr);
  void Subquery(JetExpr& expr, const Context& context);

  // Jet's checks: every column of a grouped query grouped or inside an aggregate; ORDER BY of
  // SELECT DISTINCT within its select list.
  // `extra`: a crosstab's value, checked with the select list.
  void CheckGrouping(const JetSelect& select, const JetQuery* query, const Scope& scope,
                     const JetExpr* extra = nullptr);
  void CheckDistinctOrder(const JetQuery& query);

  // Statements.
  void Insert(JetStatement& statement);
  void Update(JetStatement& statement);
  void Delete(JetStatement& statement);
  void SelectInto(JetStatement& statement);
  void Crosstab(JetStatement& statement);
  void Parameters(JetStatement& statement);
  void CreateProcedure(JetStatement& statement);
  void Execute(JetStatement& statement);
  void DropProcedure(JetStatement& statement);
  // UPDATE's and DELETE's table or join; `scope` takes its sources.
  void TargetSources(JetStatement& statement, Scope& scope);
  void TargetIs(JetStatement& statement, JetSource& source);

  // Definitions.
  void CreateTable(JetStatement& statement);
  void AlterTable(JetStatement& statement);
  void CreateIndex(JetStatement& statement);
  void DropIndex(JetStatement& statement);
  void DropTable(JetStatement& statement);
  void DropConstraint(JetStatement& statement);
  void ColumnDefinitions(JetStatement& statement, JetSource& source);
  void Constraint(JetTableConstraint& constraint, const JetSchemaTable& table, const Scope& scope);
  // A foreign key refers to the primary key or a unique index of its table.
  void ForeignKey(JetTableConstraint& constraint, const JetSchemaTable& table);

  JetSchema& catalogue_;
  int derivedTables_ = 0;
  // The statement's declared parameters (PARAMETERS, a procedure's); a reference to one
  // without a value is Jet's missing-parameter error unless the statement is only being
  // stored (CREATE PROCEDURE).
  std::vector<JetParameter>* parameters_ = nullptr;
  bool storingOnly_ = false;
  // The SELECT of SELECT ... INTO; INTO elsewhere is refused.
  const JetSelect* intoSelect_ = nullptr;
};

}  // namespace tarnwick
