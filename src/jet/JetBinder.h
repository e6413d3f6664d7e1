#pragma once
// Resolving a parsed statement's names against the open database's catalogue: the bound tree
// of the statement, with every expression's Jet type and the name and type of every result
// column.
#include <memory>

#include "jet/JetBoundStatement.h"
#include "jet/JetSchema.h"
#include "jet/JetSyntax.h"

namespace tarnwick {

// Throws JetError for a name that is not there, an ambiguous column, a function called with
// the wrong number of arguments, an aggregate where none may stand, and the like.
std::unique_ptr<bound::Statement> BindJetStatement(const syntax::Statement& statement,
                                                   JetSchema& catalogue);

// A crosstab's columns after its row headings, for the values its pivot takes: those of its
// IN list (bound already), or else `values`, every value the rows hold.
void BindPivotColumns(bound::Crosstab& crosstab, const std::vector<JetValue>& values);

}  // namespace tarnwick
