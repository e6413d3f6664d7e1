#pragma once
// In what order a model answer's query gives its rows.
#include <string>
#include <string_view>
#include <vector>

#include "grader/ResultRows.h"

namespace tarnwick::grader {

// The order of the rows of a query (console text) whose result has these column names: any
// order without ORDER BY on the whole query (one in a subquery does not count); with it, the
// result's columns that its terms name (a column's or alias's name, a position, an expression
// written as in the select list), or, when some term names none, every row's place.
RowOrder OrderOfQuery(std::string_view sjisStatement, const std::vector<std::string>& columnNames);

}  // namespace tarnwick::grader
