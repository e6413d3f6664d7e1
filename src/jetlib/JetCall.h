#pragma once
// The glue between the engine's calls and the library's functions: reading arguments as Jet
// converts them, giving results, and turning a failure into the engine error with Jet's
// message. Function bodies throw JetFailure; the entry point catches it.
#include <sqlite3.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "jetlib/JetDate.h"
#include "jetlib/JetFunctions.h"
#include "jetlib/JetNumber.h"

namespace tarnwick::jetlib {

struct JetFailure {
  JetRuntimeError error;
};
[[noreturn]] void Fail(JetRuntimeError error);

// What a NULL argument does before the body runs.
enum class NullRule : unsigned char {
  GivesNull,  // any NULL argument makes the result NULL
  Refused,    // any NULL argument is Jet's "invalid use of Null"
  Handled,    // the body looks at NULLs itself
};

class Call {
 public:
  Call(sqlite3_context* context, int count, sqlite3_value** values)
      : context_(context), count_(count), values_(values) {}

  int Count() const { return count_; }
  bool Has(int i) const { return i < count_; }
  bool IsNull(int i) const { return Type(i) == SQLITE_NULL; }
  bool AnyNull() const;
  int Type(int i) const { return sqlite3_value_type(values_[i]); }
  sqlite3_value* Value(int i) const { return values_[i]; }
  sqlite3_context* Context() const { return context_; }

  // The argument as a number; text converts as Jet converts it (a stored date becomes its
  // serial number). TypeMismatch when it does not convert.
  JetNumber Number(int i) const;
  double Double(int i) const { return Number(i).AsDouble(); }
  // Rounded half to even; Overflow outside [min, max].
  std::int64_t Whole(int i, std::int64_t min = INT32_MIN, std::int64_t max = INT32_MAX) const;
  // An optional whole-number argument: `otherwise` when absent; NULL is refused.
  std::int64_t OptionalWhole(int i, std::int64_t otherwise, std::int64_t min = INT32_MIN,
                             std::int64_t max = INT32_MAX) const;
  // The text form of the argument: text as it is, numbers as Jet writes them. The view stays
  // valid for the whole call.
  std::string_view Text(int i);
  // The argument as a date: a number is a serial date, text any date form Jet reads.
  JetDateTime Date(int i) const;
  // Jet's truth of a value: non-zero numbers, "True"; TypeMismatch for other text.
  bool Truth(int i) const;

  void ResultNull() { sqlite3_result_null(context_); }
  void ResultWhole(std::int64_t value) { sqlite3_result_int64(context_, value); }
  void ResultDouble(double value);
  void ResultNumber(const JetNumber& value);
  void ResultBoolean(bool value) { sqlite3_result_int(context_, value ? -1 : 0); }
  void ResultText(std::string_view text);
  void ResultDate(const JetDateTime& date);  // InvalidArgument outside Jet's years
  void ResultArgument(int i) { sqlite3_result_value(context_, values_[i]); }

 private:
  static constexpr int kTextBuffers = 8;
  sqlite3_context* context_;
  int count_;
  sqlite3_value** values_;
  std::array<std::array<char, 32>, kTextBuffers> numberText_;  // filled on demand
  std::string overflowText_;
};

// The text of a stored value for functions outside a call (aggregates, storage).
std::string_view ValueText(sqlite3_value* value);

// The number of a value, as Call::Number.
JetNumber ValueNumber(sqlite3_value* value);

// Reports the failure on the context.
void ReportFailure(sqlite3_context* context, JetRuntimeError error);

using ScalarBody = void (*)(Call&);

// The engine's entry point for a body: applies the NULL rule and reports failures.
template <ScalarBody Body, NullRule Rule = NullRule::GivesNull>
void Scalar(sqlite3_context* context, int count, sqlite3_value** values) {
  Call call(context, count, values);
  if constexpr (Rule != NullRule::Handled) {
    if (call.AnyNull()) {
      if constexpr (Rule == NullRule::GivesNull) {
        call.ResultNull();
      } else {
        ReportFailure(context, JetRuntimeError::InvalidUseOfNull);
      }
      return;
    }
  }
  try {
    Body(call);
  } catch (const JetFailure& failure) {
    ReportFailure(context, failure.error);
  } catch (const std::bad_alloc&) {
    sqlite3_result_error_nomem(context);
  }
}

}  // namespace tarnwick::jetlib
