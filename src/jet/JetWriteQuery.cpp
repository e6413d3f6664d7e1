// SELECT, UNION and ORDER BY in the engine's SQL.
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
  std::string text;
  for (std::size_t i = 0; i < query.parts.size(); ++i) {
    if (i > 0) text += query.unionAll[i - 1] ? " UNION ALL " : " UNION ";
    text += Select(query.parts[i], query, columnNames);
  }
  return text + OrderBy(query);
}

std::string JetSqlWriter::Select(const JetSelect& select, const JetQuery& query,
                                 const std::vector<std::string>& names) {
  std::string text = select.distinct ? "SELECT DISTINCT " : "SELECT ";
  const bool comparesRows = ComparesRows(select, query);
  for (std::size_t i = 0; i < select.items.size(); ++i) {
    if (i > 0) text += ", ";
    const JetExpr& expr = *select.items[i].expr;
    text += Value(expr);
    if (comparesRows && IsTextType(expr.type.type)) text += " COLLATE NOCASE";
    text += " AS " + EngineName(names[i]);
  }
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
  return text;
}

std::string JetSqlWriter::Source(const JetSource& source) {
  switch (source.kind) {
    case JetSource::Kind::Table: {
      std::string text = EngineName(source.boundName);
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

// Text ignores case, dates sort by their time. A UNION sorts by result column positions.
std::string JetSqlWriter::OrderBy(const JetQuery& query) {
  std::string text;
  const bool single = query.parts.size() == 1;
  const std::vector<JetSelectItem>* outerItems = orderItems_;  // a subquery's sort is its own
  orderItems_ = &query.parts[0].items;
  for (std::size_t i = 0; i < query.orderBy.size(); ++i) {
    const JetOrderItem& item = query.orderBy[i];
    const JetExpr& expr = *item.expr;
    text += i == 0 ? " ORDER BY " : ", ";
    const JetType type = expr.type.type;
    const bool constant = expr.binding == JetNameBinding::Alias &&
                          IsWholeNumberConstant(*query.parts[0].items[expr.aliasIndex].expr);
    if (!single) {
      text += std::to_string(expr.aliasIndex + 1);
    } else if (constant || IsWholeNumberConstant(expr)) {
      text += "NULL";
    } else if (type == JetType::DateTime) {
      text += std::string(jet_op::kDateKey) + "(" + Value(expr) + ")";
    } else {
      text += Value(expr);
    }
    if (IsTextType(type)) text += " COLLATE NOCASE";
    if (item.descending) text += " DESC";
  }
  orderItems_ = outerItems;
  if (query.limit) text += " LIMIT " + Value(*query.limit);
  if (query.offset) text += " OFFSET " + Value(*query.offset);
  return text;
}

}  // namespace tarnwick
