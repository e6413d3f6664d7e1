// Expressions in the engine's SQL with Jet's values: literals, columns, operators, calls and
// conversions. The predicates are in JetWritePredicate.cpp.
#include "jet/JetGenerator.h"
#include "jet/JetSqlText.h"
#include "jet/JetSqlWriter.h"
#include "jetlib/JetFunctions.h"

namespace tarnwick {

namespace {

using bound::ExprKind;

std::string Function(std::string_view name, std::string_view argument) {
  return std::string(name) + "(" + std::string(argument) + ")";
}

}  // namespace

std::string JetSqlWriter::Value(const bound::Expr& expr, const Place& at) {
  Sql sql = Expr(expr, at);
  if (!sql.truth) return std::move(sql.text);
  return "(- " + sql.text + ")";  // a space: "--" would begin a comment
}

std::string JetSqlWriter::Condition(const bound::Expr& expr, const Place& at) {
  return Expr(expr, at).text;
}

JetSqlWriter::Sql JetSqlWriter::Expr(const bound::Expr& expr, const Place& at) {
  const auto operand = [&](std::size_t i) -> const bound::Expr& {
    return *expr.As<bound::Operation>().operands[i];
  };
  switch (expr.kind) {
    case ExprKind::Literal: {
      const auto& literal = expr.As<bound::Literal>();
      const bool text =
          literal.form == bound::Literal::Form::Text || literal.form == bound::Literal::Form::Date;
      return {text ? EngineText(literal.text) : literal.text};
    }
    case ExprKind::Column:
      return {Column(expr.As<bound::Column>())};
    case ExprKind::ValueOf:
      return {Value(*expr.As<bound::ValueOf>().target, at)};
    case ExprKind::Arithmetic:
      return {Arithmetic(expr.As<bound::Arithmetic>(), at)};
    case ExprKind::TextJoin:
      return {"(" + Value(operand(0), at) + " || " + Value(operand(1), at) + ")"};
    case ExprKind::Call:
      return {Call(expr.As<bound::Call>(), at)};
    case ExprKind::Concatenation: {
      const auto& terms = expr.As<bound::Operation>().operands;
      return {Concatenation(terms, 0, terms.size() - 1, at)};
    }
    case ExprKind::Comparison:
      return Comparison(expr.As<bound::Compared>(), at);
    case ExprKind::Logic:
      return Logic(expr.As<bound::Logic>(), at);
    case ExprKind::Not:
      return {"(NOT " + Condition(operand(0), at) + ")", true};
    case ExprKind::Negate:
      return {"(- " + Value(operand(0), at) + ")"};
    case ExprKind::AsValue:
      return {Value(operand(0), at)};
    case ExprKind::Like:
      return Like(expr.As<bound::LikeMatch>(), at);
    case ExprKind::Between:
      return Between(expr.As<bound::Compared>(), at);
    case ExprKind::In:
      return In(expr.As<bound::Compared>(), at);
    case ExprKind::IsNull: {
      const bool negated = expr.As<bound::IsNullTest>().negated;
      return {"(" + Value(operand(0), at) + (negated ? " IS NOT NULL)" : " IS NULL)"), true};
    }
    case ExprKind::Exists:
      return {"(EXISTS (" + Query(*expr.As<bound::QueryValue>().query) + "))", true};
    case ExprKind::Subquery:
      return {"(" + Query(*expr.As<bound::QueryValue>().query) + ")"};
    case ExprKind::Quantified:
      return Quantified(expr.As<bound::QueryValue>(), at);
    case ExprKind::Convert:
      return Convert(expr.As<bound::Convert>(), at);
  }
  return {"NULL"};
}

std::string JetSqlWriter::Column(const bound::Column& column) {
  if (column.source.empty()) return EngineName(column.name);
  return EngineName(column.source) + "." + EngineName(column.name);
}

// a + b - c ... on numbers, written as the engine's own flat chain, which it reads left to
// right as Jet does: nested parentheses would soon be more than the engine's parser takes.
std::string JetSqlWriter::Arithmetic(const bound::Arithmetic& arithmetic, const Place& at) {
  std::string text = "(" + Value(*arithmetic.operands[0], at);
  for (std::size_t i = 0; i < arithmetic.ops.size(); ++i) {
    text.append(" ").append(JetOperatorText(arithmetic.ops[i])).append(" ");
    text += Value(*arithmetic.operands[i + 1], at);
  }
  return text + ")";
}

// a & b & c ...: joined two by two in a balanced tree of calls, which nests no deeper than
// the number of terms' logarithm (& is associative: NULL counts as empty text either way).
std::string JetSqlWriter::Concatenation(const std::vector<bound::ExprPtr>& terms, std::size_t first,
                                        std::size_t last, const Place& at) {
  if (first == last) return Value(*terms[first], at);
  const std::size_t middle = first + (last - first) / 2;
  return std::string(jet_op::kConcat) + "(" + Concatenation(terms, first, middle, at) + ", " +
         Concatenation(terms, middle + 1, last, at) + ")";
}

std::string JetSqlWriter::Call(const bound::Call& call, const Place& at) {
  std::string text(call.function);
  text += '(';
  if (call.star) text += '*';
  for (std::size_t i = 0; i < call.operands.size(); ++i) {
    if (i > 0) text += ", ";
    text += Value(*call.operands[i], at);
  }
  text += ')';
  if (call.aggregate && !at.filter.empty()) {
    text += " FILTER (WHERE " + std::string(at.filter) + ")";
  }
  return text;
}

JetSqlWriter::Sql JetSqlWriter::Convert(const bound::Convert& convert, const Place& at) {
  using To = bound::Convert::To;
  switch (convert.to) {
    case To::DateKey:
      return {Function(jet_op::kDateKey, Value(*convert.value, at))};
    case To::Currency:
      return {Function(jet_op::kCurrency, Value(*convert.value, at))};
    case To::NoCase:
      return {Value(*convert.value, at) + " COLLATE NOCASE"};
    case To::Truth:
      // A YESNO column is a truth value: files of older versions hold True as 1.
      return {"(" + Value(*convert.value, at) + " <> 0)", true};
    case To::Stored:
      return {Stored(convert, at)};
  }
  return {Value(*convert.value, at)};
}

// The value converted for a column of its type (jet_store); the column's name, when given,
// goes into the message of a value that does not convert.
std::string JetSqlWriter::Stored(const bound::Convert& convert, const Place& at) {
  std::string call = std::string(kJetStore) + "(" + Value(*convert.value, at) + ", " +
                     std::to_string(static_cast<int>(convert.stored));
  if (convert.size > 0 || convert.column) call += ", " + std::to_string(convert.size);
  if (convert.column) call += ", " + EngineText(*convert.column);
  return call + ")";
}

JetEngineStatements GenerateEngineSql(const bound::Statement& statement) {
  JetSqlWriter writer;
  JetEngineStatements statements;
  statements.sql = writer.Statement(statement);
  statements.refusal = writer.Refusal();
  if (statements.refusal) return JetEngineStatements{{}, {}, statements.refusal};
  statements.steps = writer.TakeSteps();
  return statements;
}

std::string GeneratePivotValuesSql(const bound::Crosstab& crosstab) {
  return JetSqlWriter().PivotValues(crosstab);
}

}  // namespace tarnwick
