#include "data/Field.h"

#include <sqlite3.h>

#include "data/EngineError.h"
#include "data/ValueText.h"
#include "text/AsciiCase.h"
#include "text/Cp932.h"
#include "text/TarnwickError.h"
#include "text/messages/DatabaseMessages.h"

namespace tarnwick {

namespace {

std::string_view ColumnBytes(const void* data, int size) {
  return data == nullptr
             ? std::string_view()
             : std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

// The value as text (Shift-JIS): numbers in decimal, blobs as their bytes, NULL empty.
std::string ValueAsText(const CellValue& value) {
  switch (value.type) {
    case CellValue::Integer:
      return FormatInteger(value.integer);
    case CellValue::Float:
      return FormatFloat(value.real);
    case CellValue::Text:
      return Utf8ToSjis(value.bytes);
    case CellValue::Blob:
      return std::string(value.bytes);
    case CellValue::Null:
      break;
  }
  return {};
}

// The value as it appears in a message: text as written, numbers in decimal.
std::string Describe(const CellValue& value) {
  return value.type == CellValue::Blob ? "BINARY" : ValueAsText(value);
}

// フィールド '<name>' の値 '<value>' <problem>。
TarnwickError ValueError(const std::string& name, const CellValue& value,
                         std::string_view problem) {
  return TarnwickError(
      msg::FieldValueProblem(SjisToUtf8(name), SjisToUtf8(Describe(value)), problem));
}

}  // namespace

CellValue HeldValue::View() const {
  CellValue value;
  value.type = type;
  value.integer = integer;
  value.real = real;
  if (type == CellValue::Text || type == CellValue::Blob) value.bytes = bytes;
  return value;
}

void HeldValue::Take(const CellValue& value) {
  type = value.type;
  integer = value.integer;
  real = value.real;
  bytes.assign(value.bytes);  // reuses the room of earlier values
}

void HeldValue::SetInteger(std::int64_t value) {
  type = CellValue::Integer;
  integer = value;
}

void HeldValue::SetFloat(double value) {
  type = CellValue::Float;
  real = value;
}

void HeldValue::SetText(std::string_view utf8) {
  type = CellValue::Text;
  bytes.assign(utf8);
}

void HeldValue::SetBlob(std::string_view data) {
  type = CellValue::Blob;
  bytes.assign(data);
}

CellValue Field::Value() const {
  if (pending_) return pendingValue_.View();
  if (held_ != nullptr) return held_->View();
  CellValue value;
  if (stmt_ == nullptr) return value;
  // One look-up of the cell, then its readings. The connection is used by one thread only, so
  // the cell may be read without the engine's lock.
  sqlite3_value* cell = sqlite3_column_value(stmt_, index_);
  switch (sqlite3_value_type(cell)) {
    case SQLITE_INTEGER:
      value.type = CellValue::Integer;
      value.integer = sqlite3_value_int64(cell);
      break;
    case SQLITE_FLOAT:
      value.type = CellValue::Float;
      value.real = sqlite3_value_double(cell);
      break;
    case SQLITE_TEXT: {
      value.type = CellValue::Text;
      const unsigned char* text = sqlite3_value_text(cell);  // before the size
      value.bytes = ColumnBytes(text, sqlite3_value_bytes(cell));
      break;
    }
    case SQLITE_BLOB: {
      value.type = CellValue::Blob;
      const void* blob = sqlite3_value_blob(cell);  // before the size
      value.bytes = ColumnBytes(blob, sqlite3_value_bytes(cell));
      break;
    }
    default:
      break;
  }
  return value;
}

bool Field::IsNull() const {
  if (pending_) return pendingValue_.type == CellValue::Null;
  if (held_ != nullptr) return held_->type == CellValue::Null;
  return stmt_ == nullptr || sqlite3_column_type(stmt_, index_) == SQLITE_NULL;
}

std::string Field::AsString() const { return ValueAsText(Value()); }

std::int64_t Field::AsInteger() const {
  const CellValue value = Value();
  std::optional<std::int64_t> result;
  switch (value.type) {
    case CellValue::Null:
      return 0;
    case CellValue::Integer:
      return value.integer;
    case CellValue::Float:
      result = RoundToInteger(value.real);
      break;
    case CellValue::Text:
    case CellValue::Blob:
      result = ParseIntegerText(value.bytes);
      if (!result) {
        const std::optional<double> real = ParseFloatText(value.bytes);
        if (!real) throw ValueError(name_, value, "は数値ではありません");
        result = RoundToInteger(*real);
      }
      break;
  }
  if (!result) throw ValueError(name_, value, "は整数の範囲を超えています");
  return *result;
}

double Field::AsFloat() const {
  const CellValue value = Value();
  switch (value.type) {
    case CellValue::Null:
      return 0;
    case CellValue::Integer:
      return static_cast<double>(value.integer);
    case CellValue::Float:
      return value.real;
    case CellValue::Text:
    case CellValue::Blob:
      break;
  }
  const std::optional<double> result = ParseFloatText(value.bytes);
  if (!result) throw ValueError(name_, value, "は数値ではありません");
  return *result;
}

bool Field::AsBoolean() const {
  const CellValue value = Value();
  switch (value.type) {
    case CellValue::Null:
      return false;
    case CellValue::Integer:
      return value.integer != 0;
    case CellValue::Float:
      return value.real != 0;
    case CellValue::Text:
    case CellValue::Blob:
      break;
  }
  if (EqualsIgnoringAsciiCase(value.bytes, "true")) return true;
  if (EqualsIgnoringAsciiCase(value.bytes, "false")) return false;
  const std::optional<double> number = ParseFloatText(value.bytes);
  if (!number) throw ValueError(name_, value, "は真偽値ではありません");
  return *number != 0;
}

DateTime Field::AsDateTime() const {
  const CellValue value = Value();
  if (value.type == CellValue::Null) return {};
  std::optional<DateTime> result;
  if (value.type == CellValue::Text) result = ParseDateText(value.bytes);
  if (!result) throw ValueError(name_, value, "は日付ではありません");
  return *result;
}

void Field::Assign(const Field& other) {
  if (!pending_) {
    throw TarnwickError(msg::FieldNotBeingAppended(SjisToUtf8(name_)));
  }
  if (&other != this) pendingValue_.Take(other.Value());
  assigned_ = true;
}

void Field::BeginAppend() {
  pending_ = true;
  assigned_ = false;
  pendingValue_.SetNull();
}

void Field::EndAppend() {
  pending_ = false;
  assigned_ = false;
}

void Field::BindPending(sqlite3_stmt* insert, int position) const {
  // The value lives on until the insert has run, so the engine need not copy it.
  const char* bytes = pendingValue_.bytes.data();
  const sqlite3_uint64 size = pendingValue_.bytes.size();
  int rc = SQLITE_OK;
  switch (pendingValue_.type) {
    case CellValue::Null:
      rc = sqlite3_bind_null(insert, position);
      break;
    case CellValue::Integer:
      rc = sqlite3_bind_int64(insert, position, pendingValue_.integer);
      break;
    case CellValue::Float:
      rc = sqlite3_bind_double(insert, position, pendingValue_.real);
      break;
    case CellValue::Text:
      rc = sqlite3_bind_text64(insert, position, bytes, size, SQLITE_STATIC, SQLITE_UTF8);
      break;
    case CellValue::Blob:
      rc = sqlite3_bind_blob64(insert, position, bytes, size, SQLITE_STATIC);
      break;
  }
  // A value the engine refuses (one over its length limit, say) fails the row; it is never
  // stored as NULL in its place.
  if (rc != SQLITE_OK) throw EngineError(sqlite3_db_handle(insert));
}

}  // namespace tarnwick
