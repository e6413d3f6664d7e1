#pragma once
// Messages of the import of another database's saved queries as views.
#include <string>
#include <string_view>

namespace tarnwick::msg {

// Why a saved query is no view.
enum class NotAView {
  Parameters,
  NoSql,
  Crosstab,
  MakeTable,
  Append,
  Update,
  Delete,
  DataDefinition,
  PassThrough,
  Unknown,
};
std::string QueryNotAView(NotAView why);

// The lines about each query, in the console's Shift-JIS: the query's name and the reason as
// the import has them.
std::string SavedQueryImported(std::string_view sjisName);
std::string SavedQueryNotImported(std::string_view sjisName, std::string_view sjisReason);

}  // namespace tarnwick::msg
