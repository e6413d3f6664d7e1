#pragma once
// The engine's own error texts, carried to the console as TarnwickError.
#include <string>

#include "text/TarnwickError.h"

struct sqlite3;

namespace tarnwick {

// The engine's message for the last failure on this handle, in Shift-JIS.
std::string EngineMessage(sqlite3* db);

// The failure of the last call on this handle, as the console reports it.
TarnwickError EngineError(sqlite3* db);

}  // namespace tarnwick
