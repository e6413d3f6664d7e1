#pragma once
#include <string>

#include "data/FieldKind.h"

namespace tarnwick {

class Field;

// The grid's text for the field's value in the current row, by the field's kind, written
// over `cell`. NULL and kinds the grid does not show give an empty text. Throws TarnwickError when
// the value cannot be read as its kind (a date that is no date, a money value that is no
// number).
void CellText(const Field& field, std::string& cell);

// Text columns and the boolean column are left-aligned in the grid; all others right-aligned.
bool IsLeftAligned(TFieldType kind);

}  // namespace tarnwick
