#pragma once
#include <string_view>

#include "console/ConsoleContext.h"

namespace tarnwick {

// Describes one table's columns and row count. Failures go on to the caller after "OK".
void DescribeTable(ConsoleContext& context, std::string_view name);

// Lists the table names, then the procedure names; a failure ends in the line "ERROR".
void ListTableNames(ConsoleContext& context);

}  // namespace tarnwick
