#pragma once
// The engine's failures, carried to the console as TarnwickError with the catalogue's Japanese
// message (see EngineFailure.h for the mapping).
#include <string>
#include <string_view>

#include "text/TarnwickError.h"

struct sqlite3;
struct sqlite3_stmt;

namespace tarnwick {

// The message for the last failure on this handle.
msg::Message EngineMessage(sqlite3* db);
// The message for a result code when there is no handle to ask (it could not be made).
msg::Message EngineMessage(int code);

// The failure of the last call on this handle, as the console reports it.
TarnwickError EngineError(sqlite3* db);
// The same for a statement that failed while it ran: its text tells which table a failed
// relationship check concerns.
TarnwickError EngineError(sqlite3* db, sqlite3_stmt* stmt);
// The same for a statement (UTF-8) the engine could not prepare.
TarnwickError EngineError(sqlite3* db, std::string_view utf8Sql);

}  // namespace tarnwick
