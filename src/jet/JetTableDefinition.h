#pragma once
// A table's CREATE TABLE statement as the engine keeps it, cut into its column definitions
// and table constraints, so that a change of the table can keep every other part as written.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

struct JetDefinitionItem {
  std::string text;  // as written, without the commas around it
  bool isColumn = false;
  std::string name;         // the column's name, or the constraint's CONSTRAINT name (else empty)
  bool primaryKey = false;  // a constraint: the table's PRIMARY KEY
};

struct JetTableDefinition {
  std::vector<JetDefinitionItem> items;
  std::string tail;  // what follows the closing parenthesis (WITHOUT ROWID, STRICT)
};

// Nothing when the text is no CREATE TABLE statement with a list of columns.
std::optional<JetTableDefinition> SplitTableDefinition(std::string_view createSql);

// The item of the column or the named constraint; nullptr when there is none.
const JetDefinitionItem* FindDefinitionItem(const JetTableDefinition& definition,
                                            std::string_view name, bool column);

}  // namespace tarnwick
