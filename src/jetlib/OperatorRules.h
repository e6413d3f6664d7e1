#pragma once
// Jet's operators as the engine computes them: for each operator and the types of its
// operands, the form the engine's statement takes (the engine's own operator where it gives
// Jet's value, else the library's function), the type of the result, and the conversions
// Jet makes on the way. The front end's binder reads these rules; the library's operator
// functions (OperatorFunctions.cpp) compute the forms that are no engine operator, also for
// operands whose types are known only as the statement runs.
#include <span>
#include <string_view>

#include "jetlib/JetOperators.h"
#include "jetlib/JetType.h"

namespace tarnwick {

enum class OperatorForm : unsigned char {
  EngineArithmetic,  // the engine's own + - * (numbers of known types: it widens as Jet does)
  TextJoin,          // + of two texts: the engine's ||
  DatePlus,          // date + days or days + date: the library's date_plus(date, days)
  DateMinus,         // date - date: the library's date_minus, in days
  Concatenation,     // &: the library's concat, which reads NULL as empty text
  Comparison,        // the engine's comparison, with Jet's comparison of texts and dates
  Logic,             // And, Or, Not of truth values: the engine's AND, OR, NOT
  EngineNegate,      // - of a number of a known type
  Identity,          // + of one operand: its value
  Library,           // the library's function for the operator, for operands of any type
};

struct OperatorResolution {
  OperatorForm form;
  std::string_view function;  // the engine function of DatePlus, DateMinus, Concatenation and
                              // Library; empty for the other forms
  JetType result;
  bool swapped = false;           // DatePlus of days + date: the operands change places
  bool roundsToCurrency = false;  // a currency result is rounded to four places (kCurrency)
};

OperatorResolution ResolveBinaryOperator(JetOp op, JetType left, JetType right);
OperatorResolution ResolveUnaryOperator(JetOp op, JetType operand);

// How values are compared (=, <, Between, In, a crosstab's pivot): dates by their time when one
// of them is a date (both sides through kDateKey), else texts without regard to case when one
// of them is text.
struct ComparisonRule {
  bool byTime = false;
  bool ignoringCase = false;
};
ComparisonRule CompareRuleFor(std::span<const JetType> operands);

// Like with a text literal as its pattern: the engine's LIKE matches as Jet does unless the
// pattern has a [ ] class, which only the library's like reads.
bool EngineLikeMatchesJet(std::string_view literalPattern);

}  // namespace tarnwick
