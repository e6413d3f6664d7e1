// Jet's aggregates where the engine's own differ: Sum and Avg convert as Jet does and never
// overflow into an error, currency sums are exact, First and Last take the rows' order, and
// the standard deviations and variances. Count, Min and Max are the engine's own.
#include <cmath>

#include "jetlib/FunctionLibrary.h"
#include "jetlib/JetCall.h"

namespace tarnwick::jetlib {

namespace {

template <typename State>
State* StateOf(sqlite3_context* context, bool create = true) {
  return static_cast<State*>(sqlite3_aggregate_context(context, create ? sizeof(State) : 0));
}

// Runs one step, reporting a value that does not convert.
template <typename Step>
void Guarded(sqlite3_context* context, Step step) {
  try {
    step();
  } catch (const JetFailure& failure) {
    ReportFailure(context, failure.error);
  }
}

struct SumState {
  bool any;
  bool real;
  std::int64_t whole;
  double total;
};

void SumStep(sqlite3_context* context, int, sqlite3_value** values) {
  if (sqlite3_value_type(values[0]) == SQLITE_NULL) return;
  SumState* state = StateOf<SumState>(context);
  if (state == nullptr) return sqlite3_result_error_nomem(context);
  Guarded(context, [&] {
    const JetNumber number = ValueNumber(values[0]);
    state->any = true;
    std::int64_t sum = 0;
    if (!state->real && number.whole &&
        !__builtin_add_overflow(state->whole, number.integer, &sum)) {
      state->whole = sum;
      return;
    }
    if (!state->real) {
      state->real = true;
      state->total = static_cast<double>(state->whole);
    }
    state->total += number.AsDouble();
  });
}

void SumFinal(sqlite3_context* context) {
  const SumState* state = StateOf<SumState>(context, false);
  if (state == nullptr || !state->any) return sqlite3_result_null(context);
  if (state->real) return sqlite3_result_double(context, state->total);
  sqlite3_result_int64(context, state->whole);
}

struct CurrencySumState {
  bool any;
  std::int64_t units;
};

void CurrencySumStep(sqlite3_context* context, int, sqlite3_value** values) {
  if (sqlite3_value_type(values[0]) == SQLITE_NULL) return;
  CurrencySumState* state = StateOf<CurrencySumState>(context);
  if (state == nullptr) return sqlite3_result_error_nomem(context);
  Guarded(context, [&] {
    const auto units = CurrencyUnits(ValueNumber(values[0]).AsDouble());
    std::int64_t sum = 0;
    if (!units || __builtin_add_overflow(state->units, *units, &sum))
      Fail(JetRuntimeError::Overflow);
    state->units = sum;
    state->any = true;
  });
}

void CurrencySumFinal(sqlite3_context* context) {
  const CurrencySumState* state = StateOf<CurrencySumState>(context, false);
  if (state == nullptr || !state->any) return sqlite3_result_null(context);
  sqlite3_result_double(context, CurrencyValue(state->units));
}

// Count, mean and the sum of squared deviations (Welford's method), for Avg, Var and StDev.
struct Moments {
  std::int64_t count;
  double mean;
  double squares;
};

void MomentsStep(sqlite3_context* context, int, sqlite3_value** values) {
  if (sqlite3_value_type(values[0]) == SQLITE_NULL) return;
  Moments* state = StateOf<Moments>(context);
  if (state == nullptr) return sqlite3_result_error_nomem(context);
  Guarded(context, [&] {
    const double value = ValueNumber(values[0]).AsDouble();
    ++state->count;
    const double delta = value - state->mean;
    state->mean += delta / static_cast<double>(state->count);
    state->squares += delta * (value - state->mean);
  });
}

void AvgFinal(sqlite3_context* context) {
  const Moments* state = StateOf<Moments>(context, false);
  if (state == nullptr || state->count == 0) return sqlite3_result_null(context);
  sqlite3_result_double(context, state->mean);
}

// Var and StDev divide by n - 1 (a sample), VarP and StDevP by n (the whole population).
template <bool Population, bool Root>
void SpreadFinal(sqlite3_context* context) {
  const Moments* state = StateOf<Moments>(context, false);
  const std::int64_t least = Population ? 1 : 2;
  if (state == nullptr || state->count < least) return sqlite3_result_null(context);
  const double variance =
      state->squares / static_cast<double>(Population ? state->count : state->count - 1);
  sqlite3_result_double(context, Root ? std::sqrt(variance) : variance);
}

// First keeps the first row's value, Last every row's in turn (NULL included, as in Jet).
struct PickState {
  sqlite3_value* value;
  bool seen;
};

template <bool Last>
void PickStep(sqlite3_context* context, int, sqlite3_value** values) {
  PickState* state = StateOf<PickState>(context);
  if (state == nullptr) return sqlite3_result_error_nomem(context);
  if (state->seen && !Last) return;
  sqlite3_value* copy = sqlite3_value_dup(values[0]);
  if (copy == nullptr) return sqlite3_result_error_nomem(context);
  sqlite3_value_free(state->value);
  state->value = copy;
  state->seen = true;
}

void PickFinal(sqlite3_context* context) {
  PickState* state = StateOf<PickState>(context, false);
  if (state == nullptr || !state->seen) return sqlite3_result_null(context);
  sqlite3_result_value(context, state->value);
  sqlite3_value_free(state->value);
  state->value = nullptr;
}

constexpr JetFunction Aggregate(std::string_view name, std::string_view engineName,
                                JetResultRule rule, JetType result, JetArgumentCase first = {},
                                JetArgumentCase second = {}) {
  JetFunction function{name, engineName, 1, 1, rule, result, 0, true};
  function.cases = {first, second};
  return function;
}
constexpr JetFunction Counts(JetFunction function) {
  function.takesStar = true;
  return function;
}
constexpr auto kKept = JetResultRule::SameAsArgument;
constexpr auto kFixed = JetResultRule::Fixed;
constexpr auto kDouble = JetType::Double;

constexpr bool IsCurrency(JetType type) { return type == JetType::Currency; }
constexpr bool IsYesNo(JetType type) { return type == JetType::Boolean; }
constexpr bool IsText(JetType type) { return IsTextType(type); }

// Sum of currency is exact; Sum of YESNO counts the True values (as negative numbers).
constexpr JetArgumentCase kCurrencySum{IsCurrency, JetType::Variant, jet_op::kCurrencySum,
                                       JetCallConversion::None};
constexpr JetArgumentCase kYesNoSum{IsYesNo, JetType::Long, {}, JetCallConversion::None};
// Avg of currency is currency.
constexpr JetArgumentCase kCurrencyAvg{
    IsCurrency, JetType::Currency, {}, JetCallConversion::ResultToCurrency};
// Min and Max of text ignore the case of letters.
constexpr JetArgumentCase kTextWithoutCase{
    IsText, JetType::Variant, {}, JetCallConversion::ArgumentWithoutCase};

const LibraryEntry kEntries[] = {
    // The engine's own count, min and max already follow Jet (NULLs skipped, text compared by
    // the collation of its column).
    {Counts(Aggregate("Count", "count", kFixed, JetType::Long))},
    {Aggregate("Min", "min", kKept, JetType::Variant, kTextWithoutCase)},
    {Aggregate("Max", "max", kKept, JetType::Variant, kTextWithoutCase)},
    {Aggregate("Sum", "jet_sum", kKept, JetType::Variant, kCurrencySum, kYesNoSum), nullptr,
     SumStep, SumFinal},
    {Aggregate("Avg", "jet_avg", kFixed, kDouble, kCurrencyAvg), nullptr, MomentsStep, AvgFinal},
    {Aggregate("First", "jet_first", kKept, JetType::Variant), nullptr, PickStep<false>, PickFinal},
    {Aggregate("Last", "jet_last", kKept, JetType::Variant), nullptr, PickStep<true>, PickFinal},
    {Aggregate("StDev", "jet_stdev", kFixed, kDouble), nullptr, MomentsStep,
     SpreadFinal<false, true>},
    {Aggregate("StDevP", "jet_stdevp", kFixed, kDouble), nullptr, MomentsStep,
     SpreadFinal<true, true>},
    {Aggregate("Var", "jet_var", kFixed, kDouble), nullptr, MomentsStep, SpreadFinal<false, false>},
    {Aggregate("VarP", "jet_varp", kFixed, kDouble), nullptr, MomentsStep,
     SpreadFinal<true, false>},
    {Aggregate("", jet_op::kCurrencySum, kFixed, JetType::Currency), nullptr, CurrencySumStep,
     CurrencySumFinal},
};

}  // namespace

std::span<const LibraryEntry> AggregateFunctions() { return kEntries; }

}  // namespace tarnwick::jetlib
