#pragma once
// Messages of the import of another database's saved queries as views.
#include <string>
#include <string_view>

#include "text/SavedQueryKind.h"

namespace tarnwick::msg {

// Why a saved query is no view: one of a kind that never is (neither select nor union); one
// with parameters; one whose SQL cannot be read.
std::string QueryNotAView(SavedQueryKind kind);
std::string ParameterQueryNotAView();
std::string QuerySqlUnreadable();

// The lines about each query, in the console's Shift-JIS: the query's name and the reason as
// the import has them.
std::string SavedQueryImported(std::string_view sjisName);
std::string SavedQueryNotImported(std::string_view sjisName, std::string_view sjisReason);

}  // namespace tarnwick::msg
