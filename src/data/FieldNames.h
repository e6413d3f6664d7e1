#pragma once
// The names of a result's fields: never empty and never repeated.
#include <string>
#include <vector>

namespace tarnwick {

// Takes the columns' names (Shift-JIS) and gives a nameless column "COLUMN%d" and a repeated
// name "%s_%d", counting the number up from 1 until the name is free. Names are compared
// without regard to the case of ASCII letters, as the engine compares column names. Names the
// result already holds, also further on, count as taken, so a name the statement gives
// explicitly is never changed for another column's sake.
std::vector<std::string> UniqueFieldNames(const std::vector<std::string>& columnNames);

}  // namespace tarnwick
