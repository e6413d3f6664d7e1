#include "jetlib/JetTypeRules.h"

#include <algorithm>

namespace tarnwick {

namespace {

// Integer types from narrow to wide; Boolean counts as SHORT in arithmetic.
int IntegerRank(JetType type) {
  switch (type) {
    case JetType::Byte:
      return 1;
    case JetType::Boolean:
    case JetType::Short:
      return 2;
    case JetType::Long:
      return 3;
    case JetType::BigInt:
      return 4;
    default:
      return 0;
  }
}

JetType WiderInteger(JetType a, JetType b) {
  const JetType wider = IntegerRank(a) >= IntegerRank(b) ? a : b;
  return wider == JetType::Boolean ? JetType::Short : wider;
}

// + - * of two numbers: DOUBLE beside any floating point, then DECIMAL, then CURRENCY, then
// the wider integer type. Text that takes part in arithmetic is read as a number (DOUBLE).
JetType NumericResultType(JetType a, JetType b) {
  const auto either = [&](JetType type) { return a == type || b == type; };
  if (either(JetType::Double) || either(JetType::Single) || IsTextType(a) || IsTextType(b)) {
    return JetType::Double;
  }
  if (either(JetType::Decimal)) return JetType::Decimal;
  if (either(JetType::Currency)) return JetType::Currency;
  if (IsIntegerType(a) && IsIntegerType(b)) return WiderInteger(a, b);
  if (either(JetType::DateTime)) return JetType::Double;
  return JetType::Variant;
}

JetType AddResultType(JetType a, JetType b) {
  if (IsTextType(a) && IsTextType(b)) return a == JetType::Memo ? a : b;
  if ((a == JetType::DateTime && IsNumericType(b)) ||
      (IsNumericType(a) && b == JetType::DateTime)) {
    return JetType::DateTime;
  }
  return NumericResultType(a, b);
}

JetType SubtractResultType(JetType a, JetType b) {
  if (a == JetType::DateTime && b == JetType::DateTime) return JetType::Double;
  if (a == JetType::DateTime && IsNumericType(b)) return JetType::DateTime;
  return NumericResultType(a, b);
}

// \ and Mod: the wider integer type of integer operands, LONG otherwise.
JetType IntegerDivisionType(JetType a, JetType b) {
  if (IsIntegerType(a) && IsIntegerType(b)) return WiderInteger(a, b);
  return JetType::Long;
}

// And, Or, Xor, Eqv, Imp: logic on booleans (a NULL among them is an unknown truth), bits on
// integers.
JetType LogicResultType(JetType a, JetType b) {
  const auto logical = [](JetType type) {
    return type == JetType::Boolean || type == JetType::Null;
  };
  if (logical(a) && logical(b)) return JetType::Boolean;
  if (a == JetType::Variant || b == JetType::Variant) return JetType::Variant;
  if (IsIntegerType(a) && IsIntegerType(b)) return WiderInteger(a, b);
  return JetType::Long;
}

int NumericRank(JetType type) {
  if (IsIntegerType(type)) return IntegerRank(type);
  switch (type) {
    case JetType::Currency:
      return 5;
    case JetType::Decimal:
      return 6;
    case JetType::Single:
      return 7;
    case JetType::Double:
      return 8;
    default:
      return 0;
  }
}

}  // namespace

JetType BinaryResultType(JetOp op, JetType a, JetType b) {
  switch (op) {
    case JetOp::Concat:
      return JetType::Text;
    case JetOp::And:
    case JetOp::Or:
    case JetOp::Xor:
    case JetOp::Eqv:
    case JetOp::Imp:
      return LogicResultType(a, b);
    default:
      break;
  }
  if (IsComparison(op)) return JetType::Boolean;
  if (a == JetType::Null || b == JetType::Null) return JetType::Null;
  if (a == JetType::Variant || b == JetType::Variant) return JetType::Variant;
  switch (op) {
    case JetOp::Add:
      return AddResultType(a, b);
    case JetOp::Subtract:
      return SubtractResultType(a, b);
    case JetOp::Multiply:
      return NumericResultType(a, b);
    case JetOp::Divide:
    case JetOp::Power:
      return JetType::Double;
    default:
      return IntegerDivisionType(a, b);  // \, Mod and the engine's %
  }
}

JetType UnaryResultType(JetOp op, JetType a) {
  if (a == JetType::Null || a == JetType::Variant) return a;
  if (op == JetOp::Not) {
    if (a == JetType::Boolean) return a;
    return IsIntegerType(a) ? a : JetType::Long;
  }
  if (a == JetType::Boolean) return JetType::Short;
  if (IsNumericType(a)) return a;
  return JetType::Double;  // text read as a number; a date as its number of days
}

JetType CommonType(std::span<const JetType> types) {
  JetType common = JetType::Null;
  for (const JetType type : types) {
    if (type == JetType::Null || type == common) continue;
    if (common == JetType::Null) {
      common = type;
    } else if (IsTextType(common) && IsTextType(type)) {
      common = JetType::Memo;
    } else if (IsNumericType(common) && IsNumericType(type)) {
      common = NumericRank(type) > NumericRank(common) ? type : common;
      if (common == JetType::Boolean) common = JetType::Short;
    } else {
      return JetType::Variant;
    }
  }
  return common;
}

}  // namespace tarnwick
