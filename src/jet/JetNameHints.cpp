#include "jet/JetNameHints.h"

namespace tarnwick {

namespace {

void AddColumns(const std::vector<JetSchemaColumn>& columns, std::vector<std::string>& names) {
  for (const JetSchemaColumn& column : columns) names.push_back(column.name);
}

}  // namespace

msg::Hint MisspeltColumnHint(std::string_view typed, const std::vector<JetNamedColumns>& sources) {
  std::vector<std::string> names;
  std::string onlyTable;
  for (const JetNamedColumns& source : sources) {
    AddColumns(*source.columns, names);
    if (!source.table.empty()) onlyTable = source.table;
  }
  return {msg::HintId::ForMisspeltColumn,
          {std::string(typed), sources.size() == 1 ? onlyTable : std::string()},
          std::move(names)};
}

msg::Hint MisspeltColumnHint(std::string_view typed, const JetSchemaTable& table) {
  std::vector<std::string> names;
  AddColumns(table.columns, names);
  return {msg::HintId::ForMisspeltColumn, {std::string(typed), table.name}, std::move(names)};
}

msg::Hint MisspeltTableHint(std::string_view typed, JetSchema& catalogue) {
  return {msg::HintId::ForMisspeltTable, {std::string(typed)}, catalogue.TableNames()};
}

}  // namespace tarnwick
