#pragma once
// Preparing exactly one statement, and owning a prepared statement for the span of a call.
#include <cstdint>
#include <memory>
#include <string_view>

#include "text/TarnwickError.h"

struct sqlite3;
struct sqlite3_stmt;

namespace tarnwick {

struct StatementFinalizer {
  void operator()(sqlite3_stmt* stmt) const;
};
using StatementPtr = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// Prepares the one statement that the text (UTF-8) holds. Blanks, comments and ';' around it
// are fine. Throws TarnwickError when the engine rejects it, when the text holds no statement
// (msg::NoStatement) or when it holds more than one (msg::MoreThanOneStatement); in these
// cases nothing has run.
StatementPtr PrepareSingleStatement(sqlite3* db, std::string_view utf8Sql);

// The same for a statement that must not run against definitions changed since it was
// prepared: RunUnlessDefinitionsChanged then reports the change instead of the engine
// preparing the statement again on its own.
StatementPtr PrepareForDefinitions(sqlite3* db, std::string_view utf8Sql);

// Runs a statement of PrepareForDefinitions to completion. False, with nothing run, when
// another connection changed a definition since it was prepared; throws with the engine's
// message for any other failure.
bool RunUnlessDefinitionsChanged(sqlite3* db, sqlite3_stmt* stmt);

// The failure of a text that holds more than one statement.
TarnwickError MoreThanOneStatement();

// Runs a statement that needs no result to completion; throws with the engine's message.
void RunToCompletion(sqlite3* db, sqlite3_stmt* stmt);

// Prepares a statement of the program's own with `utf8Text` bound to its parameter 1; the text
// must outlive the statement's runs.
StatementPtr PrepareWithText(sqlite3* db, std::string_view utf8Sql, std::string_view utf8Text);

// Prepares and runs a statement of the program's own (no text from the user).
void ExecuteInternal(sqlite3* db, std::string_view utf8Sql);

// The first column of the first row of a statement of the program's own, as an integer;
// throws with the engine's message, also when there is no row.
std::int64_t QueryInteger(sqlite3* db, std::string_view utf8Sql);

}  // namespace tarnwick
