// SELECT, UNION and ORDER BY in the engine's SQL.
#include "jet/JetSqlText.h"
#include "jet/JetSqlWriter.h"

namespace tarnwick {

namespace {

std::string_view JoinText(syntax::JoinKind kind) {
  switch (kind) {
    case syntax::JoinKind::Left:
      return " LEFT JOIN ";
    case syntax::JoinKind::Right:
      return " RIGHT JOIN ";
    case syntax::JoinKind::Inner:
      break;
  }
  return " INNER JOIN ";
}

// A whole number standing alone: the engine reads one in GROUP BY and ORDER BY as the
// position of a result column, where Jet groups or sorts by the value (which changes nothing).
bool IsWholeNumberConstant(const bound::Expr& expr) {
  const bound::Expr* value = &expr;
  if (value->kind == bound::ExprKind::ValueOf) {
    if (!value->As<bound::ValueOf>().ofItem) return false;
    value = value->As<bound::ValueOf>().target;
  }
  if (value->kind == bound::ExprKind::Negate || value->kind == bound::ExprKind::AsValue) {
    value = value->As<bound::Operation>().operands[0].get();
  }
  if (value->kind != bound::ExprKind::Literal) return false;
  const auto& literal = value->As<bound::Literal>();
  return literal.form == bound::Literal::Form::Truth ||
         (literal.form == bound::Literal::Form::Number && literal.whole);
}

}  // namespace

std::string JetSqlWriter::Query(const bound::Query& query) {
  std::vector<std::string> names;
  for (const bound::ResultColumn& column : query.columns) names.push_back(column.name);
  return Query(query, names);
}

std::string JetSqlWriter::Query(const bound::Query& query, const std::vector<std::string>& names) {
  if (query.parts.size() == 1 && query.parts[0].top) {
    return TopQuery(query.parts[0], query.orderBy, names);
  }
  std::string text;
  for (std::size_t i = 0; i < query.parts.size(); ++i) {
    if (i > 0) text += query.unionAll[i - 1] ? " UNION ALL " : " UNION ";
    const bound::Select& part = query.parts[i];
    // TOP in a member of a UNION takes that member's first rows.
    text += part.top ? "SELECT * FROM (" + TopQuery(part, {}, names) + ")" : Select(part, names);
  }
  return text + OrderBy(query);
}

std::string JetSqlWriter::Select(const bound::Select& select, const std::vector<std::string>& names,
                                 const std::vector<std::string>& extraColumns) {
  std::string text = select.distinct ? "SELECT DISTINCT " : "SELECT ";
  for (std::size_t i = 0; i < select.items.size(); ++i) {
    if (i > 0) text += ", ";
    text += Value(*select.items[i].expr);
    if (select.items[i].ignoringCase) text += " COLLATE NOCASE";
    text += " AS " + EngineName(names[i]);
  }
  for (const std::string& column : extraColumns) text += ", " + column;
  text += From(select.from);
  if (select.where) text += " WHERE " + Condition(*select.where);
  for (std::size_t i = 0; i < select.groupBy.size(); ++i) {
    const bound::Item& group = select.groupBy[i];
    text += i == 0 ? " GROUP BY " : ", ";
    text += IsWholeNumberConstant(*group.expr) ? "NULL" : Value(*group.expr);
    if (group.ignoringCase) text += " COLLATE NOCASE";
  }
  if (select.having) text += " HAVING " + Condition(*select.having);
  // DISTINCTROW: one row for each distinct combination of rows of the tables whose columns
  // the query shows, however many rows of the other joined tables match them.
  for (std::size_t i = 0; i < select.distinctRows.size(); ++i) {
    text += (i == 0 ? " GROUP BY " : ", ") + EngineName(select.distinctRows[i]) + ".rowid";
  }
  return text;
}

std::string JetSqlWriter::From(const std::vector<bound::Source>& from) {
  std::string text;
  for (std::size_t i = 0; i < from.size(); ++i) {
    text += i == 0 ? " FROM " : ", ";
    text += Source(from[i]);
  }
  return text;
}

std::string JetSqlWriter::Source(const bound::Source& source) {
  switch (source.kind) {
    case syntax::Source::Kind::Table: {
      std::string text = EngineName(source.table);
      if (!source.alias.empty()) text += " AS " + EngineName(source.alias);
      return text;
    }
    case syntax::Source::Kind::Derived:
      return "(" + Query(*source.derived) + ") AS " + EngineName(source.alias);
    case syntax::Source::Kind::Join:
      break;
  }
  const auto side = [&](const bound::Source& part) {
    return part.kind == syntax::Source::Kind::Join ? "(" + Source(part) + ")" : Source(part);
  };
  return side(*source.left) + std::string(JoinText(source.join)) + side(*source.right) + " ON " +
         Condition(*source.on);
}

std::string JetSqlWriter::OrderKey(const bound::OrderItem& item) {
  if (IsWholeNumberConstant(*item.key)) return "NULL";
  return Value(*item.key);
}

// A single SELECT sorts by its keys, a UNION by result column positions.
std::string JetSqlWriter::OrderBy(const bound::Query& query) {
  std::string text;
  for (std::size_t i = 0; i < query.orderBy.size(); ++i) {
    const bound::OrderItem& item = query.orderBy[i];
    text += i == 0 ? " ORDER BY " : ", ";
    text += item.key ? OrderKey(item) : std::to_string(item.position);
    if (item.ignoringCase) text += " COLLATE NOCASE";
    if (item.descending) text += " DESC";
  }
  return text;
}

}  // namespace tarnwick
