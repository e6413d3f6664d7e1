// A saved query's Jet SQL rebuilt from its rows in MSysQueries.
#include <gtest/gtest.h>

#include "data/mdb/JetQuerySql.h"

namespace tarnwick {
namespace {

JetQueryRow R(int attribute, std::int64_t flag = 0, std::string name1 = {}, std::string name2 = {},
              std::string expression = {}, std::string order = {}) {
  return {attribute,       flag, std::move(name1), std::move(name2), std::move(expression),
          std::move(order)};
}

struct QueryCase {
  const char* what;
  SavedQueryKind kind;
  std::vector<JetQueryRow> rows;
  std::string parameters;
  std::string sql;
};

class RebuiltQuery : public testing::TestWithParam<QueryCase> {};

TEST_P(RebuiltQuery, ReadsAsJetWritesIt) {
  const QueryCase& c = GetParam();
  const JetQueryText text = RebuildJetQuerySql(c.kind, c.rows);
  EXPECT_EQ(text.utf8Parameters, c.parameters) << c.what;
  EXPECT_EQ(text.utf8Sql, c.sql) << c.what;
}

// Rows as the sample files keep them: attributes out of order, one attribute's rows in the
// order of the query.
INSTANTIATE_TEST_SUITE_P(
    Cases, RebuiltQuery,
    testing::Values(
        QueryCase{
            "tables joined twice, a join with two conditions, DISTINCT, WHERE, ORDER BY",
            SavedQueryKind::Select,
            {R(1, 1), R(5, 0, "Table1"), R(5, 0, "Table2"), R(5, 0, "Table3"),
             R(6, 0, "", "", "Table1.*"), R(6, 0, "", "", "Table2.col1"),
             R(7, 2, "Table1", "Table3", "Table1.col1 = Table3.col1"),
             R(7, 1, "Table3", "Table2", "Table3.col1 = Table2.col1"),
             R(7, 1, "Table3", "Table2", "Table3.col1 = Table2.col2"),
             R(11, 0, "", "", "Table2.col1"), R(8, 0, "", "", "((Table2.col2)=\"foo\")"), R(3, 2)},
            "",
            "SELECT DISTINCT Table1.*, Table2.col1\r\n"
            "FROM ([Table1] LEFT JOIN [Table3] ON Table1.col1 = Table3.col1) INNER JOIN "
            "[Table2] ON (Table3.col1 = Table2.col1) AND (Table3.col1 = Table2.col2)\r\n"
            "WHERE ((Table2.col2)=\"foo\")\r\nORDER BY Table2.col1"},
        QueryCase{"aliases, GROUP BY, HAVING, descending order, TOP, a table not joined",
                  SavedQueryKind::Select,
                  {R(3, 0x10, "5"), R(5, 0, "得意先", "T"), R(5, 0, "Other"),
                   R(6, 0, "件数", "", "Count(*)"), R(6, 0, "", "", "T.地域"),
                   R(9, 0, "", "", "T.地域"), R(10, 0, "", "", "Count(*)>1"),
                   R(11, 0, "D", "", "Count(*)"), R(11, 0, "", "", "T.地域")},
                  "",
                  "SELECT TOP 5 Count(*) AS [件数], T.地域\r\nFROM [得意先] AS [T], [Other]\r\n"
                  "GROUP BY T.地域\r\nHAVING Count(*)>1\r\nORDER BY Count(*) DESC, T.地域"},
        QueryCase{"every column, rows ordered by their key rather than as stored",
                  SavedQueryKind::Select,
                  {R(3, 0x01 | 0x20 | 0x10, "10"), R(6, 0, "", "", "b", "\x02"),
                   R(6, 0, "", "", "a", "\x01"), R(5, 0, "T")},
                  "",
                  "SELECT TOP 10 PERCENT *, a, b\r\nFROM [T]"},
        QueryCase{"parameters",
                  SavedQueryKind::Select,
                  {R(2, 10, "User Name"), R(2, 4, "Count"), R(5, 0, "T"), R(6, 0, "", "", "x")},
                  "PARAMETERS [User Name] Text, [Count] Long;",
                  "SELECT x\r\nFROM [T]"},
        QueryCase{"a union of distinct rows, ordered",
                  SavedQueryKind::Union,
                  {R(3, 2), R(5, 0, "", "X7YZ_____2", "SELECT b FROM U\n"),
                   R(5, 0, "", "X7YZ_____1", "  SELECT a\r\n\r\nFROM T "), R(11, 0, "", "", "a")},
                  "",
                  "SELECT a\r\nFROM T\r\nUNION SELECT b FROM U\r\nORDER BY a"},
        QueryCase{"a union keeping every row",
                  SavedQueryKind::Union,
                  {R(5, 0, "", "X7YZ_____1", "SELECT a FROM T"),
                   R(5, 0, "", "X7YZ_____2", "SELECT b FROM U"), R(3, 1)},
                  "",
                  "SELECT a FROM T\r\nUNION ALL SELECT b FROM U"},
        QueryCase{"a union missing its second part",
                  SavedQueryKind::Union,
                  {R(5, 0, "", "X7YZ_____1", "SELECT a FROM T")},
                  "",
                  ""}));

}  // namespace
}  // namespace tarnwick
