// How a learner's rows are held against the model's: as a multiset, in order, and in order
// with ties among equal sort keys left free; and which ORDER BY gives which order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grader/OrderKeys.h"
#include "grader/ResultRows.h"
#include "text/Cp932.h"

namespace tarnwick::grader {
namespace {

// Rows written as "a,1;b,2": rows split at ';', cells at ','.
ResultRows Rows(const std::string& text, std::size_t columns = 2) {
  ResultRows rows;
  for (std::size_t i = 0; i < columns; ++i) rows.names.push_back("c" + std::to_string(i));
  std::size_t start = 0;
  while (!text.empty() && start <= text.size()) {
    std::size_t end = text.find(';', start);
    if (end == std::string::npos) end = text.size();
    const std::string row = text.substr(start, end - start);
    std::size_t cellStart = 0;
    for (std::size_t c = 0; c < columns; ++c) {
      const std::size_t comma = row.find(',', cellStart);
      rows.cells.push_back(row.substr(cellStart, comma - cellStart));
      cellStart = comma + 1;
    }
    ++rows.rowCount;
    start = end + 1;
  }
  return rows;
}

struct RowsCase {
  const char* what;
  std::string model;
  std::string learner;
  RowOrder order;
  RowsDiffer differ;
  std::vector<std::size_t> modelShown;
  std::vector<std::size_t> learnerShown;
};

const RowOrder kAny{};
const RowOrder kStrict{true, {}};
const RowOrder kByFirst{true, {0}};

TEST(CompareRows, TableOfCases) {
  const RowsCase cases[] = {
      {"same rows in another order", "a,1;b,2;c,3", "c,3;a,1;b,2", kAny, RowsDiffer::No, {}, {}},
      {"a repeated row counts", "a,1;a,1;b,2", "a,1;b,2;b,2", kAny, RowsDiffer::Content, {1}, {2}},
      {"one row more", "a,1;b,2", "b,2;x,9;a,1", kAny, RowsDiffer::Count, {}, {1}},
      {"one row less", "a,1;b,2;c,3", "a,1;c,3", kAny, RowsDiffer::Count, {1}, {}},
      {"a cell differs", "a,1;b,2", "a,1;b,3", kAny, RowsDiffer::Content, {1}, {1}},
      {"cells compare as shown: 1 is not 1.0", "a,1", "a,1.0", kAny, RowsDiffer::Content, {0}, {0}},
      {"empty on both sides", "", "", kStrict, RowsDiffer::No, {}, {}},
      {"in order", "a,1;b,2;c,3", "a,1;b,2;c,3", kStrict, RowsDiffer::No, {}, {}},
      {"out of order from the second row",
       "a,1;b,2;c,3",
       "a,1;c,3;b,2",
       kStrict,
       RowsDiffer::Order,
       {1, 2},
       {1, 2}},
      {"ties may come either way",
       "x,1;y,1;z,2",
       "y,1;x,1;z,2",
       kByFirst,
       RowsDiffer::Order,
       {0, 1, 2},
       {0, 1, 2}},
      {"rows tied on the key swap freely",
       "1,x;1,y;2,z",
       "1,y;1,x;2,z",
       kByFirst,
       RowsDiffer::No,
       {},
       {}},
      {"but not across keys",
       "1,x;2,y;2,z",
       "2,y;1,x;2,z",
       kByFirst,
       RowsDiffer::Order,
       {0, 1, 2},
       {0, 1, 2}},
  };
  for (const RowsCase& c : cases) {
    const RowsVerdict verdict = CompareRows(Rows(c.model), Rows(c.learner), c.order);
    EXPECT_EQ(verdict.differ, c.differ) << c.what;
    EXPECT_EQ(verdict.modelRows, c.modelShown) << c.what;
    EXPECT_EQ(verdict.learnerRows, c.learnerShown) << c.what;
  }
}

TEST(CompareRows, ColumnCountsDifferBeforeAnythingElse) {
  const RowsVerdict verdict = CompareRows(Rows("a,1;b,2"), Rows("a;b", 1), kAny);
  EXPECT_EQ(verdict.differ, RowsDiffer::Columns);
  EXPECT_EQ(verdict.modelRows, (std::vector<std::size_t>{0, 1}));
}

TEST(CompareRows, ALongResultKeptInPartStillCountsAllItsRows) {
  ResultRows learner = Rows("a,1;b,2");
  learner.rowCount = 1'000'000;
  const RowsVerdict verdict = CompareRows(Rows("a,1;b,2"), learner, kAny);
  EXPECT_EQ(verdict.differ, RowsDiffer::Count);
}

struct OrderCase {
  const char* statement;
  std::vector<std::string> columns;
  RowOrder order;
};

TEST(OrderOfQuery, TableOfStatements) {
  const OrderCase cases[] = {
      {"SELECT 名前, 給与 FROM 社員;", {"名前", "給与"}, {}},
      {"SELECT 名前 FROM 社員 WHERE id IN (SELECT TOP 2 id FROM 社員 ORDER BY 給与);",
       {"名前"},
       {}},
      {"SELECT 名前, 給与 FROM 社員 ORDER BY 給与 DESC;", {"名前", "給与"}, {true, {1}}},
      {"select 名前, 給与 from 社員 order by 社員.給与 desc, 名前",
       {"名前", "給与"},
       {true, {1, 0}}},
      {"SELECT 名前 AS 氏名, 給与 FROM 社員 ORDER BY 名前;", {"氏名", "給与"}, {true, {0}}},
      {"SELECT 名前 AS 氏名 FROM 社員 ORDER BY 氏名;", {"氏名"}, {true, {0}}},
      {"SELECT 名前, 給与 * 12 FROM 社員 ORDER BY 2;", {"名前", "Expr1001"}, {true, {1}}},
      {"SELECT 名前, 給与 * 12 FROM 社員 ORDER BY 給与 * 12;", {"名前", "Expr1001"}, {true, {1}}},
      {"SELECT * FROM 社員 ORDER BY 給与;", {"id", "名前", "給与"}, {true, {2}}},
      // A term that is no column of the result: every row's place counts.
      {"SELECT 名前 FROM 社員 ORDER BY 給与;", {"名前"}, {true, {}}},
      {"SELECT 名前 FROM 社員 UNION SELECT 名 FROM 部署 ORDER BY 名前;", {"名前"}, {true, {0}}},
      // A form the front end leaves to the engine.
      {"PRAGMA table_info(社員)", {"cid"}, {}},
  };
  for (const OrderCase& c : cases) {
    const RowOrder order = OrderOfQuery(Sjis(c.statement), c.columns);
    EXPECT_EQ(order.ordered, c.order.ordered) << c.statement;
    EXPECT_EQ(order.keyColumns, c.order.keyColumns) << c.statement;
  }
}

}  // namespace
}  // namespace tarnwick::grader
