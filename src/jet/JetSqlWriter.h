#pragma once
// The generator behind GenerateEngineSql: expressions in JetWriteExpression.cpp, queries in
// JetWriteQuery.cpp, INSERT/UPDATE/DELETE in JetWriteStatement.cpp and the definitions in
// JetWriteDefinition.cpp.
#include <string>
#include <vector>

#include "jet/JetSyntax.h"

namespace tarnwick {

class JetSqlWriter {
 public:
  std::string Statement(const JetStatement& statement);

 private:
  // A generated expression, parenthesized where it is more than one term. `truth` marks the
  // engine's own truth values (1, 0, NULL) where Jet's are -1, 0 and NULL.
  struct Sql {
    std::string text;
    bool truth = false;
  };

  // Expressions.
  Sql Expr(const JetExpr& expr);
  std::string Value(const JetExpr& expr);      // Jet's value: True is -1
  std::string Condition(const JetExpr& expr);  // a truth value for WHERE, ON, HAVING, WHEN
  std::string Name(const JetExpr& expr);
  Sql Unary(const JetExpr& expr);
  Sql Binary(const JetExpr& expr);
  std::string Arithmetic(const JetExpr& expr, const std::string& left, const std::string& right);
  std::string EngineChain(const JetExpr& expr);
  std::string Concatenation(const std::vector<const JetExpr*>& terms, std::size_t first,
                            std::size_t last);
  Sql Comparison(const JetExpr& expr, std::string_view op);
  Sql Logic(const JetExpr& expr, std::string_view op);
  Sql Like(const JetExpr& expr);
  Sql Between(const JetExpr& expr);
  Sql In(const JetExpr& expr);
  std::string Call(const JetExpr& expr);
  std::string Case(const JetExpr& expr);
  // The values of a comparison's operands as they must be compared: dates by their time,
  // text without regard to case. Gives the operands' texts and what follows the right one.
  std::vector<std::string> CompareOperands(const std::vector<const JetExpr*>& operands,
                                           std::string& collation);

  // Queries.
  std::string Query(const JetQuery& query, const std::vector<std::string>* names = nullptr);
  std::string Select(const JetSelect& select, const JetQuery& query,
                     const std::vector<std::string>& names);
  std::string Source(const JetSource& source);
  std::string OrderBy(const JetQuery& query);

  // Statements.
  std::string Insert(const JetStatement& statement);
  // The value converted for a column of that type (jet_store); the column's name, when given,
  // goes into the message of a value that does not convert.
  std::string Stored(const JetExpr& value, const JetTypeInfo& column,
                     std::string_view columnName = {});
  std::string Update(const JetStatement& statement);
  std::string Delete(const JetStatement& statement);
  std::string CreateTable(const JetStatement& statement);
  std::string ColumnDefinition(const JetColumnDef& column, std::string type,
                               const std::string& constraints);
  std::string TableConstraint(const JetTableConstraint& constraint, bool autoIncrementKey);
  std::string AlterTableAdd(const JetStatement& statement);
  std::string CreateIndex(const JetStatement& statement);
  std::string CreateView(const JetStatement& statement);
  std::string Drop(const JetStatement& statement, std::string_view what);

  // The select-list items an ORDER BY term of a single SELECT may stand for.
  const std::vector<JetSelectItem>* orderItems_ = nullptr;
  // Columns without their table's name, as a CHECK constraint writes them.
  bool unqualifiedColumns_ = false;
};

}  // namespace tarnwick
