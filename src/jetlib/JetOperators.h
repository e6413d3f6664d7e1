#pragma once
// Jet's operators.
namespace tarnwick {

enum class JetOp : unsigned char {
  Power,           // ^
  Negate,          // unary -
  UnaryPlus,       // unary +
  Multiply,        // *
  Divide,          // /
  IntDivide,       // '\'
  Modulo,          // Mod
  Add,             // +
  Subtract,        // -
  Concat,          // &
  Equal,           // =
  NotEqual,        // <>
  Less,            // <
  Greater,         // >
  LessOrEqual,     // <=
  GreaterOrEqual,  // >=
  Not,
  And,
  Or,
  Xor,
  Eqv,
  Imp,
};

constexpr bool IsComparison(JetOp op) {
  return op == JetOp::Equal || op == JetOp::NotEqual || op == JetOp::Less || op == JetOp::Greater ||
         op == JetOp::LessOrEqual || op == JetOp::GreaterOrEqual;
}

}  // namespace tarnwick
