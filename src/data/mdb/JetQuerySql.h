#pragma once
// The Jet SQL text of a saved select or union query, rebuilt from its rows in MSysQueries the
// way Jet itself writes it out. Private to the Jet reader.
#include <cstdint>
#include <string>
#include <vector>

#include "data/SourceCatalogue.h"

namespace tarnwick {

// One row of MSysQueries, texts in UTF-8. `attribute` says what the row holds: 1 the kind,
// 2 a parameter, 3 the select flags, 5 a table (name1, alias name2), 6 an output column
// (expression, alias name1), 7 a join (name1 to name2, `flag` its kind, expression its ON),
// 8 WHERE, 9 GROUP BY, 10 HAVING, 11 ORDER BY (name1 "D" descending). `order` is Jet's
// binary key that orders rows of one attribute; rows without one keep their stored order.
struct JetQueryRow {
  int attribute = 0;
  std::int64_t flag = 0;
  std::string name1;
  std::string name2;
  std::string expression;
  std::string order;
};

struct JetQueryText {
  std::string utf8Parameters;  // "PARAMETERS [p] Text;" when the query asks for values
  std::string utf8Sql;         // the SELECT, or both parts of a UNION, without ';'
};

// The text of a select or union query; nothing for the other kinds, and nothing for a union
// whose rows lack one of its parts.
JetQueryText RebuildJetQuerySql(SavedQueryKind kind, std::vector<JetQueryRow> rows);

}  // namespace tarnwick
