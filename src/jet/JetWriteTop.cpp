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
std::string JetSqlWriter::TopQuery(const bound::Select& select,
                                   const std::vector<bound::OrderItem>& order,
                                   const std::vector<std::string>& names) {
  std::vector<std::string> inner;
  for (std::size_t i = 0; i < names.size(); ++i) inner.push_back("__jet_c" + std::to_string(i + 1));
  std::vector<std::string> keys;
  std::string ranking;
  for (std::size_t i = 0; i < order.size(); ++i) {
    const std::string collation = order[i].ignoringCase ? " COLLATE NOCASE" : "";
    keys.push_back(OrderKey(order[i]) + collation + " AS " + Numbered("__jet_k", i));
    ranking += (i == 0 ? "" : ", ") + Numbered("__jet_k", i) + collation +
               (order[i].descending ? " DESC" : "");
  }
  const std::string rows = Select(select, inner, keys);
  const std::string& count = select.top->count;
  ranking = ranking.empty() ? "row_number() OVER ()" : "rank() OVER (ORDER BY " + ranking + ")";
  std::string text = "SELECT ";
  for (std::size_t i = 0; i < names.size(); ++i) {
    text += (i == 0 ? "" : ", ") + Numbered("__jet_c", i) + " AS " + EngineName(names[i]);
  }
  text += " FROM (SELECT *, " + ranking + " AS \"__jet_rank\"";
  if (select.top->percent) text += ", count(*) OVER () AS \"__jet_total\"";
  text += " FROM (" + rows + ")) WHERE ";
  text += select.top->percent ? "(\"__jet_rank\" - 1) * 100 < " + count + " * \"__jet_total\""
                              : "\"__jet_rank\" <= " + count;
  return text + " ORDER BY \"__jet_rank\"";
}

// TRANSFORM value SELECT headings ... GROUP BY ... PIVOT p: the headings, then one column for
// each pivot value holding the value over the group's rows of that pivot value; NULL where
// the group has none. The rows come in the order of their headings unless ORDER BY says
// otherwise.
std::string JetSqlWriter::Crosstab(const bound::Crosstab& crosstab) {
  const bound::Query& query = *crosstab.query;
  const bound::Select& select = query.parts[0];
  std::vector<std::string> names;
  for (std::size_t i = 0; i < select.items.size(); ++i) names.push_back(query.columns[i].name);
  std::vector<std::string> cells;
  for (const bound::Crosstab::Cell& cell : crosstab.cells) {
    const std::string filter = Condition(*cell.condition);
    const std::string rows = "count(*) FILTER (WHERE " + filter + ")";
    cells.push_back("CASE WHEN " + rows + " = 0 THEN NULL ELSE " +
                    Value(*crosstab.value, Place{filter}) + " END AS " + EngineName(cell.name));
  }
  std::string text = Select(select, names, cells);
  if (crosstab.ordered) return text + OrderBy(query);
  for (std::size_t i = 0; i < select.items.size(); ++i) {
    text += (i == 0 ? " ORDER BY " : ", ") + std::to_string(i + 1);
  }
  return text;
}

// The values the pivot takes in the rows the crosstab reads, once each, in order.
std::string JetSqlWriter::PivotValues(const bound::Crosstab& crosstab) {
  const bound::Select& select = crosstab.query->parts[0];
  std::string text = "SELECT DISTINCT " + Value(*crosstab.pivot);
  if (crosstab.pivotIgnoringCase) text += " COLLATE NOCASE";
  text += " AS \"__jet_pivot\"" + From(select.from);
  if (select.where) text += " WHERE " + Condition(*select.where);
  return text + " ORDER BY 1";
}

}  // namespace tarnwick
