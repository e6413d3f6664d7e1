#pragma once
// Jet's operators.
#include <cstddef>
#include <iterator>
#include <string_view>

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

// How Jet writes each operator, in the order of JetOp. The engine writes the comparisons and
// + - * the same.
inline constexpr std::string_view kJetOperatorSpellings[] = {
    "^",  "-", "+", "*",  "/",  "\\",  "Mod", "+",  "-",   "&",   "=",
    "<>", "<", ">", "<=", ">=", "Not", "And", "Or", "Xor", "Eqv", "Imp",
};
static_assert(std::size(kJetOperatorSpellings) == static_cast<std::size_t>(JetOp::Imp) + 1);

constexpr std::string_view JetOperatorText(JetOp op) {
  return kJetOperatorSpellings[static_cast<std::size_t>(op)];
}

constexpr bool IsComparison(JetOp op) {
  return op == JetOp::Equal || op == JetOp::NotEqual || op == JetOp::Less || op == JetOp::Greater ||
         op == JetOp::LessOrEqual || op == JetOp::GreaterOrEqual;
}

}  // namespace tarnwick
