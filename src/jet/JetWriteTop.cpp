// SELECT TOP n [PERCENT] with Jet's ties, and TRANSFORM ... PIVOT, in the engine's SQL.
#include "jet/JetSqlText.h"
#include "jet/JetSqlWriter.h"

namespace tarnwick {

namespace {

std::string Numbered(std::string_view prefix, std::size_t i) {
  return EngineName(std::string(prefix) + std::to_string(i + 1));
}

}  // namespace

// The query with its sort keys as hidden columns, ranked by them: rank() gives rows that tie
// the same rank, so "rank <= n" keeps every row tied with the n-th. Without an order the rows
// are numbered as they come. PERCENT keeps the ranks up to n percent of the rows, rounded up.
std::string JetSqlWriter::TopQuery(const JetSelect& select, const JetQuery& query,
                                   const std::vector<JetOrderItem>& order,
                                   const std::vector<std::string>& names) {
  std::vector<std::string> inner;
  for (std::size_t i = 0; i < names.size(); ++i) inner.push_back("__jet_c" + std::to_string(i + 1));
  const std::vector<JetSelectItem>* outerItems = orderItems_;
  orderItems_ = &select.items;
  std::vector<std::string> keys;
  std::string ranking;
  for (std::size_t i = 0; i < order.size(); ++i) {
    const std::string collation = IsTextType(order[i].expr->type.type) ? " COLLATE NOCASE" : "";
    keys.push_back(OrderKey(order[i]) + collation + " AS " + Numbered("__jet_k", i));
    ranking += (i == 0 ? "" : ", ") + Numbered("__jet_k", i) + collation +
               (order[i].descending ? " DESC" : "");
  }
  orderItems_ = outerItems;
  const std::string rows = Select(select, query, inner, keys);
  const std::string& count = select.top->text;
  ranking = ranking.empty() ? "row_number() OVER ()" : "rank() OVER (ORDER BY " + ranking + ")";
  std::string text = "SELECT ";
  for (std::size_t i = 0; i < names.size(); ++i) {
    text += (i == 0 ? "" : ", ") + Numbered("__jet_c", i) + " AS " + EngineName(names[i]);
  }
  text += " FROM (SELECT *, " + ranking + " AS \"__jet_rank\"";
  if (select.topPercent) text += ", count(*) OVER () AS \"__jet_total\"";
  text += " FROM (" + rows + ")) WHERE ";
  text += select.topPercent ? "(\"__jet_rank\" - 1) * 100 < " + count + " * \"__jet_total\""
                            : "\"__jet_rank\" <= " + count;
  return text + " ORDER BY \"__jet_rank\"";
}

// The pivot's value equals the column's (Jet's comparison of texts and dates); NULL pivot
// values make a column of their own.
std::string JetSqlWriter::PivotCondition(const JetExpr& pivot, const JetExpr& value) {
  if (value.kind == JetExprKind::Null) return "(" + Value(pivot) + " IS NULL)";
  return Compare(pivot, "=", value);
}

// TRANSFORM value SELECT headings ... GROUP BY ... PIVOT p: the headings, then one column for
// each pivot value holding the value over the group's rows of that pivot value; NULL where
// the group has none. The rows come in the order of their headings unless ORDER BY says
// otherwise.
std::string JetSqlWriter::Crosstab(const JetStatement& statement) {
  const JetQuery& query = *statement.query;
  const JetSelect& select = query.parts[0];
  const JetCrosstab& crosstab = *statement.crosstab;
  std::vector<std::string> names;
  for (const JetResultColumn& column : query.columns) names.push_back(column.name);
  std::vector<std::string> cells;
  for (std::size_t i = 0; i < crosstab.columns.size(); ++i) {
    pivotFilter_ = PivotCondition(*crosstab.pivot, *crosstab.columns[i]);
    const std::string rows = "count(*) FILTER (WHERE " + pivotFilter_ + ")";
    cells.push_back("CASE WHEN " + rows + " = 0 THEN NULL ELSE " + Value(*crosstab.value) +
                    " END AS " + EngineName(names[select.items.size() + i]));
    pivotFilter_.clear();
  }
  names.resize(select.items.size());
  std::string text = Select(select, query, names, cells);
  if (!query.orderBy.empty()) return text + OrderBy(query);
  for (std::size_t i = 0; i < select.items.size(); ++i) {
    text += (i == 0 ? " ORDER BY " : ", ") + std::to_string(i + 1);
  }
  return text;
}

// The values the pivot takes in the rows the crosstab reads, once each, in order.
std::string JetSqlWriter::PivotValues(const JetStatement& statement) {
  const JetSelect& select = statement.query->parts[0];
  const JetExpr& pivot = *statement.crosstab->pivot;
  std::string text = "SELECT DISTINCT " + Value(pivot);
  if (IsTextType(pivot.type.type)) text += " COLLATE NOCASE";
  text += " AS \"__jet_pivot\"";
  for (std::size_t i = 0; i < select.from.size(); ++i) {
    text += i == 0 ? " FROM " : ", ";
    text += Source(select.from[i]);
  }
  if (select.where) text += " WHERE " + Condition(*select.where);
  return text + " ORDER BY 1";
}

}  // namespace tarnwick
