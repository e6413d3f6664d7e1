#include "jet/JetNameHints.h"

#include "text/messages/Hints.h"

namespace tarnwick {

namespace {

void AddColumns(const std::vector<JetSchemaColumn>& columns, std::vector<std::string>& names) {
  for (const JetSchemaColumn& column : columns) names.push_back(column.name);
}

}  // namespace

std::string MisspeltColumnHint(std::string_view typed,
                               const std::vector<const JetSource*>& sources) {
  std::vector<std::string> names;
  std::string onlyTable;
  for (const JetSource* source : sources) {
    AddColumns(source->columns, names);
    if (source->kind == JetSource::Kind::Table) {
      onlyTable = source->name.empty() ? source->boundName : source->name;
    }
  }
  return msg::hint::ForMisspeltColumn(typed, names, sources.size() == 1 ? onlyTable : "");
}

std::string MisspeltColumnHint(std::string_view typed, const JetSchemaTable& table) {
  std::vector<std::string> names;
  AddColumns(table.columns, names);
  return msg::hint::ForMisspeltColumn(typed, names, table.name);
}

std::string MisspeltTableHint(std::string_view typed, JetSchema& catalogue) {
  return msg::hint::ForMisspeltTable(typed, catalogue.TableNames());
}

}  // namespace tarnwick
