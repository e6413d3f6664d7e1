#pragma once
// The generator behind GenerateEngineSql: expressions in JetWriteExpression.cpp, queries in
// JetWriteQuery.cpp (TOP and TRANSFORM in JetWriteTop.cpp), INSERT/UPDATE/DELETE and the
// procedures in JetWriteStatement.cpp, the definitions in JetWriteDefinition.cpp and the
// changes of a table that make it again in JetWriteRebuild.cpp.
#include <string>
#include <vector>

#include "jet/JetGenerator.h"
#include "jet/JetSyntax.h"

namespace tarnwick {

struct JetDefinitionItem;

class JetSqlWriter {
 public:
  std::string Statement(const JetStatement& statement);
  std::string PivotValues(const JetStatement& crosstab);
  std::vector<JetEngineStep> TakeSteps() { return std::move(steps_); }

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
  // `left op right` with Jet's comparison of texts and dates.
  std::string Compare(const JetExpr& left, std::string_view op, const JetExpr& right);
  Sql Logic(const JetExpr& expr, std::string_view op);
  Sql Like(const JetExpr& expr);
  Sql Between(const JetExpr& expr);
  Sql In(const JetExpr& expr);
  Sql Quantified(const JetExpr& expr);
  std::string Call(const JetExpr& expr);
  // The values of a comparison's operands as they must be compared: dates by their time,
  // text without regard to case. Gives the operands' texts and what follows the right one.
  std::vector<std::string> CompareOperands(const std::vector<const JetExpr*>& operands,
                                           std::string& collation);

  // Queries.
  std::string Query(const JetQuery& query, const std::vector<std::string>* names = nullptr);
  // `extraColumns`: columns written after the items (hidden sort keys, a crosstab's cells).
  std::string Select(const JetSelect& select, const JetQuery& query,
                     const std::vector<std::string>& names,
                     const std::vector<std::string>& extraColumns = {});
  std::string DistinctRowGrouping(const JetSelect& select);
  std::string Source(const JetSource& source);
  std::string OrderBy(const JetQuery& query);
  // An ORDER BY term of a single SELECT as the engine sorts by it, without its direction.
  std::string OrderKey(const JetOrderItem& item);
  // SELECT TOP n [PERCENT]: with an order, the rows tied with the last one come too.
  std::string TopQuery(const JetSelect& select, const JetQuery& query,
                       const std::vector<JetOrderItem>& order,
                       const std::vector<std::string>& names);
  std::string Crosstab(const JetStatement& statement);
  std::string PivotCondition(const JetExpr& pivot, const JetExpr& value);

  // Statements.
  std::string Insert(const JetStatement& statement);
  // INSERT INTO table (columns) SELECT ..., each value converted to its column's type.
  std::string InsertQuery(const std::string& table, const std::vector<std::string>& columns,
                          const std::vector<const JetTypeInfo*>& types, const JetQuery& query,
                          const std::vector<std::string>& leftOut);
  // The value converted for a column of that type (jet_store); the column's name, when given,
  // goes into the message of a value that does not convert.
  std::string Stored(const JetExpr& value, const JetTypeInfo& column,
                     std::string_view columnName = {});
  std::string Update(const JetStatement& statement);
  std::string Delete(const JetStatement& statement);
  std::string SelectInto(const JetStatement& statement);
  std::string CreateProcedure(const JetStatement& statement);
  std::string DropProcedure(const JetStatement& statement);

  // Definitions.
  std::string CreateTable(const JetStatement& statement);
  std::string CreateTableSql(const JetStatement& statement, bool keepCounter,
                             std::vector<std::string> items);
  // `key`: 0 outside the primary key, 1 in it, 2 its only column.
  std::string ColumnDefinition(const JetColumnDef& column, int key);
  std::string TableConstraint(const JetTableConstraint& constraint);
  void CounterSteps(const std::string& table, const JetColumnDef& column, bool temporary,
                    bool keep);
  std::string AlterTable(const JetStatement& statement);
  std::string CreateIndex(const JetStatement& statement);
  std::string DropIndex(const JetStatement& statement);
  std::string DropTable(const JetStatement& statement);
  std::string DropConstraint(const JetStatement& statement, const std::string& name);
  std::string Drop(const JetStatement& statement, std::string_view what);
  std::string CreateView(const JetStatement& statement);
  // Makes the table again with `items` for its columns and constraints: every row kept, each
  // kept column's value converted to its new type, a row that does not convert refusing the
  // whole change.
  std::string Rebuild(const JetStatement& statement);
  void Step(std::string sql, std::string failureWhenRows = {});

  // The select-list items an ORDER BY term of a single SELECT may stand for.
  const std::vector<JetSelectItem>* orderItems_ = nullptr;
  // Columns without their table's name, as a CHECK constraint writes them.
  bool unqualifiedColumns_ = false;
  // The statement's parameters, with their values.
  const std::vector<JetParameter>* parameters_ = nullptr;
  // UPDATE and DELETE through a join: the changed table's row in the join, named apart.
  const JetSource* joinedTarget_ = nullptr;
  // A crosstab's cell: each aggregate counts only the rows of its pivot value.
  std::string pivotFilter_;
  std::vector<JetEngineStep> steps_;
};

}  // namespace tarnwick
