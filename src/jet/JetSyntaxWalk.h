#pragma once
// Walking the syntax tree's expressions: their operands, the aggregates among them, and the
// text the parser read for a term.
#include <string>
#include <vector>

#include "jet/JetSyntax.h"

namespace tarnwick {

// The operands of an expression, in order; the queries of subqueries are not among them (a
// quantified comparison's left side is).
std::vector<const syntax::Expr*> OperandsOf(const syntax::Expr& expr);

// An aggregate call outside any subquery of its own.
bool ContainsAggregate(const syntax::Expr& expr);

// A SELECT with GROUP BY, or with an aggregate in its items or HAVING.
bool IsGrouped(const syntax::Select& select);

// A term's own text: a name's or function's name, a literal as the statement gives it;
// empty for other expressions.
std::string TermText(const syntax::Expr& expr);

}  // namespace tarnwick
