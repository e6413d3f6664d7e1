#pragma once
// Running what the front end compiles into several engine statements, as one change.
#include <string_view>

#include "jet/JetFrontEnd.h"

struct sqlite3;

namespace tarnwick {

class Connection;

// Runs the steps and then the statement (unless empty) inside a savepoint: either all of them
// take effect or, on the first failure, none. A step with a failure text that gives a row
// fails with that text. A rebuild of a table that other tables refer to runs with the
// engine's foreign keys off (outside a transaction only; inside one it is refused).
void RunWithSteps(Connection& connection, const JetCompiled& compiled);

// True when the engine reads the statement as one that gives rows; throws its failure.
bool EngineGivesRows(sqlite3* db, std::string_view utf8Sql);

}  // namespace tarnwick
