// Jet's operators where the engine's own differ: & and + on text, arithmetic that widens
// instead of wrapping, \ and Mod on rounded operands, bitwise logic with three-valued NULLs,
// Like, date arithmetic and currency rounding.
#include <cmath>
#include <cstring>

#include "jetlib/FunctionLibrary.h"
#include "jetlib/JetCall.h"
#include "jetlib/LikePattern.h"
#include "text/AsciiCase.h"

namespace tarnwick::jetlib {

namespace {

// a & b: the text forms joined, NULL counting as empty text; NULL only when both are.
void Concat(Call& call) {
  if (call.IsNull(0) && call.IsNull(1)) return call.ResultNull();
  const std::string_view left = call.IsNull(0) ? std::string_view() : call.Text(0);
  const std::string_view right = call.IsNull(1) ? std::string_view() : call.Text(1);
  const std::size_t length = left.size() + right.size();
  auto* joined = static_cast<char*>(sqlite3_malloc64(length + 1));
  if (joined == nullptr) return sqlite3_result_error_nomem(call.Context());
  std::memcpy(joined, left.data(), left.size());
  std::memcpy(joined + left.size(), right.data(), right.size());
  joined[length] = '\0';
  sqlite3_result_text64(call.Context(), joined, length, sqlite3_free, SQLITE_UTF8);
}

// Whole numbers stay whole unless the result leaves the 64-bit range.
template <bool (*Whole)(std::int64_t, std::int64_t, std::int64_t*), double (*Real)(double, double)>
void Arithmetic(Call& call, const JetNumber& a, const JetNumber& b) {
  std::int64_t result = 0;
  if (a.whole && b.whole && !Whole(a.integer, b.integer, &result)) return call.ResultWhole(result);
  call.ResultDouble(Real(a.AsDouble(), b.AsDouble()));
}
bool AddWhole(std::int64_t a, std::int64_t b, std::int64_t* r) {
  return __builtin_add_overflow(a, b, r);
}
bool SubtractWhole(std::int64_t a, std::int64_t b, std::int64_t* r) {
  return __builtin_sub_overflow(a, b, r);
}
bool MultiplyWhole(std::int64_t a, std::int64_t b, std::int64_t* r) {
  return __builtin_mul_overflow(a, b, r);
}
double AddReal(double a, double b) { return a + b; }
double SubtractReal(double a, double b) { return a - b; }
double MultiplyReal(double a, double b) { return a * b; }

bool IsText(Call& call, int i) { return call.Type(i) == SQLITE_TEXT; }

// A stored date among the operands of + and -, which then mean date arithmetic.
std::optional<JetDateTime> StoredDate(Call& call, int i) {
  if (!IsText(call, i) || ParseJetNumber(call.Text(i))) return std::nullopt;
  return ParseStoredDate(call.Text(i));
}

void ResultDatePlusDays(Call& call, const JetDateTime& date, double days) {
  const double seconds = std::round(days * kSecondsPerDay);
  if (std::fabs(seconds) > 1e15) Fail(JetRuntimeError::Overflow);
  call.ResultDate(MakeDateTime(date.day, date.second + static_cast<std::int64_t>(seconds)));
}

// a + b: two texts are joined; a date and a number make a date; otherwise numbers add.
void Add(Call& call) {
  if (IsText(call, 0) && IsText(call, 1)) {
    std::string joined(call.Text(0));
    joined += call.Text(1);
    return call.ResultText(joined);
  }
  if (auto date = StoredDate(call, 0)) return ResultDatePlusDays(call, *date, call.Double(1));
  if (auto date = StoredDate(call, 1)) return ResultDatePlusDays(call, *date, call.Double(0));
  Arithmetic<AddWhole, AddReal>(call, call.Number(0), call.Number(1));
}

// a - b: date - date is a number of days, date - number a date.
void Subtract(Call& call) {
  if (auto date = StoredDate(call, 0)) {
    if (auto other = StoredDate(call, 1))
      return call.ResultDouble(TimeLineDays(*date) - TimeLineDays(*other));
    return ResultDatePlusDays(call, *date, -call.Double(1));
  }
  Arithmetic<SubtractWhole, SubtractReal>(call, call.Number(0), call.Number(1));
}

void Multiply(Call& call) {
  Arithmetic<MultiplyWhole, MultiplyReal>(call, call.Number(0), call.Number(1));
}

void Divide(Call& call) {
  const double divisor = call.Double(1);
  const double dividend = call.Double(0);
  if (divisor == 0)
    Fail(dividend == 0 ? JetRuntimeError::Overflow : JetRuntimeError::DivisionByZero);
  call.ResultDouble(dividend / divisor);
}

std::int64_t WholeOperand(Call& call, int i) { return call.Whole(i, INT64_MIN, INT64_MAX); }

// a \ b and a Mod b: both operands rounded half to even first.
template <bool Remainder>
void IntegerDivide(Call& call) {
  const std::int64_t dividend = WholeOperand(call, 0);
  const std::int64_t divisor = WholeOperand(call, 1);
  if (divisor == 0) Fail(JetRuntimeError::DivisionByZero);
  if (divisor == -1) return call.ResultWhole(Remainder ? 0 : -dividend);
  call.ResultWhole(Remainder ? dividend % divisor : dividend / divisor);
}

void Power(Call& call) {
  const double base = call.Double(0);
  const double exponent = call.Double(1);
  if (base == 0 && exponent < 0) Fail(JetRuntimeError::DivisionByZero);
  if (base < 0 && std::trunc(exponent) != exponent) Fail(JetRuntimeError::InvalidArgument);
  call.ResultDouble(std::pow(base, exponent));
}

void Negate(Call& call) {
  const JetNumber number = call.Number(0);
  if (number.whole && number.integer != INT64_MIN) return call.ResultWhole(-number.integer);
  call.ResultDouble(-number.AsDouble());
}

// The operand of a logical operator: a whole number (True is -1); nullopt for NULL.
std::optional<std::int64_t> LogicOperand(Call& call, int i) {
  if (call.IsNull(i)) return std::nullopt;
  if (IsText(call, i)) {
    const std::string_view text = call.Text(i);
    if (EqualsIgnoringAsciiCase(text, "True")) return -1;
    if (EqualsIgnoringAsciiCase(text, "False")) return 0;
  }
  return WholeOperand(call, i);
}

void Not(Call& call) { call.ResultWhole(~*LogicOperand(call, 0)); }

// The three-valued operators: with a NULL operand the result is known only where the other
// operand decides it (False And NULL is False, True Or NULL is True).
template <std::int64_t (*Bits)(std::int64_t, std::int64_t)>
void Logic(Call& call,
           std::optional<std::int64_t> (*withNull)(std::int64_t other, bool nullFirst)) {
  const auto a = LogicOperand(call, 0);
  const auto b = LogicOperand(call, 1);
  std::optional<std::int64_t> result;
  if (a && b) {
    result = Bits(*a, *b);
  } else if (a || b) {
    result = withNull(a ? *a : *b, !a.has_value());
  }
  if (result) return call.ResultWhole(*result);
  call.ResultNull();
}

std::int64_t AndBits(std::int64_t a, std::int64_t b) { return a & b; }
std::int64_t OrBits(std::int64_t a, std::int64_t b) { return a | b; }
std::int64_t XorBits(std::int64_t a, std::int64_t b) { return a ^ b; }
std::int64_t EqvBits(std::int64_t a, std::int64_t b) { return ~(a ^ b); }
std::int64_t ImpBits(std::int64_t a, std::int64_t b) { return ~a | b; }

std::optional<std::int64_t> AndWithNull(std::int64_t other, bool) {
  return other == 0 ? std::optional<std::int64_t>(0) : std::nullopt;
}
std::optional<std::int64_t> OrWithNull(std::int64_t other, bool) {
  return other == -1 ? std::optional<std::int64_t>(-1) : std::nullopt;
}
std::optional<std::int64_t> UnknownWithNull(std::int64_t, bool) { return std::nullopt; }
// NULL Imp True is True; False Imp NULL is True.
std::optional<std::int64_t> ImpWithNull(std::int64_t other, bool nullFirst) {
  const bool decided = nullFirst ? other == -1 : other == 0;
  return decided ? std::optional<std::int64_t>(-1) : std::nullopt;
}

void And(Call& call) { Logic<AndBits>(call, AndWithNull); }
void Or(Call& call) { Logic<OrBits>(call, OrWithNull); }
void Xor(Call& call) { Logic<XorBits>(call, UnknownWithNull); }
void Eqv(Call& call) { Logic<EqvBits>(call, UnknownWithNull); }
void Imp(Call& call) { Logic<ImpBits>(call, ImpWithNull); }

void Like(Call& call) { call.ResultBoolean(MatchesLike(call.Text(0), call.Text(1))); }

void DatePlus(Call& call) { ResultDatePlusDays(call, call.Date(0), call.Double(1)); }
void DateMinus(Call& call) {
  call.ResultDouble(TimeLineDays(call.Date(0)) - TimeLineDays(call.Date(1)));
}
void DateKey(Call& call) { call.ResultDouble(TimeLineDays(call.Date(0))); }

void Currency(Call& call) {
  const auto units = CurrencyUnits(call.Double(0));
  if (!units) Fail(JetRuntimeError::Overflow);
  call.ResultDouble(CurrencyValue(*units));
}

constexpr JetFunction Operator(std::string_view engineName, int arguments, JetType result) {
  return Returns("", engineName, arguments, arguments, result);
}
constexpr auto kVariant = JetType::Variant;
constexpr auto kHandled = NullRule::Handled;

const LibraryEntry kEntries[] = {
    {Operator(jet_op::kConcat, 2, JetType::Text), Scalar<Concat, kHandled>},
    {Operator(jet_op::kAdd, 2, kVariant), Scalar<Add>},
    {Operator(jet_op::kSubtract, 2, kVariant), Scalar<Subtract>},
    {Operator(jet_op::kMultiply, 2, kVariant), Scalar<Multiply>},
    {Operator(jet_op::kDivide, 2, JetType::Double), Scalar<Divide>},
    {Operator(jet_op::kIntDivide, 2, JetType::Long), Scalar<IntegerDivide<false>>},
    {Operator(jet_op::kModulo, 2, JetType::Long), Scalar<IntegerDivide<true>>},
    {Operator(jet_op::kPower, 2, JetType::Double), Scalar<Power>},
    {Operator(jet_op::kNegate, 1, kVariant), Scalar<Negate>},
    {Operator(jet_op::kNot, 1, kVariant), Scalar<Not>},
    {Operator(jet_op::kAnd, 2, kVariant), Scalar<And, kHandled>},
    {Operator(jet_op::kOr, 2, kVariant), Scalar<Or, kHandled>},
    {Operator(jet_op::kXor, 2, kVariant), Scalar<Xor, kHandled>},
    {Operator(jet_op::kEqv, 2, kVariant), Scalar<Eqv, kHandled>},
    {Operator(jet_op::kImp, 2, kVariant), Scalar<Imp, kHandled>},
    {Operator(jet_op::kLike, 2, JetType::Boolean), Scalar<Like>},
    {Operator(jet_op::kDatePlus, 2, JetType::DateTime), Scalar<DatePlus>},
    {Operator(jet_op::kDateDiff, 2, JetType::Double), Scalar<DateMinus>},
    {Operator(jet_op::kDateKey, 1, JetType::Double), Scalar<DateKey>},
    {Operator(jet_op::kCurrency, 1, JetType::Currency), Scalar<Currency>},
};

}  // namespace

std::span<const LibraryEntry> OperatorFunctions() { return kEntries; }

}  // namespace tarnwick::jetlib
