#include "jetlib/JetCall.h"

#include <cmath>

#include "text/AsciiCase.h"

namespace tarnwick::jetlib {

namespace {

std::string_view RawText(sqlite3_value* value) {
  const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(value));
  return {bytes != nullptr ? bytes : "", static_cast<std::size_t>(sqlite3_value_bytes(value))};
}

std::string_view BlobBytes(sqlite3_value* value) {
  const auto* bytes = static_cast<const char*>(sqlite3_value_blob(value));
  return {bytes != nullptr ? bytes : "", static_cast<std::size_t>(sqlite3_value_bytes(value))};
}

}  // namespace

void Fail(JetRuntimeError error) { throw JetFailure{error}; }

void ReportFailure(sqlite3_context* context, JetRuntimeError error) {
  const std::string_view message = JetRuntimeMessage(error);
  sqlite3_result_error(context, message.data(), static_cast<int>(message.size()));
}

JetNumber ValueNumber(sqlite3_value* value) {
  switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
      return JetNumber::Whole(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
      return JetNumber::Real(sqlite3_value_double(value));
    case SQLITE_TEXT: {
      const std::string_view text = RawText(value);
      if (auto number = ParseJetNumber(text)) return *number;
      if (auto date = ParseStoredDate(text)) {
        if (date->second == 0) return JetNumber::Whole(date->day);
        return JetNumber::Real(SerialOf(*date));
      }
      Fail(JetRuntimeError::TypeMismatch);
    }
    case SQLITE_NULL:
      Fail(JetRuntimeError::InvalidUseOfNull);
    default:
      Fail(JetRuntimeError::TypeMismatch);
  }
}

std::string_view ValueText(sqlite3_value* value) {
  return sqlite3_value_type(value) == SQLITE_BLOB ? BlobBytes(value) : RawText(value);
}

bool Call::AnyNull() const {
  for (int i = 0; i < count_; ++i) {
    if (IsNull(i)) return true;
  }
  return false;
}

JetNumber Call::Number(int i) const { return ValueNumber(values_[i]); }

std::int64_t Call::Whole(int i, std::int64_t min, std::int64_t max) const {
  const JetNumber number = Number(i);
  if (number.whole) {
    if (number.integer < min || number.integer > max) Fail(JetRuntimeError::Overflow);
    return number.integer;
  }
  const auto rounded = RoundToWhole(number.real);
  if (!rounded || *rounded < min || *rounded > max) Fail(JetRuntimeError::Overflow);
  return *rounded;
}

std::int64_t Call::OptionalWhole(int i, std::int64_t otherwise, std::int64_t min,
                                 std::int64_t max) const {
  if (!Has(i)) return otherwise;
  if (IsNull(i)) Fail(JetRuntimeError::InvalidUseOfNull);
  return Whole(i, min, max);
}

std::string_view Call::Text(int i) {
  switch (Type(i)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT: {
      char* buffer = i < kTextBuffers ? numberText_[i].data() : nullptr;
      char local[32];
      const std::size_t length = WriteJetNumber(Number(i), buffer != nullptr ? buffer : local);
      if (buffer != nullptr) return {buffer, length};
      overflowText_.assign(local, length);
      return overflowText_;
    }
    case SQLITE_BLOB:
      return BlobBytes(values_[i]);
    default:
      return RawText(values_[i]);
  }
}

JetDateTime Call::Date(int i) const {
  switch (Type(i)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT: {
      auto date = DateFromSerial(sqlite3_value_double(values_[i]));
      if (!date) Fail(JetRuntimeError::Overflow);
      return *date;
    }
    case SQLITE_TEXT: {
      auto date = ParseJetDate(RawText(values_[i]));
      if (!date) Fail(JetRuntimeError::TypeMismatch);
      return *date;
    }
    case SQLITE_NULL:
      Fail(JetRuntimeError::InvalidUseOfNull);
    default:
      Fail(JetRuntimeError::TypeMismatch);
  }
}

bool Call::Truth(int i) const {
  if (Type(i) == SQLITE_TEXT) {
    const std::string_view text = RawText(values_[i]);
    if (EqualsIgnoringAsciiCase(text, "True")) return true;
    if (EqualsIgnoringAsciiCase(text, "False")) return false;
  }
  return Number(i).AsDouble() != 0;
}

void Call::ResultDouble(double value) {
  if (!std::isfinite(value)) Fail(JetRuntimeError::Overflow);
  sqlite3_result_double(context_, value);
}

void Call::ResultNumber(const JetNumber& value) {
  if (value.whole) {
    ResultWhole(value.integer);
  } else {
    ResultDouble(value.real);
  }
}

void Call::ResultText(std::string_view text) {
  sqlite3_result_text64(context_, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

void Call::ResultDate(const JetDateTime& date) {
  if (!InJetRange(date)) Fail(JetRuntimeError::InvalidArgument);
  char text[24];
  sqlite3_result_text(context_, text, static_cast<int>(WriteStoredDate(date, text)),
                      SQLITE_TRANSIENT);
}

}  // namespace tarnwick::jetlib
