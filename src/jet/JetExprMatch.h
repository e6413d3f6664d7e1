#pragma once
// Comparing bound expressions as Jet does when it matches a select item with a GROUP BY term.
#include "jet/JetSyntax.h"

namespace tarnwick {

// The same computation: the same columns, constants, functions and operators, in the same
// shape. Subqueries never match.
bool SameJetExpr(const JetExpr& a, const JetExpr& b);

// An aggregate call outside any subquery of its own.
bool ContainsAggregate(const JetExpr& expr);

// A SELECT with GROUP BY, or with an aggregate in its items or HAVING.
bool IsGrouped(const JetSelect& select);

}  // namespace tarnwick
