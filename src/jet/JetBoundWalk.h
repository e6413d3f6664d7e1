#pragma once
// Visiting every column a bound expression, source or query reads, subqueries included.
#include <functional>

#include "jet/JetBound.h"

namespace tarnwick {

using ColumnVisitor = std::function<void(bound::Column&)>;

void ForEachColumn(bound::Expr& expr, const ColumnVisitor& each);
void ForEachColumn(bound::Source& source, const ColumnVisitor& each);
void ForEachColumn(bound::Query& query, const ColumnVisitor& each);

}  // namespace tarnwick
