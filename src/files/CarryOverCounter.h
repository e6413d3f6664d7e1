#pragma once
// The auto-number counter of a table, carried from one database to another by the import.
#include <cstdint>
#include <optional>
#include <string_view>

struct sqlite3;

namespace tarnwick {

// Gives the table `utf8Name` of database `to`, which numbers its rows, at least the counter
// that the table keeps in the other database (Connection::AutoNumberCounter): a number that
// the source has handed out, to a row deleted since as well, is then never handed out again by
// the copy. The rows copied afterwards, whose numbers lie below the counter, leave it as it
// is, so the engine does not rewrite it for every row. Nothing happens when the source keeps
// no counter for the table. Throws TarnwickError with the engine's message.
void CarryOverCounter(std::optional<std::int64_t> counter, sqlite3* to, std::string_view utf8Name);

}  // namespace tarnwick
