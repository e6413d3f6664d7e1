#include "jet/JetSyntaxWalk.h"

#include <algorithm>

#include "jetlib/JetFunctions.h"

namespace tarnwick {

using syntax::ExprKind;

std::vector<const syntax::Expr*> OperandsOf(const syntax::Expr& expr) {
  std::vector<const syntax::Expr*> operands;
  switch (expr.kind) {
    case ExprKind::Unary:
      operands.push_back(expr.As<syntax::UnaryExpr>().operand.get());
      break;
    case ExprKind::Binary: {
      const auto& binary = expr.As<syntax::BinaryExpr>();
      operands = {binary.left.get(), binary.right.get()};
      break;
    }
    case ExprKind::Like:
    case ExprKind::Between:
    case ExprKind::InList:
    case ExprKind::InQuery:
    case ExprKind::IsNull:
      for (const syntax::ExprPtr& operand : expr.As<syntax::PredicateExpr>().operands) {
        operands.push_back(operand.get());
      }
      break;
    case ExprKind::Call:
      for (const syntax::ExprPtr& arg : expr.As<syntax::CallExpr>().args) {
        operands.push_back(arg.get());
      }
      break;
    case ExprKind::Quantified:
      operands.push_back(expr.As<syntax::QueryExpr>().left.get());
      break;
    default:
      break;
  }
  return operands;
}

bool ContainsAggregate(const syntax::Expr& expr) {
  if (expr.kind == ExprKind::Call) {
    const JetFunction* function = FindJetFunction(expr.As<syntax::CallExpr>().name);
    if (function != nullptr && function->aggregate) return true;
  }
  const std::vector<const syntax::Expr*> operands = OperandsOf(expr);
  return std::any_of(operands.begin(), operands.end(),
                     [](const syntax::Expr* operand) { return ContainsAggregate(*operand); });
}

bool IsGrouped(const syntax::Select& select) {
  if (!select.groupBy.empty()) return true;
  const bool inItems =
      std::any_of(select.items.begin(), select.items.end(),
                  [](const syntax::SelectItem& item) { return ContainsAggregate(*item.expr); });
  return inItems || (select.having && ContainsAggregate(*select.having));
}

std::string TermText(const syntax::Expr& expr) {
  switch (expr.kind) {
    case ExprKind::Number:
      return expr.As<syntax::NumberLiteral>().written;
    case ExprKind::Text:
    case ExprKind::Date:
    case ExprKind::Blob:
      return expr.As<syntax::ValueLiteral>().value;
    case ExprKind::Name:
      return expr.As<syntax::NameRef>().name;
    case ExprKind::Call:
      return expr.As<syntax::CallExpr>().name;
    default:
      return {};
  }
}

}  // namespace tarnwick
