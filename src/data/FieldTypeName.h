#pragma once
#include <string_view>

#include "data/FieldKind.h"

namespace tarnwick {

// The database type name of a field kind ("COUNTER", "INTEGER", ...; "???" when unlisted).
std::string_view FieldTypeName(TFieldType kind);

}  // namespace tarnwick
