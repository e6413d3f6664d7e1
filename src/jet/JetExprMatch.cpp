#include "jet/JetExprMatch.h"

#include <algorithm>

#include "jet/JetLexer.h"

namespace tarnwick {

bool SameJetExpr(const JetExpr& a, const JetExpr& b) {
  if (a.kind != b.kind || a.op != b.op || a.negated != b.negated ||
      a.args.size() != b.args.size() || a.query || b.query) {
    return false;
  }
  switch (a.kind) {
    case JetExprKind::Name:
      if (a.binding != b.binding) return false;
      if (a.binding == JetNameBinding::Column) {
        return a.sourceAlias == b.sourceAlias && a.columnName == b.columnName;
      }
      if (a.binding == JetNameBinding::Constant) return a.boolValue == b.boolValue;
      return a.aliasIndex == b.aliasIndex;
    case JetExprKind::Call:
      if (!SameJetName(a.text, b.text)) return false;
      break;
    default:
      if (a.text != b.text) return false;
      break;
  }
  for (std::size_t i = 0; i < a.args.size(); ++i) {
    if (!SameJetExpr(*a.args[i], *b.args[i])) return false;
  }
  return true;
}

bool ContainsAggregate(const JetExpr& expr) {
  if (expr.kind == JetExprKind::Call && expr.aggregate) return true;
  return std::any_of(expr.args.begin(), expr.args.end(),
                     [](const JetExprPtr& arg) { return ContainsAggregate(*arg); });
}

bool IsGrouped(const JetSelect& select) {
  if (!select.groupBy.empty()) return true;
  const bool inItems =
      std::any_of(select.items.begin(), select.items.end(),
                  [](const JetSelectItem& item) { return ContainsAggregate(*item.expr); });
  return inItems || (select.having && ContainsAggregate(*select.having));
}

}  // namespace tarnwick
