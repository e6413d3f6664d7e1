#include "jet/JetBoundWalk.h"

namespace tarnwick {

namespace {

void Visit(bound::ExprPtr& expr, const ColumnVisitor& each) {
  if (expr) ForEachColumn(*expr, each);
}

}  // namespace

void ForEachColumn(bound::Expr& expr, const ColumnVisitor& each) {
  switch (expr.kind) {
    case bound::ExprKind::Column:
      each(static_cast<bound::Column&>(expr));
      return;
    case bound::ExprKind::Literal:
    case bound::ExprKind::ValueOf:
      return;
    case bound::ExprKind::Convert:
      Visit(static_cast<bound::Convert&>(expr).value, each);
      return;
    case bound::ExprKind::Exists:
    case bound::ExprKind::Subquery:
    case bound::ExprKind::Quantified: {
      auto& value = static_cast<bound::QueryValue&>(expr);
      ForEachColumn(*value.query, each);
      Visit(value.comparison, each);
      return;
    }
    default:
      break;
  }
  auto& operation = static_cast<bound::Operation&>(expr);
  for (bound::ExprPtr& operand : operation.operands) Visit(operand, each);
  if (expr.kind == bound::ExprKind::Between || expr.kind == bound::ExprKind::In) {
    auto& compared = static_cast<bound::Compared&>(expr);
    if (compared.query) ForEachColumn(*compared.query, each);
  }
}

void ForEachColumn(bound::Source& source, const ColumnVisitor& each) {
  if (source.derived) ForEachColumn(*source.derived, each);
  if (source.left) ForEachColumn(*source.left, each);
  if (source.right) ForEachColumn(*source.right, each);
  Visit(source.on, each);
}

void ForEachColumn(bound::Query& query, const ColumnVisitor& each) {
  for (bound::Select& select : query.parts) {
    for (bound::Item& item : select.items) Visit(item.expr, each);
    for (bound::Source& source : select.from) ForEachColumn(source, each);
    Visit(select.where, each);
    for (bound::Item& group : select.groupBy) Visit(group.expr, each);
    Visit(select.having, each);
  }
  for (bound::OrderItem& order : query.orderBy) Visit(order.key, each);
}

}  // namespace tarnwick
