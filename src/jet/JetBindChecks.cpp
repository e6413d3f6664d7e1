// Jet's checks of a bound query: a grouped query shows, filters and sorts only by what it
// groups or aggregates; SELECT DISTINCT sorts only by what it shows.
#include <algorithm>

#include "jet/JetBinderCore.h"
#include "jet/JetLexer.h"
#include "jet/JetMessages.h"
#include "jet/JetSyntaxWalk.h"
#include "jetlib/JetFunctions.h"

namespace tarnwick {

namespace {

using msg::HintId;
using msg::MessageId;
using syntax::ExprKind;
using Resolution = JetNameResolution;

bool SameResolution(const Resolution& a, const Resolution& b) {
  if (a.kind != b.kind) return false;
  switch (a.kind) {
    case Resolution::Kind::Column:
      return a.source == b.source && a.column == b.column;
    case Resolution::Kind::Constant:
      return a.truth == b.truth;
    default:
      return a.index == b.index;
  }
}

// The parts of two expressions of one kind that are no operand: the operator, Not, the
// function, the literal.
bool SameOwnParts(const syntax::Expr& a, const syntax::Expr& b) {
  switch (a.kind) {
    case ExprKind::Unary:
      return a.As<syntax::UnaryExpr>().op == b.As<syntax::UnaryExpr>().op;
    case ExprKind::Binary:
      return a.As<syntax::BinaryExpr>().op == b.As<syntax::BinaryExpr>().op;
    case ExprKind::Like:
    case ExprKind::Between:
    case ExprKind::InList:
    case ExprKind::IsNull:
      return a.As<syntax::PredicateExpr>().negated == b.As<syntax::PredicateExpr>().negated;
    case ExprKind::Call:
      return SameJetName(a.As<syntax::CallExpr>().name, b.As<syntax::CallExpr>().name) &&
             a.As<syntax::CallExpr>().star == b.As<syntax::CallExpr>().star;
    case ExprKind::Star:
      return true;
    case ExprKind::InQuery:
    case ExprKind::Subquery:
    case ExprKind::Exists:
    case ExprKind::Quantified:
      return false;  // a subquery matches nothing
    default:
      return TermText(a) == TermText(b);
  }
}

}  // namespace

bool JetBinder::IsAliasReference(const syntax::Expr& expr) const {
  const auto found = resolutions_.find(&expr);
  return found != resolutions_.end() && found->second.kind == Resolution::Kind::Alias;
}

// The same computation: the same columns, constants, functions and operators, in the same
// shape. Subqueries never match.
bool JetBinder::SameExpr(const syntax::Expr& a, const syntax::Expr& b) const {
  const auto ra = resolutions_.find(&a);
  const auto rb = resolutions_.find(&b);
  const bool resolvedA = ra != resolutions_.end();
  const bool resolvedB = rb != resolutions_.end();
  if (resolvedA || resolvedB) {
    return resolvedA && resolvedB && SameResolution(ra->second, rb->second);
  }
  if (a.kind != b.kind || !SameOwnParts(a, b)) return false;
  const std::vector<const syntax::Expr*> left = OperandsOf(a);
  const std::vector<const syntax::Expr*> right = OperandsOf(b);
  if (left.size() != right.size()) return false;
  for (std::size_t i = 0; i < left.size(); ++i) {
    if (!SameExpr(*left[i], *right[i])) return false;
  }
  return true;
}

void JetBinder::CheckGrouping(const syntax::Select& select, const syntax::Query* query,
                              const Scope& scope, const syntax::Expr* extra) const {
  if (!IsGrouped(select)) return;
  // A column of the grouped query's own sources that is neither grouped nor inside an
  // aggregate. A subquery is a query of its own (its outer operand is looked at).
  const auto check = [&](const syntax::Expr& top) {
    std::vector<const syntax::Expr*> pending{&top};
    while (!pending.empty()) {
      const syntax::Expr& expr = *pending.back();
      pending.pop_back();
      if (std::any_of(select.groupBy.begin(), select.groupBy.end(),
                      [&](const syntax::ExprPtr& group) { return SameExpr(expr, *group); })) {
        continue;
      }
      if (expr.kind == ExprKind::Call) {
        const JetFunction* function = FindJetFunction(expr.As<syntax::CallExpr>().name);
        if (function != nullptr && function->aggregate) continue;
      }
      const auto resolution = resolutions_.find(&expr);
      if (resolution != resolutions_.end()) {
        const bool own = std::any_of(
            scope.sources.begin(), scope.sources.end(),
            [&](const InScope* source) { return source->qualifier == resolution->second.source; });
        if (resolution->second.kind == Resolution::Kind::Column && own) {
          const auto& name = expr.As<syntax::NameRef>();
          const std::string written =
              name.qualifier.empty() ? name.name : name.qualifier + "." + name.name;
          throw JetError(Refusal(MessageId::NotPartOfAggregate, {written})
                             .WithHint(HintOf(HintId::GroupOrAggregate, {written})),
                         expr.offset);
        }
        continue;
      }
      const std::vector<const syntax::Expr*> operands = OperandsOf(expr);
      pending.insert(pending.end(), operands.rbegin(), operands.rend());
    }
  };
  for (const ItemRef& item : items_.at(&select)) check(*item.expr);
  if (extra != nullptr) check(*extra);
  if (select.having) check(*select.having);
  if (query == nullptr) return;
  for (const syntax::OrderItem& item : query->orderBy) check(*item.expr);
}

void JetBinder::CheckDistinctOrder(const syntax::Query& query) const {
  if (query.parts.size() != 1 || !query.parts[0].distinct) return;
  const std::vector<ItemRef>& items = items_.at(&query.parts[0]);
  for (const syntax::OrderItem& order : query.orderBy) {
    const syntax::Expr& expr = *order.expr;
    if (IsAliasReference(expr)) continue;
    const bool shown = std::any_of(items.begin(), items.end(),
                                   [&](const ItemRef& item) { return SameExpr(expr, *item.expr); });
    if (!shown) {
      throw JetError(Refusal(MessageId::OrderByConflictsWithDistinct, {order.written})
                         .WithHint(HintOf(HintId::ShowWhatIsSorted, {order.written})),
                     expr.offset);
    }
  }
}

}  // namespace tarnwick
