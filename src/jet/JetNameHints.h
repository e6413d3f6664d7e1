#pragma once
// Hints for a name that names nothing: the closest existing name, or where to look the names
// up. The binder gives them with its unknown-column and unknown-table messages.
#include <string>
#include <string_view>
#include <vector>

#include "jet/JetSchema.h"
#include "jet/JetSyntax.h"

namespace tarnwick {

// A column among those of the sources (tables and derived tables) the name could mean.
std::string MisspeltColumnHint(std::string_view typed,
                               const std::vector<const JetSource*>& sources);

// A column of one table.
std::string MisspeltColumnHint(std::string_view typed, const JetSchemaTable& table);

// A table of the database.
std::string MisspeltTableHint(std::string_view typed, JetSchema& catalogue);

}  // namespace tarnwick
