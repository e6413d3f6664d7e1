#pragma once
// Jet's function library, as engine functions registered on every connection we open.
//
// Conventions shared by every function here and by the code the front end generates:
// - Text is UTF-8; positions and lengths count characters (code points), not bytes.
// - True is -1 and False is 0 (integers). A NULL argument gives NULL where Jet does.
// - Dates arrive as ISO text ("YYYY-MM-DD", "YYYY-MM-DD HH:MM[:SS]", "HH:MM[:SS]" on day 0) or
//   as a number of days since 1899-12-30 (the fraction is the time of day); a date result
//   is always "YYYY-MM-DD HH:MM:SS".
// - Currency results are doubles rounded to four decimal places.
// - A failure (a value that does not convert, an overflow, a bad argument) is an engine error
//   whose message is Jet's Japanese text for it (see JetRuntimeMessage).
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "jetlib/JetType.h"

struct sqlite3;

namespace tarnwick {

// How the type of a call's result follows from its arguments.
enum class JetResultRule : unsigned char {
  Fixed,            // always `result`
  SameAsArgument,   // the type of argument `argument` (Abs, Sum, Min, Max, First, Last, ...)
  CommonOfChoices,  // the common type of the arguments that can be the result (IIf, Switch, Choose)
};

// The arguments of a CommonOfChoices function that can be its result.
enum class JetChoices : unsigned char {
  None,
  SecondAndThird,  // IIf(condition, value if true, value if false)
  EverySecond,     // Switch(condition1, value1, condition2, value2, ...)
  AllButFirst,     // Choose(index, value1, value2, ...)
};

// What the front end adds around a call.
enum class JetCallConversion : unsigned char {
  None,
  ArgumentWithoutCase,  // the first argument's texts compare without regard to case
  ResultToCurrency,     // the result is rounded to four places (jet_op::kCurrency)
};

// A type of the first argument that changes what the call is.
struct JetArgumentCase {
  bool (*when)(JetType) = nullptr;  // nullptr: no case
  JetType result =
      JetType::Variant;         // the result's type instead of the rule's; Variant: the rule's
  std::string_view engineName;  // the engine function instead of the function's own
  JetCallConversion conversion = JetCallConversion::None;
};

struct JetFunction {
  std::string_view name;        // Jet's spelling: "Left", "DateAdd", ...
  std::string_view engineName;  // the registered engine name: "jet_left", ...
  int minArguments;
  int maxArguments;  // -1: any number
  JetResultRule rule;
  JetType result;    // for Fixed
  int argument = 0;  // for SameAsArgument (0-based)
  bool aggregate = false;
  bool deterministic = true;
  JetChoices choices = JetChoices::None;   // for CommonOfChoices
  bool takesStar = false;                  // Count(*)
  std::array<JetArgumentCase, 2> cases{};  // the first that applies, if any
};

// The case of the function that applies to a first argument of that type; nullptr for none.
const JetArgumentCase* CaseFor(const JetFunction& function, JetType firstArgument);

// The function of that name, compared without regard to ASCII letter case; nullptr when Jet
// has none. Aggregates (Sum, Avg, Count, Min, Max, First, Last, StDev, StDevP, Var, VarP) are
// listed too.
const JetFunction* FindJetFunction(std::string_view name);

// Registers every function of the library, the operators and the storage conversions below on
// one connection. Throws TarnwickError when the engine refuses one.
void RegisterJetFunctions(sqlite3* db);

// Engine functions for Jet's operators where the engine's own differ, for the generator.
namespace jet_op {
inline constexpr std::string_view kConcat = "jet_concat";  // a & b: NULL counts as ""
inline constexpr std::string_view kAdd = "jet_add";        // a + b: numbers add, texts join
inline constexpr std::string_view kSubtract = "jet_sub";   // a - b: numbers; date - date, date - n
inline constexpr std::string_view kMultiply = "jet_mul";
inline constexpr std::string_view kDivide = "jet_div";      // always floating point
inline constexpr std::string_view kIntDivide = "jet_idiv";  // a \ b: both rounded half to even
inline constexpr std::string_view kModulo = "jet_mod";      // a Mod b: likewise
inline constexpr std::string_view kPower = "jet_pow";       // a ^ b
inline constexpr std::string_view kNegate = "jet_neg";
inline constexpr std::string_view kNot = "jet_not";  // bitwise on integers; -1/0 logic
inline constexpr std::string_view kAnd = "jet_and";  // three-valued, bitwise on integers
inline constexpr std::string_view kOr = "jet_or";
inline constexpr std::string_view kXor = "jet_xor";
inline constexpr std::string_view kEqv = "jet_eqv";
inline constexpr std::string_view kImp = "jet_imp";
inline constexpr std::string_view kLike = "jet_like";  // jet_like(text, pattern): -1/0/NULL
inline constexpr std::string_view kDatePlus = "jet_date_plus";   // date + days -> date
inline constexpr std::string_view kDateDiff = "jet_date_minus";  // date - date -> days (double)
inline constexpr std::string_view kDateKey = "jet_date_key";  // a date as days (double), to compare
inline constexpr std::string_view kCurrency = "jet_cur";      // a number rounded to four decimals
inline constexpr std::string_view kCurrencySum = "jet_cur_sum";  // exact Sum of currency
}  // namespace jet_op

// Storing a value into a column: jet_store(value, type[, size[, 'column']]) converts the value
// as Jet does for an INSERT or UPDATE into a column of that type (its JetType code; tables
// that earlier versions made name it instead: 'LONG', 'TEXT', ...; size for TEXT(n),
// BINARY(n) and DECIMAL(p, s) as p * 100 + s) and fails with Jet's message when it does not
// convert, lies outside the type's range or is longer than the column; NULL stays NULL (a
// YESNO column turns it into 0). The column's name, when given, goes into the message (size 0
// stands for no size).
inline constexpr std::string_view kJetStore = "jet_store";

// Jet's Japanese runtime messages, for the library's failures.
enum class JetRuntimeError {
  TypeMismatch,      // "型が一致しません。"
  Overflow,          // "オーバーフローしました。"
  InvalidArgument,   // "プロシージャの呼び出し、または引数が不正です。"
  DivisionByZero,    // "0 で除算しました。"
  FieldTooSmall,     // "フィールドのサイズが小さすぎます。..."
  InvalidUseOfNull,  // "Null の使い方が不正です。" (a NULL where the function takes none)
};
std::string_view JetRuntimeMessage(JetRuntimeError error);
// True for an engine message (UTF-8) that a function of the library gave: it begins with the
// first sentence of one of the runtime messages (a value being stored goes on naming its
// column, and adds a hint).
bool IsJetRuntimeMessage(std::string_view utf8);

// Every function's Jet name, for the closest name to a misspelt one.
std::vector<std::string> JetFunctionNames();

}  // namespace tarnwick
