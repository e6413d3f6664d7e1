// Expressions in the engine's SQL with Jet's values.
#include "jet/JetGenerator.h"
#include "jet/JetLexer.h"
#include "jet/JetSqlText.h"
#include "jet/JetSqlWriter.h"
#include "jet/functions/JetFunctions.h"

namespace tarnwick {

namespace {

// Numbers of a known type: the engine's own arithmetic gives Jet's values for them.
bool IsKnownNumber(JetType type) { return IsNumericType(type); }

bool IsLogical(JetType type) { return type == JetType::Boolean || type == JetType::Null; }

std::string Function(std::string_view name, std::initializer_list<std::string_view> args) {
  std::string text(name);
  text += '(';
  bool first = true;
  for (std::string_view arg : args) {
    if (!first) text += ", ";
    text += arg;
    first = false;
  }
  text += ')';
  return text;
}

std::string Parenthesized(std::string_view left, std::string_view op, std::string_view right) {
  std::string text = "(";
  text += left;
  text += ' ';
  text += op;
  text += ' ';
  text += right;
  text += ')';
  return text;
}

std::string_view ComparisonText(JetOp op) {
  switch (op) {
    case JetOp::Equal:
      return "=";
    case JetOp::NotEqual:
      return "<>";
    case JetOp::Less:
      return "<";
    case JetOp::Greater:
      return ">";
    case JetOp::LessOrEqual:
      return "<=";
    default:
      return ">=";
  }
}

std::string_view OperatorFunction(JetOp op) {
  switch (op) {
    case JetOp::Add:
      return jet_op::kAdd;
    case JetOp::Subtract:
      return jet_op::kSubtract;
    case JetOp::Multiply:
      return jet_op::kMultiply;
    case JetOp::Divide:
      return jet_op::kDivide;
    case JetOp::IntDivide:
      return jet_op::kIntDivide;
    case JetOp::Modulo:
      return jet_op::kModulo;
    case JetOp::Power:
      return jet_op::kPower;
    case JetOp::Concat:
      return jet_op::kConcat;
    case JetOp::And:
      return jet_op::kAnd;
    case JetOp::Or:
      return jet_op::kOr;
    case JetOp::Xor:
      return jet_op::kXor;
    case JetOp::Eqv:
      return jet_op::kEqv;
    default:
      return jet_op::kImp;
  }
}

// A Like pattern the engine's LIKE reads as Jet does: a text without a [ ] class.
bool IsPlainPattern(const JetExpr& pattern) {
  return pattern.kind == JetExprKind::Text && pattern.text.find('[') == std::string::npos;
}

// The class of an operation the engine computes as Jet does, with its own operators: 1 for
// + and - , 2 for *, on numbers of known types other than currency (which is rounded after
// each step); 0 for every other.
int EngineArithmeticClass(const JetExpr& expr) {
  if (expr.kind != JetExprKind::Binary || expr.type.type == JetType::Currency ||
      !IsKnownNumber(expr.args[0]->type.type) || !IsKnownNumber(expr.args[1]->type.type)) {
    return 0;
  }
  if (expr.op == JetOp::Add || expr.op == JetOp::Subtract) return 1;
  return expr.op == JetOp::Multiply ? 2 : 0;
}

// The terms of a & b & c ..., whatever their grouping, in order.
void ConcatenatedTerms(const JetExpr& expr, std::vector<const JetExpr*>& terms) {
  if (expr.kind != JetExprKind::Binary || expr.op != JetOp::Concat) {
    terms.push_back(&expr);
    return;
  }
  ConcatenatedTerms(*expr.args[0], terms);
  ConcatenatedTerms(*expr.args[1], terms);
}

}  // namespace

std::string JetSqlWriter::Value(const JetExpr& expr) {
  Sql sql = Expr(expr);
  if (!sql.truth) return std::move(sql.text);
  return "(- " + sql.text + ")";  // a space: "--" would begin a comment
}

std::string JetSqlWriter::Condition(const JetExpr& expr) { return Expr(expr).text; }

JetSqlWriter::Sql JetSqlWriter::Expr(const JetExpr& expr) {
  switch (expr.kind) {
    case JetExprKind::Number:
    case JetExprKind::Blob:
      return {expr.text};
    case JetExprKind::Text:
    case JetExprKind::Date:
      return {EngineText(expr.text)};
    case JetExprKind::Null:
      return {"NULL"};
    case JetExprKind::Parameter:
      return {"?"};
    case JetExprKind::Name:
      // A YESNO column is a truth value: files of older versions hold True as 1.
      if (expr.binding == JetNameBinding::Column && expr.type.type == JetType::Boolean) {
        return {"(" + Name(expr) + " <> 0)", true};
      }
      return {Name(expr)};
    case JetExprKind::Unary:
      return Unary(expr);
    case JetExprKind::Binary:
      return Binary(expr);
    case JetExprKind::Like:
      return Like(expr);
    case JetExprKind::Between:
      return Between(expr);
    case JetExprKind::InList:
    case JetExprKind::InQuery:
      return In(expr);
    case JetExprKind::IsNull:
      return {"(" + Value(*expr.args[0]) + (expr.negated ? " IS NOT NULL)" : " IS NULL)"), true};
    case JetExprKind::Call:
      return {Call(expr)};
    case JetExprKind::Subquery:
      return {"(" + Query(*expr.query) + ")"};
    case JetExprKind::Exists:
      return {"(EXISTS (" + Query(*expr.query) + "))", true};
    case JetExprKind::Quantified:
      return Quantified(expr);
    case JetExprKind::Star:
      break;
  }
  return {"*"};
}

std::string JetSqlWriter::Name(const JetExpr& expr) {
  switch (expr.binding) {
    case JetNameBinding::Column:
      if (unqualifiedColumns_) return EngineName(expr.columnName);
      if (joinedTarget_ != nullptr && expr.sourceAlias == joinedTarget_->boundAlias) {
        return EngineName(kJoinedRowName) + "." + EngineName(expr.columnName);
      }
      return EngineName(expr.sourceAlias) + "." + EngineName(expr.columnName);
    case JetNameBinding::Parameter: {
      const JetParameter& parameter = (*parameters_)[expr.aliasIndex];
      return Stored(*parameter.value, parameter.type);
    }
    case JetNameBinding::Constant:
      return expr.boolValue ? "-1" : "0";
    case JetNameBinding::Alias:
      return Value(*(*orderItems_)[expr.aliasIndex].expr);
    case JetNameBinding::Unbound:
      break;
  }
  return EngineName(expr.text);
}

JetSqlWriter::Sql JetSqlWriter::Unary(const JetExpr& expr) {
  const JetExpr& operand = *expr.args[0];
  switch (expr.op) {
    case JetOp::UnaryPlus:
      return {Value(operand)};
    case JetOp::Negate:
      if (IsKnownNumber(operand.type.type)) return {"(- " + Value(operand) + ")"};
      return {Function(jet_op::kNegate, {Value(operand)})};
    default:  // Not: logic on truth values, bits on numbers
      if (IsLogical(operand.type.type)) return {"(NOT " + Condition(operand) + ")", true};
      return {Function(jet_op::kNot, {Value(operand)})};
  }
}

JetSqlWriter::Sql JetSqlWriter::Binary(const JetExpr& expr) {
  if (IsComparison(expr.op)) return Comparison(expr, ComparisonText(expr.op));
  switch (expr.op) {
    case JetOp::And:
      return Logic(expr, "AND");
    case JetOp::Or:
      return Logic(expr, "OR");
    case JetOp::Concat: {
      std::vector<const JetExpr*> terms;
      ConcatenatedTerms(expr, terms);
      return {Concatenation(terms, 0, terms.size() - 1)};
    }
    default:
      break;
  }
  if (EngineArithmeticClass(expr) != 0) return {EngineChain(expr)};
  const std::string left = Value(*expr.args[0]);
  const std::string right = Value(*expr.args[1]);
  return {Arithmetic(expr, left, right)};
}

// a + b - c ... on numbers, written as the engine's own flat chain, which it reads left to
// right as Jet does: nested parentheses would soon be more than the engine's parser takes.
std::string JetSqlWriter::EngineChain(const JetExpr& expr) {
  const int operators = EngineArithmeticClass(expr);
  std::vector<const JetExpr*> terms;
  const JetExpr* node = &expr;
  for (; EngineArithmeticClass(*node) == operators; node = node->args[0].get()) {
    terms.push_back(node);
  }
  std::string text = "(" + Value(*node);
  for (auto term = terms.rbegin(); term != terms.rend(); ++term) {
    text += (*term)->op == JetOp::Add ? " + " : (*term)->op == JetOp::Subtract ? " - " : " * ";
    text += Value(*(*term)->args[1]);
  }
  return text + ")";
}

// a & b & c ...: joined two by two in a balanced tree of calls, which nests no deeper than
// the number of terms' logarithm (& is associative: NULL counts as empty text either way).
std::string JetSqlWriter::Concatenation(const std::vector<const JetExpr*>& terms, std::size_t first,
                                        std::size_t last) {
  if (first == last) return Value(*terms[first]);
  const std::size_t middle = first + (last - first) / 2;
  return Function(jet_op::kConcat,
                  {Concatenation(terms, first, middle), Concatenation(terms, middle + 1, last)});
}

// + - * on numbers of known types use the engine's arithmetic (which widens on overflow as
// Jet does), rounded to four places for currency; dates, texts and unknown types go through
// the library, as do / \ Mod ^ & and the bitwise logic.
std::string JetSqlWriter::Arithmetic(const JetExpr& expr, const std::string& left,
                                     const std::string& right) {
  const JetType a = expr.args[0]->type.type;
  const JetType b = expr.args[1]->type.type;
  const bool numbers = IsKnownNumber(a) && IsKnownNumber(b);
  std::string_view engineOp;
  if (expr.op == JetOp::Add) engineOp = "+";
  if (expr.op == JetOp::Subtract) engineOp = "-";
  if (expr.op == JetOp::Multiply) engineOp = "*";
  if (!engineOp.empty() && numbers) {
    std::string text = Parenthesized(left, engineOp, right);
    if (expr.type.type == JetType::Currency) text = Function(jet_op::kCurrency, {text});
    return text;
  }
  if (expr.op == JetOp::Add) {
    if (IsTextType(a) && IsTextType(b)) return Parenthesized(left, "||", right);
    if (a == JetType::DateTime && IsKnownNumber(b)) {
      return Function(jet_op::kDatePlus, {left, right});
    }
    if (IsKnownNumber(a) && b == JetType::DateTime) {
      return Function(jet_op::kDatePlus, {right, left});
    }
  }
  if (expr.op == JetOp::Subtract && a == JetType::DateTime && b == JetType::DateTime) {
    return Function(jet_op::kDateDiff, {left, right});
  }
  std::string text = Function(OperatorFunction(expr.op), {left, right});
  if (expr.type.type == JetType::Currency && !engineOp.empty()) {
    text = Function(jet_op::kCurrency, {text});
  }
  return text;
}

std::vector<std::string> JetSqlWriter::CompareOperands(const std::vector<const JetExpr*>& operands,
                                                       std::string& collation) {
  bool dates = false;
  bool texts = false;
  for (const JetExpr* operand : operands) {
    dates |= operand->type.type == JetType::DateTime;
    texts |= IsTextType(operand->type.type);
  }
  std::vector<std::string> values;
  for (const JetExpr* operand : operands) {
    std::string value = Value(*operand);
    if (dates) value = Function(jet_op::kDateKey, {value});
    values.push_back(std::move(value));
  }
  collation = texts && !dates ? " COLLATE NOCASE" : "";
  return values;
}

JetSqlWriter::Sql JetSqlWriter::Comparison(const JetExpr& expr, std::string_view op) {
  return {Compare(*expr.args[0], op, *expr.args[1]), true};
}

std::string JetSqlWriter::Compare(const JetExpr& left, std::string_view op, const JetExpr& right) {
  std::string collation;
  const std::vector<std::string> values = CompareOperands({&left, &right}, collation);
  return Parenthesized(values[0], op, values[1] + collation);
}

// x op Any (q) is true when the comparison holds for some row of q, x op All (q) when it holds
// for every row; otherwise NULL when it is unknown for some row, else false.
JetSqlWriter::Sql JetSqlWriter::Quantified(const JetExpr& expr) {
  const std::vector<std::string> names{"__jet_value"};
  JetExpr column(JetExprKind::Name, expr.offset);
  column.binding = JetNameBinding::Column;
  column.sourceAlias = "__jet_rows";
  column.columnName = names[0];
  column.type = expr.query->columns[0].type;
  const std::string comparison = Compare(*expr.args[0], ComparisonText(expr.op), column);
  const std::string rows =
      "EXISTS (SELECT 1 FROM (" + Query(*expr.query, &names) + ") AS \"__jet_rows\" WHERE ";
  const std::string decided = expr.quantifierAll ? "NOT " + comparison : comparison;
  return {"(CASE WHEN " + rows + decided + ") THEN " + (expr.quantifierAll ? "0" : "1") + " WHEN " +
              rows + comparison + " IS NULL) THEN NULL ELSE " + (expr.quantifierAll ? "1" : "0") +
              " END)",
          true};
}

// And and Or of truth values are the engine's; of numbers they work bit by bit. A chain of
// one of them (a Or b Or c ...) is written as one flat list: the engine's parser takes only
// so many nested parentheses.
JetSqlWriter::Sql JetSqlWriter::Logic(const JetExpr& expr, std::string_view op) {
  const auto logical = [](const JetExpr& node) {
    return IsLogical(node.args[0]->type.type) && IsLogical(node.args[1]->type.type);
  };
  if (!logical(expr)) {
    return {Function(OperatorFunction(expr.op), {Value(*expr.args[0]), Value(*expr.args[1])})};
  }
  std::vector<const JetExpr*> terms;
  const JetExpr* node = &expr;
  for (; node->kind == JetExprKind::Binary && node->op == expr.op && logical(*node);
       node = node->args[0].get()) {
    terms.push_back(node->args[1].get());
  }
  terms.push_back(node);
  std::string text = "(";
  for (auto term = terms.rbegin(); term != terms.rend(); ++term) {
    if (term != terms.rbegin()) text += " " + std::string(op) + " ";
    text += Condition(**term);
  }
  return {text + ")", true};
}

JetSqlWriter::Sql JetSqlWriter::Like(const JetExpr& expr) {
  const std::string value = Value(*expr.args[0]);
  const std::string pattern = Value(*expr.args[1]);
  if (IsPlainPattern(*expr.args[1])) {
    return {Parenthesized(value, expr.negated ? "NOT LIKE" : "LIKE", pattern), true};
  }
  const std::string match = Function(jet_op::kLike, {value, pattern});
  if (expr.negated) return {"(NOT " + match + ")", true};
  return {match};
}

JetSqlWriter::Sql JetSqlWriter::Between(const JetExpr& expr) {
  std::string collation;
  const std::vector<std::string> values =
      CompareOperands({expr.args[0].get(), expr.args[1].get(), expr.args[2].get()}, collation);
  return {"(" + values[0] + collation + (expr.negated ? " NOT BETWEEN " : " BETWEEN ") + values[1] +
              " AND " + values[2] + ")",
          true};
}

JetSqlWriter::Sql JetSqlWriter::In(const JetExpr& expr) {
  std::vector<const JetExpr*> operands;
  for (const JetExprPtr& arg : expr.args) operands.push_back(arg.get());
  std::string collation;
  std::vector<std::string> values = CompareOperands(operands, collation);
  std::string text = "(" + values[0] + collation + (expr.negated ? " NOT IN (" : " IN (");
  if (expr.kind == JetExprKind::InQuery) {
    text += Query(*expr.query);
  } else {
    for (std::size_t i = 1; i < values.size(); ++i) {
      if (i > 1) text += ", ";
      text += values[i];
    }
  }
  return {text + "))", true};
}

std::string JetSqlWriter::Call(const JetExpr& expr) {
  const JetFunction* function = expr.function;
  std::string_view name = function != nullptr ? function->engineName : expr.text;
  std::vector<std::string> args;
  for (const JetExprPtr& arg : expr.args) {
    args.push_back(arg->kind == JetExprKind::Star ? "*" : Value(*arg));
  }
  if (function != nullptr && function->aggregate && !args.empty()) {
    const JetType type = expr.args[0]->type.type;
    if (type == JetType::Currency && SameJetName(function->name, "Sum")) {
      name = jet_op::kCurrencySum;
    }
    // Min and Max of text ignore the case of letters.
    if (IsTextType(type) &&
        (SameJetName(function->name, "Min") || SameJetName(function->name, "Max"))) {
      args[0] += " COLLATE NOCASE";
    }
  }
  std::string text(name);
  text += '(';
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (i > 0) text += ", ";
    text += args[i];
  }
  text += ')';
  if (function != nullptr && function->aggregate && !pivotFilter_.empty()) {
    text += " FILTER (WHERE " + pivotFilter_ + ")";
  }
  if (function != nullptr && function->aggregate && expr.type.type == JetType::Currency &&
      SameJetName(function->name, "Avg")) {
    text = Function(jet_op::kCurrency, {text});
  }
  return text;
}

JetEngineStatements GenerateEngineSql(const JetStatement& statement) {
  JetSqlWriter writer;
  JetEngineStatements statements;
  statements.sql = writer.Statement(statement);
  statements.steps = writer.TakeSteps();
  return statements;
}

std::string GeneratePivotValuesSql(const JetStatement& crosstab) {
  return JetSqlWriter().PivotValues(crosstab);
}

}  // namespace tarnwick
