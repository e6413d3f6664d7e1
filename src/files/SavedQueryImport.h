#pragma once
// What the import makes of the other database's saved queries.
#include <string>

#include "data/SourceCatalogue.h"

namespace tarnwick {

// The line the import writes for a saved query it does not take over:
// "クエリ 'q' は取り込めません (" + the reason + ")". Action, crosstab, data-definition and
// pass-through queries have no view of ours. Saved select and union queries become views once
// the Jet SQL front end translates a query's SQL; this is the one place where that
// translation is to come in. Until then no query is imported.
std::string SavedQueryNotImportedLine(const SavedQuery& query);

}  // namespace tarnwick
