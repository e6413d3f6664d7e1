// Jet's checks of a bound query: a grouped query shows, filters and sorts only by what it
// groups or aggregates; SELECT DISTINCT sorts only by what it shows.
#include <algorithm>

#include "jet/JetBinderCore.h"
#include "jet/JetExprMatch.h"
#include "jet/JetLexer.h"
#include "jet/JetMessages.h"

namespace tarnwick {

namespace {

std::string QualifiedName(const JetExpr& expr) {
  return expr.qualifier.empty() ? expr.text : expr.qualifier + "." + expr.text;
}

// Finds a column of the grouped query's own sources that is neither grouped nor inside an
// aggregate. A subquery is a query of its own (its outer operand is looked at).
class GroupingCheck {
 public:
  GroupingCheck(const std::vector<JetExprPtr>& groupBy, const std::vector<const JetSource*>& own)
      : groupBy_(groupBy), own_(own) {}

  void Check(const JetExpr& expr) const {
    if (std::any_of(groupBy_.begin(), groupBy_.end(),
                    [&](const JetExprPtr& group) { return SameJetExpr(expr, *group); })) {
      return;
    }
    if (expr.kind == JetExprKind::Call && expr.aggregate) return;
    if (expr.kind == JetExprKind::Name) {
      if (expr.binding == JetNameBinding::Column && IsOwn(expr)) {
        throw JetError(jet_message::NotGrouped(QualifiedName(expr)), expr.offset);
      }
      return;
    }
    for (const JetExprPtr& arg : expr.args) Check(*arg);
  }

 private:
  bool IsOwn(const JetExpr& column) const {
    return std::any_of(own_.begin(), own_.end(), [&](const JetSource* source) {
      return source->boundAlias == column.sourceAlias;
    });
  }

  const std::vector<JetExprPtr>& groupBy_;
  const std::vector<const JetSource*>& own_;
};

}  // namespace

void JetBinder::CheckGrouping(const JetSelect& select, const JetQuery* query, const Scope& scope,
                              const JetExpr* extra) {
  if (!IsGrouped(select)) return;
  const std::vector<const JetSource*> own(scope.sources.begin(), scope.sources.end());
  const GroupingCheck check(select.groupBy, own);
  for (const JetSelectItem& item : select.items) check.Check(*item.expr);
  if (extra != nullptr) check.Check(*extra);
  if (select.having) check.Check(*select.having);
  if (query == nullptr) return;
  for (const JetOrderItem& item : query->orderBy) check.Check(*item.expr);
}

void JetBinder::CheckDistinctOrder(const JetQuery& query) {
  if (query.parts.size() != 1 || !query.parts[0].distinct) return;
  const std::vector<JetSelectItem>& items = query.parts[0].items;
  for (const JetOrderItem& order : query.orderBy) {
    const JetExpr& expr = *order.expr;
    if (expr.binding == JetNameBinding::Alias) continue;
    const bool shown = std::any_of(items.begin(), items.end(), [&](const JetSelectItem& item) {
      return SameJetExpr(expr, *item.expr);
    });
    if (!shown) throw JetError(jet_message::DistinctOrderBy(order.written), expr.offset);
  }
}

}  // namespace tarnwick
