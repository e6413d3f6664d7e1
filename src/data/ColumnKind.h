#pragma once
// The field kind of one result column of a prepared statement.
#include "data/FieldKind.h"

struct sqlite3_stmt;

namespace tarnwick {

// A column with a declared type takes the kind of that type, and ftAutoInc when it is a table
// column that numbers itself. A column without one (an expression) takes the kind of its value
// in the current row; with no row, or a NULL there, it is text. `onRow` tells whether the
// statement stands on a row.
TFieldType ColumnKind(sqlite3_stmt* stmt, int column, bool onRow);

}  // namespace tarnwick
