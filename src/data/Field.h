#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "data/FieldKind.h"

struct sqlite3_stmt;

namespace tarnwick {

// A date-time value; the zero of the scale (a NULL) is 1899-12-30 00:00:00.
struct DateTime {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0;
  bool operator==(const DateTime&) const = default;
};

// One value as the engine stores it. Text is UTF-8 (the engine's side of the edge).
struct CellValue {
  enum Type { Null, Integer, Float, Text, Blob };
  Type type = Null;
  std::int64_t integer = 0;
  double real = 0;
  std::string_view bytes;  // Text or Blob
};

// A value kept by the program rather than read from the engine's current row: the row being
// appended, a row read from a Jet file.
struct HeldValue {
  CellValue::Type type = CellValue::Null;
  std::int64_t integer = 0;
  double real = 0;
  std::string bytes;  // Text (UTF-8) or Blob; its room is reused from value to value

  CellValue View() const;
  void Take(const CellValue& value);
  void SetNull() { type = CellValue::Null; }
  void SetInteger(std::int64_t value);
  void SetFloat(double value);
  void SetText(std::string_view utf8);
  void SetBlob(std::string_view data);
};

// A column of a query or table result with its value in the current row. A field reads
// the row its dataset stands on; in append state it reads and writes the row being built.
class Field {
 public:
  Field(std::string name, TFieldType kind, std::string declaredType = {})
      : name_(std::move(name)), kind_(kind), declaredType_(std::move(declaredType)) {}

  const std::string& Name() const { return name_; }         // Shift-JIS
  const std::string& DisplayName() const { return name_; }  // Shift-JIS
  TFieldType Kind() const { return kind_; }
  // The column's type in Jet's words as a source other than our engine declares it
  // ("TEXT(50)", "CURRENCY"); empty for our engine's columns, whose kind names their type.
  const std::string& DeclaredType() const { return declaredType_; }

  CellValue Value() const;
  bool IsNull() const;

  // Readings of the value. NULL reads as "", 0, 0.0, false and the zero of the date scale.
  std::string AsString() const;  // Shift-JIS; numbers in decimal, '.' as separator
  std::int64_t AsInteger() const;
  double AsFloat() const;
  bool AsBoolean() const;
  DateTime AsDateTime() const;  // throws TarnwickError when the value is no valid date

  // Copies the other field's value, NULL included, into the row being appended.
  void Assign(const Field& other);

 private:
  friend class Dataset;
  friend class Table;
  // Append state: the field reads and takes the value of the row being built, NULL at first.
  void BeginAppend();
  void EndAppend();
  // Binds the value of the row being built to parameter `position` of an insert; throws
  // TarnwickError with the engine's message when the engine refuses the value.
  void BindPending(sqlite3_stmt* insert, int position) const;
  std::string name_;
  TFieldType kind_;
  std::string declaredType_;
  std::string column_;  // engine-side (UTF-8) column name, for inserts
  sqlite3_stmt* stmt_ = nullptr;
  int index_ = 0;
  const HeldValue* held_ = nullptr;  // the value of the current row of a row source
  bool pending_ = false;             // reading the row being appended
  bool assigned_ = false;            // the row being appended holds a value assigned to this field
  HeldValue pendingValue_;
};

}  // namespace tarnwick
