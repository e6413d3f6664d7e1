#pragma once
// The generator behind GenerateEngineSql, printing the bound tree as our engine's SQL:
// expressions in JetWriteExpression.cpp and JetWritePredicate.cpp, queries in
// JetWriteQuery.cpp (TOP and TRANSFORM in JetWriteTop.cpp), INSERT/UPDATE/DELETE and the
// procedures in JetWriteStatement.cpp, the definitions in JetWriteDefinition.cpp and the
// changes of a table that make it again in JetWriteRebuild.cpp.
#include <string>
#include <string_view>
#include <vector>

#include "jet/JetBoundStatement.h"
#include "jet/JetGenerator.h"
#include "jet/JetTableDefinition.h"

namespace tarnwick {

class JetSqlWriter {
 public:
  std::string Statement(const bound::Statement& statement);
  std::string PivotValues(const bound::Crosstab& crosstab);
  std::vector<JetEngineStep> TakeSteps() { return std::move(steps_); }
  // What keeps the statement from being written for the engine, if anything does.
  const std::optional<JetEngineStep::Refusal>& Refusal() const { return refusal_; }

 private:
  // A generated expression, parenthesized where it is more than one term. `truth` marks the
  // engine's own truth values (1, 0, NULL) where Jet's are -1, 0 and NULL.
  struct Sql {
    std::string text;
    bool truth = false;
  };
  // Where an expression is written: in a crosstab's cell, each aggregate counts only the rows
  // of the cell's pivot value (`filter`, the condition that picks them).
  struct Place {
    std::string_view filter;
  };
  static constexpr Place kAnywhere{};

  // Expressions.
  Sql Expr(const bound::Expr& expr, const Place& at);
  std::string Value(const bound::Expr& expr, const Place& at = kAnywhere);  // True is -1
  std::string Condition(const bound::Expr& expr, const Place& at = kAnywhere);
  std::string Column(const bound::Column& column);
  std::string Arithmetic(const bound::Arithmetic& arithmetic, const Place& at);
  std::string Concatenation(const std::vector<bound::ExprPtr>& terms, std::size_t first,
                            std::size_t last, const Place& at);
  std::string Call(const bound::Call& call, const Place& at);
  Sql Convert(const bound::Convert& convert, const Place& at);
  std::string Stored(const bound::Convert& convert, const Place& at);
  Sql Logic(const bound::Logic& logic, const Place& at);
  Sql Comparison(const bound::Compared& comparison, const Place& at);
  Sql Like(const bound::LikeMatch& like, const Place& at);
  Sql Between(const bound::Compared& between, const Place& at);
  Sql In(const bound::Compared& in, const Place& at);
  Sql Quantified(const bound::QueryValue& quantified, const Place& at);

  // Queries. `names`: the names the result columns get, instead of their own.
  std::string Query(const bound::Query& query);
  std::string Query(const bound::Query& query, const std::vector<std::string>& names);
  // `extraColumns`: columns written after the items (hidden sort keys, a crosstab's cells).
  std::string Select(const bound::Select& select, const std::vector<std::string>& names,
                     const std::vector<std::string>& extraColumns = {});
  std::string From(const std::vector<bound::Source>& from);
  std::string Source(const bound::Source& source);
  std::string OrderBy(const bound::Query& query);
  // An ORDER BY term of a single SELECT as the engine sorts by it, without its direction.
  std::string OrderKey(const bound::OrderItem& item);
  // SELECT TOP n [PERCENT]: with an order, the rows tied with the last one come too.
  std::string TopQuery(const bound::Select& select, const std::vector<bound::OrderItem>& order,
                       const std::vector<std::string>& names);
  std::string Crosstab(const bound::Crosstab& crosstab);

  // Statements.
  std::string Insert(const bound::Insert& insert);
  std::string InsertRows(const bound::Insert& insert);
  std::string Change(const bound::Change& change);
  std::string SelectInto(const bound::SelectInto& into);
  std::string CreateProcedure(const bound::Procedure& procedure);
  std::string DropProcedure(const bound::Procedure& procedure);

  // Definitions.
  std::string CreateTable(const bound::CreateTable& create);
  // `key`: 0 outside the primary key, 1 in it, 2 its only column.
  std::string ColumnDefinition(const bound::ColumnDef& column, int key);
  std::string TableConstraint(const bound::Constraint& constraint);
  void CounterSteps(const std::string& table, const bound::ColumnDef& column, bool temporary,
                    bool keep);
  std::string AlterTable(const bound::AlterTable& alter);
  std::string CreateIndex(const bound::CreateIndex& create);
  std::string Drop(const bound::Drop& drop);
  std::string DropIndex(const bound::Drop& drop);
  std::string CreateView(const bound::QueryStatement& view);
  // Makes the table again with the change: every row kept, the changed column's values
  // converted to its new type, a row that does not convert refusing the whole change.
  std::string Rebuild(const bound::Rebuild& rebuild);
  struct Remade;
  Remade RemadeItems(const bound::Rebuild& rebuild, const JetTableDefinition& definition);
  void RebuildCounter(const bound::Rebuild& rebuild, const bound::ColumnDef* counter,
                      const std::vector<std::string>& copied);
  std::string CopyRows(const bound::Rebuild& rebuild, const std::vector<std::string>& copied,
                       bool rowNumbers);
  void Step(std::string sql);
  void Step(std::string sql, msg::Diagnostic refusal, std::size_t offset);

  std::vector<JetEngineStep> steps_;
  std::optional<JetEngineStep::Refusal> refusal_;
};

}  // namespace tarnwick
