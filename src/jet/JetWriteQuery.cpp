// SELECT, UNION and ORDER BY in the engine's SQL.
#include <algorithm>

#include "jet/JetExprMatch.h"
#include "jet/JetSqlText.h"
#include "jet/JetSqlWriter.h"
#include "jet/functions/JetFunctions.h"

namespace tarnwick {

namespace {

std::string_view JoinText(JetJoinKind kind) {
  switch (kind) {
    case JetJoinKind::Left:
      return " LEFT JOIN ";
    case JetJoinKind::Right:
      return " RIGHT JOIN ";
    case JetJoinKind::Inner:
      break;
  }
  return " INNER JOIN ";
}

// DISTINCT and UNION compare whole rows: their text columns must ignore case there too.
bool ComparesRows(const JetSelect& select, const JetQuery& query) {
  if (select.distinct) return true;
  for (const bool all : query.unionAll) {
    if (!all) return true;
  }
  return false;
}

// A whole number standing alone: the engine reads one in GROUP BY and ORDER BY as the
// position of a result column, where Jet groups or sorts by the value (which changes nothing).
bool IsWholeNumberConstant(const JetExpr& expr) {
  const JetExpr* value = &expr;
  if (expr.kind == JetExprKind::Unary && expr.op != JetOp::Not) value = expr.args[0].get();
  if (value->kind == JetExprKind::Name) return value->binding == JetNameBinding::Constant;
  return value->kind == JetExprKind::Number &&
         value->text.find_first_of(".eE") == std::string::npos;
}

}  // namespace

// `names`: the names the result columns get (for INSERT ... SELECT), instead of their own.
std::string JetSqlWriter::Query(const JetQuery& query, const std::vector<std::string>* names) {
  std::vector<std::string> columnNames;
  if (names != nullptr) {
    columnNames = *names;
  } else {
    for (const JetResultColumn& column : query.columns) columnNames.push_back(column.name);
  }
  if (query.parts.size() == 1 && query.parts[0].top) {
    return TopQuery(query.parts[0], query, query.orderBy, columnNames);
  }
  std::string text;
  for (std::size_t i = 0; i < query.parts.size(); ++i) {
    if (i > 0) text += query.unionAll[i - 1] ? " UNION ALL " : " UNION ";
    const JetSelect& part = query.parts[i];
    // TOP in a member of a UNION takes that member's first rows.
    text += part.top ? "SELECT * FROM (" + TopQuery(part, query, {}, columnNames) + ")"
                     : Select(part, query, columnNames);
  }
  return text + OrderBy(query);
}

std::string JetSqlWriter::Select(const JetSelect& select, const JetQuery& query,
                                 const std::vector<std::string>& names,
                                 const std::vector<std::string>& extraColumns) {
  std::string text = select.distinct ? "SELECT DISTINCT " : "SELECT ";
  const bool comparesRows = ComparesRows(select, query);
  for (std::size_t i = 0; i < select.items.size(); ++i) {
    if (i > 0) text += ", ";
    const JetExpr& expr = *select.items[i].expr;
    text += Value(expr);
    if (comparesRows && IsTextType(expr.type.type)) text += " COLLATE NOCASE";
    text += " AS " + EngineName(names[i]);
  }
  for (const std::string& column : extraColumns) text += ", " + column;
  for (std::size_t i = 0; i < select.from.size(); ++i) {
    text += i == 0 ? " FROM " : ", ";
    text += Source(select.from[i]);
  }
  if (select.where) text += " WHERE " + Condition(*select.where);
  for (std::size_t i = 0; i < select.groupBy.size(); ++i) {
    const JetExpr& expr = *select.groupBy[i];
    text += i == 0 ? " GROUP BY " : ", ";
    text += IsWholeNumberConstant(expr) ? "NULL" : Value(expr);
    if (IsTextType(expr.type.type)) text += " COLLATE NOCASE";
  }
  if (select.having) text += " HAVING " + Condition(*select.having);
  if (select.distinctRow) text += DistinctRowGrouping(select);
  return text;
}

namespace {

void TableSources(const JetSource& source, std::vector<const JetSource*>& tables) {
  if (source.kind == JetSource::Kind::Join) {
    TableSources(*source.left, tables);
    TableSources(*source.right, tables);
  } else {
    tables.push_back(&source);
  }
}

void ColumnSources(const JetExpr& expr, std::vector<std::string>& aliases) {
  if (expr.kind == JetExprKind::Name && expr.binding == JetNameBinding::Column) {
    aliases.push_back(expr.sourceAlias);
  }
  for (const JetExprPtr& arg : expr.args) ColumnSources(*arg, aliases);
}

}  // namespace

// DISTINCTROW: one row for each distinct combination of rows of the tables whose columns the
// query shows, however many rows of the other joined tables match them. Nothing to do where
// every table shows columns, or where the query groups already.
std::string JetSqlWriter::DistinctRowGrouping(const JetSelect& select) {
  if (IsGrouped(select)) return {};
  std::vector<const JetSource*> sources;
  for (const JetSource& element : select.from) TableSources(element, sources);
  std::vector<std::string> shown;
  for (const JetSelectItem& item : select.items) ColumnSources(*item.expr, shown);
  std::string grouping;
  std::size_t showing = 0;
  for (const JetSource* source : sources) {
    if (std::find(shown.begin(), shown.end(), source->boundAlias) == shown.end()) continue;
    if (source->kind != JetSource::Kind::Table) return {};
    ++showing;
    grouping +=
        (grouping.empty() ? " GROUP BY " : ", ") + EngineName(source->boundAlias) + ".rowid";
  }
  return showing == 0 || showing == sources.size() ? std::string() : grouping;
}

std::string JetSqlWriter::Source(const JetSource& source) {
  switch (source.kind) {
    case JetSource::Kind::Table: {
      std::string text = EngineName(source.boundName);
      if (&source == joinedTarget_) return text + " AS " + EngineName(kJoinedRowName);
      if (!source.alias.empty()) text += " AS " + EngineName(source.boundAlias);
      return text;
    }
    case JetSource::Kind::Derived:
      return "(" + Query(*source.derived) + ") AS " + EngineName(source.boundAlias);
    case JetSource::Kind::Join:
      break;
  }
  const auto side = [&](const JetSource& part) {
    return part.kind == JetSource::Kind::Join ? "(" + Source(part) + ")" : Source(part);
  };
  return side(*source.left) + std::string(JoinText(source.join)) + side(*source.right) + " ON " +
         Condition(*source.on);
}

// A term of a single SELECT's ORDER BY: dates sort by their time.
std::string JetSqlWriter::OrderKey(const JetOrderItem& item) {
  const JetExpr& expr = *item.expr;
  const bool constant = expr.binding == JetNameBinding::Alias &&
                        IsWholeNumberConstant(*(*orderItems_)[expr.aliasIndex].expr);
  if (constant || IsWholeNumberConstant(expr)) return "NULL";
  if (expr.type.type == JetType::DateTime) {
    return std::string(jet_op::kDateKey) + "(" + Value(expr) + ")";
  }
  return Value(expr);
}

// Text ignores case. A UNION sorts by result column positions.
std::string JetSqlWriter::OrderBy(const JetQuery& query) {
  std::string text;
  const bool single = query.parts.size() == 1;
  const std::vector<JetSelectItem>* outerItems = orderItems_;  // a subquery's sort is its own
  orderItems_ = &query.parts[0].items;
  for (std::size_t i = 0; i < query.orderBy.size(); ++i) {
    const JetOrderItem& item = query.orderBy[i];
    text += i == 0 ? " ORDER BY " : ", ";
    text += single ? OrderKey(item) : std::to_string(item.expr->aliasIndex + 1);
    if (IsTextType(item.expr->type.type)) text += " COLLATE NOCASE";
    if (item.descending) text += " DESC";
  }
  orderItems_ = outerItems;
  return text;
}

}  // namespace tarnwick
