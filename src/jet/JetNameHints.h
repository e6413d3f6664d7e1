#pragma once
// Hints for a name that names nothing: the closest existing name, or where to look the names
// up. The binder gives them with its unknown-column and unknown-table messages.
#include <string>
#include <string_view>
#include <vector>

#include "jet/JetSchema.h"
#include "text/messages/Diagnostic.h"

namespace tarnwick {

// A source the name could mean: its columns, and its table's name as written (empty for a
// derived table).
struct JetNamedColumns {
  const std::vector<JetSchemaColumn>* columns;
  std::string table;
};

// A column among those of the sources (tables and derived tables) the name could mean.
msg::Hint MisspeltColumnHint(std::string_view typed, const std::vector<JetNamedColumns>& sources);

// A column of one table.
msg::Hint MisspeltColumnHint(std::string_view typed, const JetSchemaTable& table);

// A table of the database.
msg::Hint MisspeltTableHint(std::string_view typed, JetSchema& catalogue);

}  // namespace tarnwick
