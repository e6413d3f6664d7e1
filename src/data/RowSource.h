#pragma once
// Rows that come to a dataset from somewhere other than an engine statement: a table of a Jet
// file read for the import.
#include <cstdint>
#include <string>
#include <vector>

#include "data/Field.h"

namespace tarnwick {

struct SourceColumn {
  std::string name;  // console text
  TFieldType kind = ftUnknown;
  std::string declaredType;  // Jet's words for the column's type: "TEXT(50)", "CURRENCY"
};

class RowSource {
 public:
  virtual ~RowSource() = default;
  virtual const std::vector<SourceColumn>& Columns() const = 0;
  // Goes back to before the first row.
  virtual void Rewind() = 0;
  // Reads the next row into Cells(), one value per column in the form our engine stores;
  // false after the last row. Throws TarnwickError when the rows cannot be read.
  virtual bool Fetch() = 0;
  virtual const std::vector<HeldValue>& Cells() const = 0;
  virtual std::int64_t RowCount() = 0;
};

}  // namespace tarnwick
