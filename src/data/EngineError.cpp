#include "data/EngineError.h"

#include <sqlite3.h>

#include "text/Cp932.h"

namespace tarnwick {

std::string EngineMessage(sqlite3* db) { return Utf8ToSjis(sqlite3_errmsg(db)); }

TarnwickError EngineError(sqlite3* db) { return TarnwickError(EngineMessage(db)); }

}  // namespace tarnwick
