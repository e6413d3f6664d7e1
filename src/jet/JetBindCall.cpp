// Binding calls of the function library by its table (jetlib/JetFunctions.h): the number of
// arguments, aggregates where they may stand, the result's type, the engine function and the
// conversions around the call.
#include "jet/JetBinderCore.h"
#include "jet/JetMessages.h"
#include "jetlib/JetFunctions.h"
#include "jetlib/JetTypeRules.h"

namespace tarnwick {

namespace {

using bound::Convert;
using msg::HintId;
using msg::MessageId;

// The arguments of IIf, Switch and Choose that can be the result.
std::vector<JetType> ChoiceTypes(JetChoices choices, const std::vector<bound::ExprPtr>& args) {
  std::vector<JetType> types;
  const auto add = [&](std::size_t i) {
    if (i < args.size()) types.push_back(args[i]->type.type);
  };
  switch (choices) {
    case JetChoices::SecondAndThird:
      add(1);
      add(2);
      break;
    case JetChoices::EverySecond:
      for (std::size_t i = 1; i < args.size(); i += 2) add(i);
      break;
    case JetChoices::AllButFirst:
      for (std::size_t i = 1; i < args.size(); ++i) add(i);
      break;
    case JetChoices::None:
      break;
  }
  return types;
}

// The type of the call's result by the function's rule.
JetTypeInfo ResultType(const JetFunction& function, const JetArgumentCase* each,
                       const std::vector<bound::ExprPtr>& args, bool star) {
  const auto argumentType = [&](int i) {
    return !star && i < static_cast<int>(args.size()) ? args[static_cast<std::size_t>(i)]->type.type
                                                      : JetType::Variant;
  };
  JetType type = function.result;
  if (function.rule == JetResultRule::SameAsArgument) type = argumentType(function.argument);
  if (function.rule == JetResultRule::CommonOfChoices) {
    type = CommonType(ChoiceTypes(function.choices, args));
  }
  if (each != nullptr && each->result != JetType::Variant) type = each->result;
  JetTypeInfo result = TypeOnly(type);
  // A column's text size stays with Min, Max, First and Last.
  if (function.rule == JetResultRule::SameAsArgument && !args.empty() &&
      args[0]->type.type == type) {
    result.size = args[0]->type.size;
    result.scale = args[0]->type.scale;
  }
  return result;
}

}  // namespace

bound::ExprPtr JetBinder::Call(const syntax::CallExpr& expr, const Context& context) {
  const JetFunction* function = FindJetFunction(expr.name);
  if (function == nullptr) {
    throw JetError(Refusal(MessageId::UnknownFunction, {expr.name})
                       .WithHint(HintOf(HintId::JetFormOrClosest, {expr.name}, JetFunctionNames())),
                   expr.offset);
  }
  const int count = static_cast<int>(expr.ArgumentCount());
  if (count < function->minArguments ||
      (function->maxArguments >= 0 && count > function->maxArguments) ||
      (expr.star && !function->takesStar)) {
    throw JetError(Refusal(MessageId::WrongArgumentCount, {expr.name}), expr.offset);
  }
  if (function->aggregate && !context.aggregatesAllowed) {
    throw JetError(Refusal(MessageId::AggregateInWhere, {expr.name}), expr.offset);
  }
  std::vector<ExprPtr> args;
  for (const syntax::ExprPtr& arg : expr.args) args.push_back(Expr(*arg, context));
  const JetArgumentCase* each =
      CaseFor(*function, !expr.star && !args.empty() ? args[0]->type.type : JetType::Variant);
  const JetTypeInfo type = ResultType(*function, each, args, expr.star);
  if (each != nullptr && each->conversion == JetCallConversion::ArgumentWithoutCase) {
    const JetTypeInfo argumentType = args[0]->type;
    args[0] = std::make_unique<Convert>(Convert::To::NoCase, argumentType, std::move(args[0]));
  }
  auto call = std::make_unique<bound::Call>(
      type, each != nullptr && !each->engineName.empty() ? each->engineName : function->engineName);
  call->star = expr.star;
  call->aggregate = function->aggregate;
  call->operands = std::move(args);
  if (each != nullptr && each->conversion == JetCallConversion::ResultToCurrency) {
    return std::make_unique<Convert>(Convert::To::Currency, type, std::move(call));
  }
  return call;
}

}  // namespace tarnwick
