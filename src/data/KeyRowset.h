#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// One row of the primary-key rowset: one key column of one table (texts in Shift-JIS).
struct KeyRow {
  std::string catalog;
  std::string schema;
  std::string tableName;
  std::string columnName;
  std::string columnGuid;
  std::int64_t columnPropId = 0;
  std::int64_t ordinal = 0;  // 1-based position of the column within its key
  std::string keyName;
};

// The primary-key rows of every table, with a filter "TABLE_NAME = '<name>'" that narrows
// the rows shown and counted to one table; an apostrophe in the name is written twice.
class KeyRowset {
 public:
  explicit KeyRowset(std::vector<KeyRow> rows);

  // Sets the filter and stands on the first matching row. An empty text shows all rows.
  // Throws TarnwickError for any other form.
  void SetFilter(std::string_view filter);
  void First();
  void Next();
  bool Eof() const;
  int RecordCount() const;
  const KeyRow& Current() const;

 private:
  std::vector<KeyRow> rows_;
  std::vector<std::size_t> visible_;
  std::size_t position_ = 0;
};

}  // namespace tarnwick
