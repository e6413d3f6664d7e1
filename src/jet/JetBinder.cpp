#include "jet/JetBinder.h"

#include <algorithm>
#include <charconv>

#include "jet/JetBinderCore.h"
#include "jet/JetLexer.h"
#include "jet/JetMessages.h"
#include "jet/JetNameHints.h"
#include "jet/JetTypeRules.h"
#include "text/messages/StatementMessages.h"

namespace tarnwick {

namespace {

constexpr int kFirstExpressionNumber = 1000;

// The 1-based position an ORDER BY term written as a whole number stands for; 0 for others.
std::size_t Position(const JetExpr& expr) {
  if (expr.kind != JetExprKind::Number) return 0;
  std::size_t value = 0;
  const auto [end, error] =
      std::from_chars(expr.text.data(), expr.text.data() + expr.text.size(), value);
  return error == std::errc() && end == expr.text.data() + expr.text.size() ? value : 0;
}

// Makes an ORDER BY term stand for the result column at `index`.
void BindToItem(JetExpr& expr, std::size_t index, const JetTypeInfo& type) {
  expr.kind = JetExprKind::Name;
  expr.binding = JetNameBinding::Alias;
  expr.aliasIndex = index;
  expr.type = type;
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

}  // namespace

const JetSchemaColumn* FindColumn(const JetSchemaTable& table, std::string_view name) {
  const auto found =
      std::find_if(table.columns.begin(), table.columns.end(),
                   [&](const JetSchemaColumn& column) { return SameJetName(column.name, name); });
  return found == table.columns.end() ? nullptr : &*found;
}

std::string ColumnOf(const JetSchemaTable& table, const std::string& name) {
  const JetSchemaColumn* column = FindColumn(table, name);
  if (column == nullptr) {
    throw JetError(msg::UnknownColumn(name).WithHint(MisspeltColumnHint(name, table)), 0);
  }
  return column->name;
}

void BindJetStatement(JetStatement& statement, JetSchema& catalogue) {
  JetBinder(catalogue).Statement(statement);
}

const JetSchemaTable& JetBinder::Table(const std::string& name, std::size_t offset) {
  const JetSchemaTable* table = catalogue_.FindTable(name);
  if (table == nullptr) {
    throw JetError(msg::UnknownTable(name).WithHint(MisspeltTableHint(name, catalogue_)), offset);
  }
  return *table;
}

void JetBinder::Query(JetQuery& query, const Scope* outer) {
  std::vector<Scope> scopes(query.parts.size());
  for (std::size_t i = 0; i < query.parts.size(); ++i) {
    scopes[i].outer = outer;
    std::vector<JetResultColumn> columns = Select(query.parts[i], scopes[i]);
    if (i == 0) {
      query.columns = std::move(columns);
      continue;
    }
    if (columns.size() != query.columns.size()) {
      throw JetError(jet_message::UnionColumnCount(), query.parts[i].offset);
    }
    for (std::size_t c = 0; c < columns.size(); ++c) Widen(query.columns[c].type, columns[c].type);
  }
  OrderBy(query, scopes[0]);
  for (std::size_t i = 0; i < query.parts.size(); ++i) {
    CheckGrouping(query.parts[i], query.parts.size() == 1 ? &query : nullptr, scopes[i]);
  }
  CheckDistinctOrder(query);
}

void JetBinder::Top(const JetSelect& select) {
  if (!select.top) return;
  double value = 0;
  const std::string& text = select.top->text;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  const bool whole = text.find_first_of(".eE") == std::string::npos;
  if (error != std::errc() || end != text.data() + text.size() || value <= 0 ||
      (select.topPercent ? value > 100 : !whole)) {
    throw JetError(jet_message::BadTop(), select.top->offset);
  }
}

std::vector<JetResultColumn> JetBinder::Select(JetSelect& select, Scope& scope) {
  if (!select.into.empty() && &select != intoSelect_) {
    throw JetError(jet_message::SyntaxErrorNear("INTO"), select.offset);
  }
  Top(select);
  std::vector<JetExpr*> joinConditions;
  for (JetSource& source : select.from) Source(source, scope, joinConditions);
  const Context rows{&scope, false, nullptr, &select.items};
  for (JetExpr* condition : joinConditions) Expr(*condition, rows);
  if (select.where) Expr(*select.where, rows);
  for (JetExprPtr& group : select.groupBy) Expr(*group, rows);
  ExpandStars(select, scope);
  const Context values{&scope, true, nullptr};
  std::vector<JetResultColumn> columns;
  int expressionNumber = kFirstExpressionNumber;
  for (JetSelectItem& item : select.items) {
    Expr(*item.expr, values);
    JetResultColumn& column = columns.emplace_back();
    column.type = item.expr->type;
    if (item.alias) {
      column.name = *item.alias;
    } else if (item.expr->binding == JetNameBinding::Column) {
      column.name = item.expr->text;
    } else {
      column.name = "Expr" + std::to_string(expressionNumber++);
    }
  }
  if (select.having) Expr(*select.having, values);
  return columns;
}

void JetBinder::Source(JetSource& source, Scope& scope, std::vector<JetExpr*>& joinConditions) {
  switch (source.kind) {
    case JetSource::Kind::Join:
      Source(*source.left, scope, joinConditions);
      Source(*source.right, scope, joinConditions);
      joinConditions.push_back(source.on.get());
      return;
    case JetSource::Kind::Table: {
      const JetSchemaTable& table = Table(source.name, source.offset);
      source.boundName = table.name;
      source.boundAlias = source.alias.empty() ? table.name : source.alias;
      source.columns = table.columns;
      break;
    }
    case JetSource::Kind::Derived:
      Query(*source.derived, nullptr);
      source.boundAlias =
          source.alias.empty() ? "__jet_derived" + std::to_string(++derivedTables_) : source.alias;
      for (const JetResultColumn& column : source.derived->columns) {
        source.columns.push_back({column.name, column.type, false, false});
      }
      break;
  }
  for (const JetSource* other : scope.sources) {
    if (SameJetName(other->boundAlias, source.boundAlias)) {
      throw JetError(jet_message::DuplicateSourceName(source.boundAlias), source.offset);
    }
  }
  scope.sources.push_back(&source);
}

void JetBinder::Sources(JetSource& source, Scope& scope) {
  std::vector<JetExpr*> joinConditions;
  Source(source, scope, joinConditions);
  const Context rows{&scope, false, nullptr};
  for (JetExpr* condition : joinConditions) Expr(*condition, rows);
}

// * and t.* become one item per column, in the sources' order.
void JetBinder::ExpandStars(JetSelect& select, const Scope& scope) {
  std::vector<JetSelectItem> expanded;
  for (JetSelectItem& item : select.items) {
    if (item.expr->kind != JetExprKind::Star) {
      expanded.push_back(std::move(item));
      continue;
    }
    const std::string qualifier = item.expr->qualifier;
    bool matched = false;
    for (const JetSource* source : scope.sources) {
      if (!qualifier.empty() && !SameJetName(source->boundAlias, qualifier)) continue;
      matched = true;
      for (const JetSchemaColumn& column : source->columns) {
        auto name = std::make_unique<JetExpr>(JetExprKind::Name, item.expr->offset);
        name->text = column.name;
        name->qualifier = source->boundAlias;
        expanded.push_back({std::move(name), std::nullopt, column.name});
      }
    }
    if (!matched) {
      throw JetError(qualifier.empty() ? jet_message::StarOutsideCount()
                                       : jet_message::UnknownSourceOfStar(qualifier),
                     item.expr->offset);
    }
  }
  select.items = std::move(expanded);
}

// ORDER BY of one SELECT may name its columns, its items' AS names and positions; ORDER BY of
// a UNION only the result columns, by name or position.
void JetBinder::OrderBy(JetQuery& query, Scope& firstScope) {
  const bool single = query.parts.size() == 1;
  const Context context{&firstScope, true, &query.parts[0].items};
  for (JetOrderItem& item : query.orderBy) {
    JetExpr& expr = *item.expr;
    std::size_t position = Position(expr);
    if (position == 0 && !single) {
      for (std::size_t i = 0; i < query.columns.size() && position == 0; ++i) {
        if (expr.kind == JetExprKind::Name && expr.qualifier.empty() &&
            SameJetName(query.columns[i].name, expr.text)) {
          position = i + 1;
        }
      }
      if (position == 0) throw JetError(jet_message::UnknownColumn(expr.text), expr.offset);
    }
    if (position == 0) {
      Expr(expr, context);
      continue;
    }
    if (position > query.columns.size()) {
      throw JetError(jet_message::OrderByPosition(expr.text), expr.offset);
    }
    BindToItem(expr, position - 1, query.columns[position - 1].type);
  }
}

}  // namespace tarnwick
