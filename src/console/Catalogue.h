#pragma once
#include <string_view>

#include "console/ConsoleContext.h"
#include "data/FieldKind.h"

namespace tarnwick {

// The database type name of a field kind ("COUNTER", "INTEGER", ...; "???" when unlisted).
std::string_view FieldTypeName(TFieldType kind);

// Describes one table's columns and row count. Failures go on to the caller after "OK".
void DescribeTable(ConsoleContext& context, std::string_view name);

// Lists the table names, then the procedure names; a failure ends in the line "ERROR".
void ListTableNames(ConsoleContext& context);

}  // namespace tarnwick
