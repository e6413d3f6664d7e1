#pragma once
// What the engine makes of a Jet type name, and what must be added so that a column stores
// what its Jet type promises.
#include <string>
#include <string_view>

namespace tarnwick {

// The engine's storage preference for a column, from its declared type.
enum class ColumnAffinity { Integer, Text, Blob, Real, Numeric };

// The engine's rule: "INT" anywhere gives Integer; "CHAR", "CLOB" or "TEXT" Text; "BLOB" or
// no type Blob; "REAL", "FLOA" or "DOUB" Real; anything else Numeric.
ColumnAffinity EngineAffinity(std::string_view declaredType);

// The word to write after a Jet type name (before any size) so that the engine stores the
// column's values as the Jet type does: "TEXT" after MEMO, "INT" after LONG, "BLOB" after
// BINARY... Empty when the name already gets the right storage or is not a Jet type.
// typeName is the type's words without size, separated by single spaces.
std::string_view AffinityWordFor(std::string_view typeName);

// COUNTER and AUTOINCREMENT: numbered by the engine as rows are added.
bool IsAutoNumberType(std::string_view typeName);

}  // namespace tarnwick
