#pragma once
// The engine's failures as the learner reads them: every result code and extended result code
// of the engine becomes one of the catalogue's Japanese messages, with the table, column,
// function or file that the engine's own (English) message names. A failure not mapped here
// becomes the general message with the engine's code: never the engine's English.
#include <string>
#include <vector>

#include "text/messages/Message.h"

namespace tarnwick {

struct EngineFailure {
  int code = 0;           // the extended result code
  std::string text;       // the engine's message (UTF-8)
  std::string file;       // the database file (UTF-8), empty when not known
  std::string statement;  // the failing statement (UTF-8), empty when not known
  // For a failed relationship check, found in the catalogue: the tables the statement's table
  // refers to, and the tables that refer to it.
  std::vector<std::string> parents;
  std::vector<std::string> children;
  // For a name that is not there: the database's table names.
  std::vector<std::string> tables;
};

msg::Message EngineFailureMessage(const EngineFailure& failure);

// What a statement does to which table, read from its first words, as far as the engine's
// failures need it.
struct StatementTarget {
  enum class Verb { Other, Insert, Update, Delete, Drop, Alter } verb = Verb::Other;
  std::string table;  // UTF-8, quotes removed
};
StatementTarget TargetOf(std::string_view utf8Sql);

}  // namespace tarnwick
