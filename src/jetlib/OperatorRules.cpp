#include "jetlib/OperatorRules.h"

#include <array>

#include "jetlib/JetFunctions.h"
#include "jetlib/JetTypeRules.h"

namespace tarnwick {

namespace {

using F = OperatorForm;
using T = JetType;

bool Always(T, T) { return true; }
bool BothKnownNumbers(T a, T b) { return IsNumericType(a) && IsNumericType(b); }
bool BothTexts(T a, T b) { return IsTextType(a) && IsTextType(b); }
bool DateAndNumber(T a, T b) { return a == T::DateTime && IsNumericType(b); }
bool NumberAndDate(T a, T b) { return IsNumericType(a) && b == T::DateTime; }
bool BothDates(T a, T b) { return a == T::DateTime && b == T::DateTime; }
bool BothLogical(T a, T b) { return IsLogicalType(a) && IsLogicalType(b); }
bool KnownNumber(T a, T) { return IsNumericType(a); }
bool Logical(T a, T) { return IsLogicalType(a); }

struct Overload {
  bool (*applies)(T, T) = nullptr;
  F form = F::Library;
  bool swapped = false;
};

struct OperatorRule {
  JetOp op;
  std::string_view function;  // the library's function, where no overload applies
  std::array<Overload, 4> overloads;
  bool roundsCurrency = false;
};

// The first overload that applies to the operands' types is taken; the library's function
// where none does. An operand of unary operators is the first.
constexpr OperatorRule kRules[] = {
    {JetOp::Power, jet_op::kPower, {}},
    {JetOp::Negate, jet_op::kNegate, {{{KnownNumber, F::EngineNegate}}}},
    {JetOp::UnaryPlus, {}, {{{Always, F::Identity}}}},
    {JetOp::Multiply, jet_op::kMultiply, {{{BothKnownNumbers, F::EngineArithmetic}}}, true},
    {JetOp::Divide, jet_op::kDivide, {}},
    {JetOp::IntDivide, jet_op::kIntDivide, {}},
    {JetOp::Modulo, jet_op::kModulo, {}},
    {JetOp::Add,
     jet_op::kAdd,
     {{{BothKnownNumbers, F::EngineArithmetic},
       {BothTexts, F::TextJoin},
       {DateAndNumber, F::DatePlus},
       {NumberAndDate, F::DatePlus, true}}},
     true},
    {JetOp::Subtract,
     jet_op::kSubtract,
     {{{BothKnownNumbers, F::EngineArithmetic}, {BothDates, F::DateMinus}}},
     true},
    {JetOp::Concat, jet_op::kConcat, {{{Always, F::Concatenation}}}},
    {JetOp::Equal, {}, {{{Always, F::Comparison}}}},
    {JetOp::NotEqual, {}, {{{Always, F::Comparison}}}},
    {JetOp::Less, {}, {{{Always, F::Comparison}}}},
    {JetOp::Greater, {}, {{{Always, F::Comparison}}}},
    {JetOp::LessOrEqual, {}, {{{Always, F::Comparison}}}},
    {JetOp::GreaterOrEqual, {}, {{{Always, F::Comparison}}}},
    {JetOp::Not, jet_op::kNot, {{{Logical, F::Logic}}}},
    {JetOp::And, jet_op::kAnd, {{{BothLogical, F::Logic}}}},
    {JetOp::Or, jet_op::kOr, {{{BothLogical, F::Logic}}}},
    {JetOp::Xor, jet_op::kXor, {}},
    {JetOp::Eqv, jet_op::kEqv, {}},
    {JetOp::Imp, jet_op::kImp, {}},
};

constexpr bool InOperatorOrder() {
  for (std::size_t i = 0; i < std::size(kRules); ++i) {
    if (static_cast<std::size_t>(kRules[i].op) != i) return false;
  }
  return true;
}
static_assert(InOperatorOrder(), "kRules lists the operators in the order of JetOp");

// The library's function an operator calls in the form; nothing for a form of the engine's.
std::string_view FunctionOf(F form, const OperatorRule& rule) {
  if (form == F::DatePlus) return jet_op::kDatePlus;
  if (form == F::DateMinus) return jet_op::kDateDiff;
  if (form == F::Concatenation || form == F::Library) return rule.function;
  return {};
}

OperatorResolution Resolve(JetOp op, T left, T right, T result) {
  const OperatorRule& rule = kRules[static_cast<std::size_t>(op)];
  Overload chosen;
  for (const Overload& overload : rule.overloads) {
    if (overload.applies != nullptr && overload.applies(left, right)) {
      chosen = overload;
      break;
    }
  }
  return {chosen.form, FunctionOf(chosen.form, rule), result, chosen.swapped,
          rule.roundsCurrency && result == T::Currency};
}

}  // namespace

OperatorResolution ResolveBinaryOperator(JetOp op, JetType left, JetType right) {
  return Resolve(op, left, right, BinaryResultType(op, left, right));
}

OperatorResolution ResolveUnaryOperator(JetOp op, JetType operand) {
  return Resolve(op, operand, T::Variant, UnaryResultType(op, operand));
}

ComparisonRule CompareRuleFor(std::span<const JetType> operands) {
  ComparisonRule rule;
  bool texts = false;
  for (const JetType type : operands) {
    rule.byTime |= type == T::DateTime;
    texts |= IsTextType(type);
  }
  rule.ignoringCase = texts && !rule.byTime;
  return rule;
}

bool EngineLikeMatchesJet(std::string_view literalPattern) {
  return literalPattern.find('[') == std::string_view::npos;
}

}  // namespace tarnwick
