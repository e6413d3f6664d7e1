#pragma once
// The relationships (MSysRelationships) and saved queries (MSysObjects with MSysQueries) of a
// Jet file. Private to the Jet reader.
#include <vector>

#include "data/SourceCatalogue.h"

namespace tarnwick {

class JetFileHandle;
class JetCatalogue;

// The relationships the file enforces between two of the user's tables, each with its columns
// in order. A file without the system table has none.
std::vector<SourceRelationship> ReadRelationships(const JetFileHandle& file,
                                                  JetCatalogue& catalogue);

// The saved queries in catalogue order, hidden ones ("~sq_...") left out.
std::vector<SavedQuery> ReadSavedQueries(const JetFileHandle& file, JetCatalogue& catalogue);

}  // namespace tarnwick
