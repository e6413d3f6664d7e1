// Binding queries: SELECT with its sources, select list and TOP; UNION; ORDER BY.
#include <algorithm>

#include "jet/JetBinderCore.h"
#include "jet/JetLexer.h"
#include "jet/JetMessages.h"
#include "jet/JetSyntaxWalk.h"
#include "jetlib/JetTypeRules.h"

namespace tarnwick {

namespace {

using msg::MessageId;

constexpr int kFirstExpressionNumber = 1000;

// The 1-based position an ORDER BY term written as a whole number stands for; 0 for others.
std::size_t Position(const syntax::Expr& expr) {
  if (expr.kind != syntax::ExprKind::Number) return 0;
  const auto& number = expr.As<syntax::NumberLiteral>();
  if (!number.integer || *number.integer < 0) return 0;
  return static_cast<std::size_t>(*number.integer);
}

// The type that holds a column of every member of a UNION.
void Widen(JetTypeInfo& column, const JetTypeInfo& other) {
  if (column == other) return;
  const JetType types[] = {column.type, other.type};
  JetTypeInfo widened;
  widened.type = CommonType(types);
  widened.size = std::max(column.size, other.size);
  column = widened;
}

// DISTINCT and UNION compare whole rows: their text columns must ignore case there too.
bool ComparesRows(const syntax::Select& select, const syntax::Query& query) {
  if (select.distinct) return true;
  return std::any_of(query.unionAll.begin(), query.unionAll.end(), [](bool all) { return !all; });
}

void TableSources(const syntax::Source& source, std::vector<const syntax::Source*>& tables) {
  if (source.kind == syntax::Source::Kind::Join) {
    TableSources(*source.left, tables);
    TableSources(*source.right, tables);
  } else {
    tables.push_back(&source);
  }
}

}  // namespace

std::unique_ptr<bound::Query> JetBinder::Query(const syntax::Query& query, const Scope* outer) {
  auto result = std::make_unique<bound::Query>();
  std::vector<Scope> scopes(query.parts.size());
  for (std::size_t i = 0; i < query.parts.size(); ++i) {
    scopes[i].outer = outer;
    std::vector<bound::ResultColumn> columns;
    result->parts.push_back(Select(query.parts[i], scopes[i], columns));
    if (i == 0) {
      result->columns = std::move(columns);
      continue;
    }
    if (columns.size() != result->columns.size()) {
      throw JetError(Refusal(MessageId::UnionColumnCount), query.parts[i].offset);
    }
    for (std::size_t c = 0; c < columns.size(); ++c) {
      Widen(result->columns[c].type, columns[c].type);
    }
  }
  result->unionAll = query.unionAll;
  for (std::size_t i = 0; i < query.parts.size(); ++i) {
    const bool comparesRows = ComparesRows(query.parts[i], query);
    for (bound::Item& item : result->parts[i].items) {
      item.ignoringCase = comparesRows && IsTextType(item.expr->type.type);
    }
  }
  OrderBy(query, *result, scopes[0]);
  for (std::size_t i = 0; i < query.parts.size(); ++i) {
    CheckGrouping(query.parts[i], query.parts.size() == 1 ? &query : nullptr, scopes[i]);
    if (query.parts[i].distinctRow) result->parts[i].distinctRows = DistinctRows(query.parts[i]);
  }
  CheckDistinctOrder(query);
  return result;
}

void JetBinder::CheckTop(const syntax::Select& select) {
  if (!select.top) return;
  const syntax::NumberLiteral& count = *select.top->count;
  if (!count.value || *count.value <= 0 ||
      (select.top->percent ? *count.value > 100 : !count.whole)) {
    throw JetError(Refusal(MessageId::InvalidTop), count.offset);
  }
}

bound::Select JetBinder::Select(const syntax::Select& select, Scope& scope,
                                std::vector<bound::ResultColumn>& columns) {
  if (select.into && &select != intoSelect_) {
    throw JetError(Refusal(MessageId::SyntaxErrorNear, {"INTO"}), select.offset);
  }
  CheckTop(select);
  bound::Select result;
  result.distinct = select.distinct;
  if (select.top) result.top = bound::Top{select.top->count->written, select.top->percent};
  for (const syntax::Source& source : select.from) result.from.push_back(Source(source, scope));
  std::vector<ItemRef> written;
  for (const syntax::SelectItem& item : select.items) {
    written.push_back({item.expr.get(), item.alias, item.written});
  }
  Context rows{&scope, false};
  rows.aliasesOutOfReach = &written;
  for (std::size_t i = 0; i < select.from.size(); ++i) {
    JoinConditions(result.from[i], select.from[i], rows);
  }
  if (select.where) result.where = Expr(*select.where, rows);
  for (const syntax::ExprPtr& group : select.groupBy) {
    ExprPtr expr = Expr(*group, rows);
    const bool text = IsTextType(expr->type.type);
    result.groupBy.push_back({std::move(expr), text});
  }
  const std::vector<ItemRef>& items = items_[&select] = ExpandStars(select, scope);
  Items(items, scope, result, columns);
  if (select.having) result.having = Expr(*select.having, Context{&scope, true});
  return result;
}

void JetBinder::Items(const std::vector<ItemRef>& items, const Scope& scope, bound::Select& bound,
                      std::vector<bound::ResultColumn>& columns) {
  const Context values{&scope, true};
  int expressionNumber = kFirstExpressionNumber;
  for (const ItemRef& item : items) {
    ExprPtr expr = Expr(*item.expr, values);
    bound::ResultColumn& column = columns.emplace_back();
    column.type = expr->type;
    const auto resolution = resolutions_.find(item.expr);
    if (item.alias) {
      column.name = *item.alias;
    } else if (resolution != resolutions_.end() &&
               resolution->second.kind == JetNameResolution::Kind::Column) {
      column.name = item.expr->As<syntax::NameRef>().name;
    } else {
      column.name = "Expr" + std::to_string(expressionNumber++);
    }
    bound.items.push_back({std::move(expr)});
  }
}

bound::Source JetBinder::Source(const syntax::Source& source, Scope& scope) {
  bound::Source result;
  result.kind = source.kind;
  InScope named;
  named.source = &source;
  switch (source.kind) {
    case syntax::Source::Kind::Join:
      result.join = source.join;
      result.left = std::make_unique<bound::Source>(Source(*source.left, scope));
      result.right = std::make_unique<bound::Source>(Source(*source.right, scope));
      return result;
    case syntax::Source::Kind::Table: {
      const JetSchemaTable& table = Table(source.name, source.offset);
      result.table = table.name;
      result.alias = source.alias;
      named.table = table.name;
      named.written = source.name;
      named.qualifier = source.alias.empty() ? table.name : source.alias;
      named.columns = table.columns;
      break;
    }
    case syntax::Source::Kind::Derived:
      result.derived = Query(*source.derived, nullptr);
      named.qualifier =
          source.alias.empty() ? "__jet_derived" + std::to_string(++derivedTables_) : source.alias;
      result.alias = named.qualifier;
      for (const bound::ResultColumn& column : result.derived->columns) {
        named.columns.push_back({column.name, column.type, false, false});
      }
      break;
  }
  for (const InScope* other : scope.sources) {
    if (SameJetName(other->qualifier, named.qualifier)) {
      throw JetError(Refusal(MessageId::DuplicateSourceName, {named.qualifier}), source.offset);
    }
  }
  const InScope& kept = Keep(std::move(named));
  inScope_[&source] = &kept;
  scope.sources.push_back(&kept);
  return result;
}

// The join conditions of a FROM element, once all its sources are in scope: those of the
// joins inside it first.
void JetBinder::JoinConditions(bound::Source& bound, const syntax::Source& source,
                               const Context& context) {
  if (source.kind != syntax::Source::Kind::Join) return;
  JoinConditions(*bound.left, *source.left, context);
  JoinConditions(*bound.right, *source.right, context);
  bound.on = Expr(*source.on, context);
}

bound::Source JetBinder::Sources(const syntax::Source& source, Scope& scope) {
  bound::Source result = Source(source, scope);
  JoinConditions(result, source, Context{&scope, false});
  return result;
}

std::vector<JetBinder::ItemRef> JetBinder::ExpandStars(const syntax::Select& select,
                                                       const Scope& scope) {
  std::vector<ItemRef> expanded;
  for (const syntax::SelectItem& item : select.items) {
    if (item.expr->kind != syntax::ExprKind::Star) {
      expanded.push_back({item.expr.get(), item.alias, item.written});
      continue;
    }
    const std::string& qualifier = item.expr->As<syntax::StarRef>().qualifier;
    bool matched = false;
    for (const InScope* source : scope.sources) {
      if (!qualifier.empty() && !SameJetName(source->qualifier, qualifier)) continue;
      matched = true;
      for (const JetSchemaColumn& column : source->columns) {
        spelt_.push_back(
            std::make_unique<syntax::NameRef>(item.expr->offset, source->qualifier, column.name));
        expanded.push_back({spelt_.back().get(), std::nullopt, column.name});
      }
    }
    if (!matched) {
      throw JetError(qualifier.empty() ? Refusal(MessageId::StarOutsideCount)
                                       : Refusal(MessageId::UnknownSourceOfStar, {qualifier}),
                     item.expr->offset);
    }
  }
  return expanded;
}

// ORDER BY of one SELECT may name its columns, its items' AS names and positions; ORDER BY of
// a UNION only the result columns, by name or position.
void JetBinder::OrderBy(const syntax::Query& query, bound::Query& bound, Scope& firstScope) {
  const bool single = query.parts.size() == 1;
  Context context{&firstScope, true};
  context.items = &items_[&query.parts[0]];
  context.boundItems = &bound.parts[0].items;
  for (const syntax::OrderItem& item : query.orderBy) {
    const syntax::Expr& expr = *item.expr;
    std::size_t position = Position(expr);
    if (position == 0 && !single) {
      for (std::size_t i = 0; i < bound.columns.size() && position == 0; ++i) {
        if (expr.kind == syntax::ExprKind::Name && expr.As<syntax::NameRef>().qualifier.empty() &&
            SameJetName(bound.columns[i].name, expr.As<syntax::NameRef>().name)) {
          position = i + 1;
        }
      }
      if (position == 0) {
        throw JetError(Refusal(MessageId::UnknownColumn, {TermText(expr)}), expr.offset);
      }
    }
    bound::OrderItem order;
    order.descending = item.descending;
    if (position == 0) {
      order.key = Expr(expr, context);
    } else {
      if (position > bound.columns.size()) {
        throw JetError(Refusal(MessageId::OrderByPosition, {TermText(expr)}), expr.offset);
      }
      resolutions_[&expr] = {JetNameResolution::Kind::Alias, {}, {}, position - 1};
      order.position = position;
      if (single) {
        const bound::Expr* target = bound.parts[0].items[position - 1].expr.get();
        order.key =
            std::make_unique<bound::ValueOf>(bound.columns[position - 1].type, target, true);
      }
    }
    const JetType type = order.key ? order.key->type.type : bound.columns[position - 1].type.type;
    order.ignoringCase = IsTextType(type);
    if (single && type == JetType::DateTime) {
      order.key = std::make_unique<bound::Convert>(bound::Convert::To::DateKey,
                                                   TypeOnly(JetType::Double), std::move(order.key));
    }
    bound.orderBy.push_back(std::move(order));
  }
}

std::vector<std::string> JetBinder::DistinctRows(const syntax::Select& select) const {
  if (IsGrouped(select)) return {};
  std::vector<const syntax::Source*> sources;
  for (const syntax::Source& element : select.from) TableSources(element, sources);
  std::vector<std::string> shown;
  std::vector<const syntax::Expr*> pending;
  for (const ItemRef& item : items_.at(&select)) pending.push_back(item.expr);
  while (!pending.empty()) {
    const syntax::Expr* expr = pending.back();
    pending.pop_back();
    const auto resolution = resolutions_.find(expr);
    if (resolution != resolutions_.end() &&
        resolution->second.kind == JetNameResolution::Kind::Column) {
      shown.push_back(resolution->second.source);
    }
    for (const syntax::Expr* operand : OperandsOf(*expr)) pending.push_back(operand);
  }
  std::vector<std::string> rows;
  for (const syntax::Source* source : sources) {
    const std::string& qualifier = inScope_.at(source)->qualifier;
    if (std::find(shown.begin(), shown.end(), qualifier) == shown.end()) continue;
    if (source->kind != syntax::Source::Kind::Table) return {};
    rows.push_back(qualifier);
  }
  return rows.size() == sources.size() ? std::vector<std::string>() : rows;
}

}  // namespace tarnwick
