#pragma once
// What the import makes of the other database's saved queries.
#include <vector>

#include "data/SourceCatalogue.h"

namespace tarnwick {

class Query;
class ResultPane;

// Creates each saved select and union query as a view through the Jet SQL front end, after
// the tables, a query that reads another query after that one, and writes one line per query
// in catalogue order: "クエリ 'q' をビューとして取込みました", or
// "クエリ 'q' は取り込めません (" + the reason + ")". Action, crosstab, data-definition and
// pass-through queries, and queries that ask for parameters, have no view of ours; a query
// the front end refuses, or one that reads a table that was not imported, gives the front
// end's message as its reason. A failed query never stops the others.
void ImportSavedQueries(Query& query, const std::vector<SavedQuery>& queries, ResultPane& pane);

}  // namespace tarnwick
