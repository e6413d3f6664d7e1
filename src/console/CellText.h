#pragma once
#include <cstddef>
#include <string>
#include <string_view>

#include "data/FieldKind.h"

namespace tarnwick {

class Field;

// One cell of the grid: its text in UTF-8, each character as it comes back from Shift-JIS
// (a character that Shift-JIS cannot hold shows as '?'), and its width in cells, which is the
// text's length in Shift-JIS bytes.
struct GridCell {
  std::string_view text;
  std::size_t width = 0;
};

// The grid's cell for the field's value in the current row, by the field's kind. The text lies
// in the engine's row or in `room`, and stays valid until the row moves on or `room` changes.
// NULL and kinds the grid does not show give an empty cell. Throws TarnwickError when the
// value cannot be read as its kind (a date that is no date, a money value that is no number).
GridCell CellText(const Field& field, std::string& room);

// Text, GUID and boolean columns are left-aligned in the grid; all others right-aligned.
bool IsLeftAligned(TFieldType kind);

}  // namespace tarnwick
