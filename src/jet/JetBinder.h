#pragma once
// Resolving a parsed statement's names against the open database's catalogue, and working out
// the Jet type of every expression and the name and type of every result column.
#include "jet/JetSchema.h"
#include "jet/JetSyntax.h"

namespace tarnwick {

// Binds the statement in place; throws JetError for a name that is not there, an ambiguous
// column, a function called with the wrong number of arguments, an aggregate where none may
// stand, and the like.
void BindJetStatement(JetStatement& statement, JetSchema& catalogue);

}  // namespace tarnwick
