#pragma once
#include "console/ConsoleContext.h"

namespace tarnwick {

// Opens the query (its text already set), reads every row, then appends the header line,
// the separator line, one line per row and "OK"; on failure only "ERROR! " + message.
void RenderResultGrid(ConsoleContext& context);

}  // namespace tarnwick
