#pragma once
// Choosing and opening the database that tarnwick-run works on.
#include <optional>
#include <string>

#include "data/DatabaseNames.h"

namespace tarnwick {
class Connection;
}

namespace tarnwick::runner {

// The database path (UTF-8) when --db names none.
std::string DefaultDatabasePath();

// The names of the database to work on, from --db (UTF-8) or the default. Throws
// TarnwickError when the path cannot serve: no file name, a character that console text
// cannot carry, or a name whose descriptor would replace the database itself.
DatabaseNames ChooseDatabase(const std::optional<std::string>& utf8DatabasePath);

// Writes the descriptor (after replacing the database by the empty template when asked),
// points the connection at it and opens it. Throws TarnwickError when a file cannot be
// written or the database cannot be opened.
void OpenDatabase(Connection& connection, const DatabaseNames& names, bool recreate);

}  // namespace tarnwick::runner
