#pragma once
// Hints that the statement's own text gives for any failure it meets, whatever the failure:
// a "name" in double quotes, which Jet reads as text, and a date written without #...#, which
// is a division.
#include <string>
#include <string_view>

#include "jet/JetSchema.h"
#include "text/messages/Diagnostic.h"

namespace tarnwick {

// The hint for the first such mistake in the statement (UTF-8); none when it has none.
msg::Hint JetStatementHint(std::string_view utf8Sql, JetSchema& catalogue);

}  // namespace tarnwick
