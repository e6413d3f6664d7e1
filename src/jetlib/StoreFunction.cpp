// jet_store(value, type[, size[, column]]): a value on its way into a column, converted as Jet
// converts it on INSERT and UPDATE, or refused with Jet's message, so that nothing a later
// SELECT cannot read is ever stored. The type is its code (JetType); the DEFAULT clauses of
// tables that earlier versions made name it instead ('LONG'), which the type-name table reads.
#include <cmath>

#include "jetlib/FunctionLibrary.h"
#include "jetlib/JetCall.h"
#include "jetlib/JetTypeNames.h"
#include "jetlib/Utf8Text.h"
#include "text/AsciiCase.h"
#include "text/messages/EngineMessages.h"

namespace tarnwick::jetlib {

namespace {

constexpr int kValue = 0;
constexpr int kType = 1;
constexpr int kSize = 2;
constexpr int kColumn = 3;
constexpr std::int64_t kTextSize = 255;
constexpr std::int64_t kBinarySize = 510;

std::int64_t SizeArgument(Call& call, std::int64_t otherwise) {
  if (!call.Has(kSize) || call.IsNull(kSize)) return otherwise;
  const std::int64_t size = call.Whole(kSize, 0, INT32_MAX);
  return size == 0 ? otherwise : size;
}

void StoreWhole(Call& call, std::int64_t min, std::int64_t max) {
  call.ResultWhole(call.Whole(kValue, min, max));
}

void StoreCurrency(Call& call) {
  const auto units = CurrencyUnits(call.Double(kValue));
  if (!units) Fail(JetRuntimeError::Overflow);
  call.ResultDouble(CurrencyValue(*units));
}

void StoreSingle(Call& call) {
  const auto value = SingleValue(call.Double(kValue));
  if (!value) Fail(JetRuntimeError::Overflow);
  call.ResultDouble(*value);
}

// DECIMAL(p, s), its size given as p * 100 + s: rounded to s places, at most p - s digits
// before the point.
void StoreDecimal(Call& call) {
  const std::int64_t size = SizeArgument(call, 1800);
  const int scale = static_cast<int>(size % 100);
  const int precision = static_cast<int>(size / 100);
  const JetNumber number = call.Number(kValue);
  const double value = number.whole ? number.AsDouble() : RoundHalfToEven(number.real, scale);
  if (std::fabs(value) >= std::pow(10.0, precision - scale)) Fail(JetRuntimeError::Overflow);
  if (number.whole) return call.ResultWhole(number.integer);
  call.ResultDouble(value);
}

void StoreDate(Call& call) { call.ResultDate(call.Date(kValue)); }

void StoreYesNo(Call& call) {
  if (call.IsNull(kValue)) return call.ResultBoolean(false);
  if (call.Type(kValue) == SQLITE_TEXT) {
    const std::string_view text = call.Text(kValue);
    for (std::string_view yes : {"True", "Yes", "On"}) {
      if (EqualsIgnoringAsciiCase(text, yes)) return call.ResultBoolean(true);
    }
    for (std::string_view no : {"False", "No", "Off"}) {
      if (EqualsIgnoringAsciiCase(text, no)) return call.ResultBoolean(false);
    }
  }
  call.ResultBoolean(call.Double(kValue) != 0);
}

void StoreText(Call& call, std::int64_t limit) {
  const std::string_view text = call.Text(kValue);
  if (limit > 0 && static_cast<std::int64_t>(CharacterCount(text)) > limit)
    Fail(JetRuntimeError::FieldTooSmall);
  call.ResultText(text);
}

void StoreBinary(Call& call) {
  if (sqlite3_value_bytes(call.Value(kValue)) > SizeArgument(call, kBinarySize))
    Fail(JetRuntimeError::FieldTooSmall);
  call.ResultArgument(kValue);
}

bool IsHex(char c) { return (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f'); }

// {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}, the braces optional, kept in upper case.
void StoreGuid(Call& call) {
  std::string_view text = call.Text(kValue);
  if (text.size() == 38 && text.front() == '{' && text.back() == '}') text = text.substr(1, 36);
  if (text.size() != 36) Fail(JetRuntimeError::TypeMismatch);
  std::string guid = "{";
  for (std::size_t k = 0; k < text.size(); ++k) {
    const bool dash = k == 8 || k == 13 || k == 18 || k == 23;
    if (dash ? text[k] != '-' : !IsHex(text[k])) Fail(JetRuntimeError::TypeMismatch);
    guid.push_back(static_cast<char>(text[k] >= 'a' ? text[k] - 32 : text[k]));
  }
  guid.push_back('}');
  call.ResultText(guid);
}

// The type argument: a code, or a type's name as older files write it; nothing for another
// (the value is stored as it comes).
std::optional<JetType> TypeArgument(Call& call) {
  if (call.Type(kType) == SQLITE_INTEGER) {
    const sqlite3_int64 code = sqlite3_value_int64(call.Value(kType));
    if (code < 0 || code > static_cast<sqlite3_int64>(JetType::Variant)) return std::nullopt;
    return static_cast<JetType>(code);
  }
  if (call.IsNull(kType)) return std::nullopt;
  return JetTypeOfName(call.Text(kType));
}

void StoreAs(Call& call, JetType type) {
  if (type == JetType::Boolean) return StoreYesNo(call);
  if (call.IsNull(kValue)) return call.ResultNull();
  switch (type) {
    case JetType::Byte:
      return StoreWhole(call, 0, 255);
    case JetType::Short:
      return StoreWhole(call, -32768, 32767);
    case JetType::Long:
      return StoreWhole(call, INT32_MIN, INT32_MAX);
    case JetType::BigInt:
      return StoreWhole(call, INT64_MIN, INT64_MAX);
    case JetType::Currency:
      return StoreCurrency(call);
    case JetType::Single:
      return StoreSingle(call);
    case JetType::Double:
      return call.ResultDouble(call.Double(kValue));
    case JetType::Decimal:
      return StoreDecimal(call);
    case JetType::DateTime:
      return StoreDate(call);
    case JetType::Text:
      return StoreText(call, SizeArgument(call, kTextSize));
    case JetType::Memo:
      return StoreText(call, 0);
    case JetType::Binary:
      return StoreBinary(call);
    case JetType::Guid:
      return StoreGuid(call);
    case JetType::Null:
    case JetType::Boolean:
    case JetType::LongBinary:
    case JetType::Variant:
      break;
  }
  call.ResultArgument(kValue);  // bytes, and types without a conversion
}

// Jet's message for a value that cannot be stored, naming the column and the value.
msg::Message StoreFailure(JetRuntimeError error, Call& call, JetType type) {
  const std::string column(call.Text(kColumn));
  const std::string value(ValueText(call.Value(kValue)));
  const std::string_view typeName = JetTypeName(type);
  switch (error) {
    case JetRuntimeError::Overflow:
      return msg::OverflowStoring(column, typeName, value);
    case JetRuntimeError::FieldTooSmall:
      return msg::FieldTooSmallStoring(column, SizeArgument(call, kTextSize));
    default:
      return msg::TypeMismatchStoring(column, typeName, value);
  }
}

void Store(Call& call) {
  const std::optional<JetType> type = TypeArgument(call);
  if (!type) return call.ResultArgument(kValue);
  try {
    StoreAs(call, *type);
  } catch (const JetFailure& failure) {
    if (!call.Has(kColumn) || call.IsNull(kColumn)) throw;
    const std::string message = StoreFailure(failure.error, call, *type).Utf8();
    sqlite3_result_error(call.Context(), message.data(), static_cast<int>(message.size()));
  }
}

const LibraryEntry kEntries[] = {
    {Returns("", kJetStore, 2, 4, JetType::Variant), Scalar<Store, NullRule::Handled>},
};

}  // namespace

std::span<const LibraryEntry> StorageFunctions() { return kEntries; }

}  // namespace tarnwick::jetlib
