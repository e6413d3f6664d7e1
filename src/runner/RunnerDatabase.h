#pragma once
// Choosing and opening the database that tarnwick-run works on.
#include <string>
#include <string_view>

#include "data/Connection.h"
#include "files/DatabaseNames.h"
#include "runner/RunnerOptions.h"

namespace tarnwick {
class DatabaseSession;
}  // namespace tarnwick

namespace tarnwick::runner {

// The names of the database that --db names (UTF-8). Throws TarnwickError when the path
// cannot serve: no file name, a character that console text cannot carry, or a name whose
// descriptor would replace the database itself.
DatabaseNames ChooseDatabase(std::string_view utf8DatabasePath);

// Chooses the database (--db, else the window's start-up choice from the settings beside the
// program), replaces it by the empty template when --new asks, and connects the session's
// main connection. The session's connect messages go wherever its message pane sends them.
// Throws TarnwickError with the reason when a file cannot be written or the database cannot
// be opened.
void OpenRunnerDatabase(DatabaseSession& session, Connection& connection,
                        const RunnerOptions& options);

// The SQL the statements are written in: --dialect, else the settings' [SQL] DIALECT. Throws
// TarnwickError when the settings file exists but cannot be read.
SqlDialect ChooseDialect(const RunnerOptions& options);

// The console path of a database to import (UTF-8 as given). Throws TarnwickError when the
// file does not exist.
std::string ImportPath(std::string_view utf8Path);

}  // namespace tarnwick::runner
