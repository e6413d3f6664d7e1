#pragma once
#include <string>
#include <string_view>

#include "console/ConsoleContext.h"

namespace tarnwick {

// Splits a script (Shift-JIS, CR LF; it ends at its first NUL byte) as SplitScript does and
// runs each statement: echo, StripComments, ExecuteStatement. Lets pending events through
// after every 1000 examined bytes. A failure that escapes a
// statement ends the run at once (no later statement runs, the remainder is not run) and
// goes on to the caller; a normal end leaves the history position at 0. Each statement runs
// under the connection's watch; once the watch asks for the run to end, the interrupted
// statement's report (or one "ERROR! " line with RunStoppedMessage) is the last of the run.
void RunScript(ConsoleContext& context, std::string_view script);

// Removes "--" line comments, then "/* */" block comments, outside '...' and "..." literals,
// and turns TABs into spaces, in place.
void StripComments(std::string& statement);

// Records, recognises "?" and queries, runs one stripped statement and reports its outcome.
void ExecuteStatement(ConsoleContext& context, std::string& statement);

}  // namespace tarnwick
