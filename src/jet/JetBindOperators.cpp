// Binding Jet's operators by their rules (jetlib/OperatorRules.h): the form the engine computes
// each in for its operands' types, the result's type, and the conversions on the way.
#include <span>

#include "jet/JetBinderCore.h"
#include "jetlib/JetFunctions.h"
#include "jetlib/OperatorRules.h"

namespace tarnwick {

namespace {

using bound::Convert;

bound::ExprPtr Converted(Convert::To to, bound::ExprPtr value) {
  const JetTypeInfo type = value->type;
  return std::make_unique<Convert>(to, type, std::move(value));
}

// Chains of the engine's + and - , and of its *, are written as one flat chain (left to
// right, as Jet computes them).
int ArithmeticClass(JetOp op) { return op == JetOp::Multiply ? 2 : 1; }

bound::ExprPtr CallOf(std::string_view function, JetTypeInfo type,
                      std::vector<bound::ExprPtr> operands) {
  auto call = std::make_unique<bound::Call>(type, function);
  call->operands = std::move(operands);
  return call;
}

bound::ExprPtr Arithmetic(JetOp op, JetTypeInfo type, bound::ExprPtr left, bound::ExprPtr right,
                          bool chains) {
  if (chains && left->kind == bound::ExprKind::Arithmetic) {
    auto& chain = static_cast<bound::Arithmetic&>(*left);
    if (ArithmeticClass(chain.ops.front()) == ArithmeticClass(op)) {
      chain.ops.push_back(op);
      chain.operands.push_back(std::move(right));
      chain.type = type;
      return left;
    }
  }
  auto arithmetic = std::make_unique<bound::Arithmetic>(type);
  arithmetic->ops.push_back(op);
  arithmetic->operands.push_back(std::move(left));
  arithmetic->operands.push_back(std::move(right));
  return arithmetic;
}

// The terms of a & b & c ..., whatever their grouping, in order.
void Concatenated(bound::ExprPtr term, std::vector<bound::ExprPtr>& terms) {
  if (term->kind != bound::ExprKind::Concatenation) {
    terms.push_back(std::move(term));
    return;
  }
  for (bound::ExprPtr& each : static_cast<bound::Operation&>(*term).operands) {
    terms.push_back(std::move(each));
  }
}

}  // namespace

bound::ExprPtr JetBinder::Unary(const syntax::UnaryExpr& expr, const Context& context) {
  ExprPtr operand = Expr(*expr.operand, context);
  const OperatorResolution rule = ResolveUnaryOperator(expr.op, operand->type.type);
  const JetTypeInfo type = TypeOnly(rule.result);
  ExprPtr result;
  switch (rule.form) {
    case OperatorForm::EngineNegate:
    case OperatorForm::Identity:
    case OperatorForm::Logic: {
      const bound::ExprKind kind = rule.form == OperatorForm::EngineNegate ? bound::ExprKind::Negate
                                   : rule.form == OperatorForm::Identity ? bound::ExprKind::AsValue
                                                                         : bound::ExprKind::Not;
      auto operation = std::make_unique<bound::Operation>(kind, type);
      operation->operands.push_back(std::move(operand));
      return operation;
    }
    default: {
      std::vector<ExprPtr> operands;
      operands.push_back(std::move(operand));
      return CallOf(rule.function, type, std::move(operands));
    }
  }
}

bound::ExprPtr JetBinder::Binary(const syntax::BinaryExpr& expr, const Context& context) {
  ExprPtr left = Expr(*expr.left, context);
  ExprPtr right = Expr(*expr.right, context);
  return Operation(expr.op, std::move(left), std::move(right));
}

bound::ExprPtr JetBinder::Operation(JetOp op, ExprPtr left, ExprPtr right) {
  const OperatorResolution rule = ResolveBinaryOperator(op, left->type.type, right->type.type);
  const JetTypeInfo type = TypeOnly(rule.result);
  ExprPtr result;
  switch (rule.form) {
    case OperatorForm::Comparison:
      return BoundComparison(op, std::move(left), std::move(right));
    case OperatorForm::Logic: {
      if (left->kind == bound::ExprKind::Logic && left->As<bound::Logic>().op == op) {
        static_cast<bound::Logic&>(*left).operands.push_back(std::move(right));
        return left;
      }
      auto logic = std::make_unique<bound::Logic>(type, op);
      logic->operands.push_back(std::move(left));
      logic->operands.push_back(std::move(right));
      return logic;
    }
    case OperatorForm::Concatenation: {
      auto concatenation = std::make_unique<bound::Operation>(bound::ExprKind::Concatenation, type);
      Concatenated(std::move(left), concatenation->operands);
      Concatenated(std::move(right), concatenation->operands);
      return concatenation;
    }
    case OperatorForm::TextJoin: {
      auto join = std::make_unique<bound::Operation>(bound::ExprKind::TextJoin, type);
      join->operands.push_back(std::move(left));
      join->operands.push_back(std::move(right));
      return join;
    }
    case OperatorForm::EngineArithmetic:
      result = Arithmetic(op, type, std::move(left), std::move(right), !rule.roundsToCurrency);
      break;
    default: {
      std::vector<ExprPtr> operands;
      if (rule.swapped) std::swap(left, right);
      operands.push_back(std::move(left));
      operands.push_back(std::move(right));
      result = CallOf(rule.function, type, std::move(operands));
      break;
    }
  }
  if (rule.roundsToCurrency) result = Converted(Convert::To::Currency, std::move(result));
  return result;
}

bool ComparedOperands(std::vector<bound::ExprPtr>& operands) {
  std::vector<JetType> types;
  for (const bound::ExprPtr& operand : operands) types.push_back(operand->type.type);
  const ComparisonRule rule = CompareRuleFor(types);
  if (rule.byTime) {
    for (bound::ExprPtr& operand : operands) {
      operand = std::make_unique<Convert>(Convert::To::DateKey, TypeOnly(JetType::Double),
                                          std::move(operand));
    }
  }
  return rule.ignoringCase;
}

bound::ExprPtr BoundComparison(JetOp op, bound::ExprPtr left, bound::ExprPtr right) {
  auto comparison = std::make_unique<bound::Compared>(bound::ExprKind::Comparison);
  comparison->op = op;
  comparison->operands.push_back(std::move(left));
  comparison->operands.push_back(std::move(right));
  comparison->ignoringCase = ComparedOperands(comparison->operands);
  return comparison;
}

}  // namespace tarnwick
