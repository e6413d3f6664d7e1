#pragma once
// The field kind of one result column of a statement that the front end left to the engine.
#include "data/FieldKind.h"

struct sqlite3_stmt;

namespace tarnwick {

// A column with a declared type takes the kind of that type, and ftAutoInc when it is a table
// column that numbers itself. A column without one (an expression) is text: its kind never
// depends on the values of a row.
TFieldType ColumnKind(sqlite3_stmt* stmt, int column);

}  // namespace tarnwick
