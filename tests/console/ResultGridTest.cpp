#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "ConsoleSession.h"
#include "console/GridCells.h"
#include "console/ResultGrid.h"

namespace tarnwick::test {
namespace {

TEST(ResultGrid, WidthsInBytesAndCellTextByKind) {
  ExpectPanes({
      // Without rows: header, separator and OK, without an empty line; a boolean column is
      // then as wide as its name.
      {{"CREATE TABLE t (ID INTEGER, 名前 TEXT, 可 YESNO)"},
       "SELECT ID, 名前 FROM t;SELECT 可 FROM t",
       "SELECT ID, 名前 FROM t;\r\nID|名前|\r\n--+----+\r\nOK\r\n"
       "SELECT 可 FROM t\r\n可|\r\n--+\r\nOK\r\n"},
      {{"CREATE TABLE t (ID INTEGER, 説明文 TEXT, 可 YESNO, 名 TEXT)",
        "INSERT INTO t VALUES (7, 'ab', 1, 'りんごです')",
        "INSERT INTO t VALUES (8, NULL, 1, 'x')"},
       "SELECT * FROM t",
       "SELECT * FROM t\r\n"
       "ID|説明文|可   |名        |\r\n"
       "--+------+-----+----------+\r\n"
       " 7|ab    |True |りんごです|\r\n"
       " 8|      |True |x         |\r\n"
       "OK\r\n"},
      // Floats with two decimals; money as exact decimals without trailing zeros; NULL as an
      // empty cell in every kind.
      {{"CREATE TABLE f (F FLOAT)", "INSERT INTO f VALUES (3.14159)",
        "INSERT INTO f VALUES (12345.678)", "INSERT INTO f VALUES (NULL)",
        "INSERT INTO f VALUES (1e20)", "INSERT INTO f VALUES (-0.001)"},
       "SELECT F FROM f",
       "SELECT F FROM f\r\nF       |\r\n--------+\r\n"
       "    3.14|\r\n12345.68|\r\n        |\r\n1.00E+20|\r\n   -0.00|\r\nOK\r\n"},
      {{"CREATE TABLE m (M MONEY)", "INSERT INTO m VALUES (1234.5)", "INSERT INTO m VALUES (1234)",
        "INSERT INTO m VALUES (0.5)", "INSERT INTO m VALUES (NULL)", "INSERT INTO m VALUES (-2.25)",
        "INSERT INTO m VALUES (1.23456)", "INSERT INTO m VALUES (0)"},
       "SELECT M FROM m",
       "SELECT M FROM m\r\nM     |\r\n------+\r\n"
       "1234.5|\r\n  1234|\r\n   0.5|\r\n      |\r\n -2.25|\r\n1.2346|\r\n     0|\r\nOK\r\n"},
      // BIGINT as a whole number, GUID in braces: sixteen bytes in Jet's layout, or its text.
      {{"CREATE TABLE k (B BIGINT, G GUID)",
        "INSERT INTO k VALUES (9007199254740993, '6F9619FF-8B86-D011-B42D-00C04FC964FF')",
        "INSERT INTO k VALUES (-5, '{00000000-0000-0000-0000-000000000001}')"},
       "SELECT * FROM k",
       "SELECT * FROM k\r\n"
       "B               |G                                     |\r\n"
       "----------------+--------------------------------------+\r\n"
       "9007199254740993|{6F9619FF-8B86-D011-B42D-00C04FC964FF}|\r\n"
       "              -5|{00000000-0000-0000-0000-000000000001}|\r\n"
       "OK\r\n"},
      // Memo text as it is, a GUID in braces, binary as a word, dates without a midnight.
      {{"CREATE TABLE x (N MEMO, G GUID, B LONGBINARY, D DATETIME)",
        "INSERT INTO x VALUES ('a' & Chr(13) & Chr(10) & 'bc', "
        "'{12345678-1234-1234-1234-123456789012}',"
        " X'00', '2012-02-23 09:30:05')",
        "INSERT INTO x VALUES ('x', NULL, NULL, '2012-02-22 00:00:00')",
        "INSERT INTO x VALUES (NULL, NULL, NULL, NULL)"},
       "SELECT * FROM x",
       "SELECT * FROM x\r\n"
       "N    |G                                     |B     |D                 |\r\n"
       "-----+--------------------------------------+------+------------------+\r\n"
       "a\r\nbc|{12345678-1234-1234-1234-123456789012}|BINARY|2012/02/23 9:30:05|\r\n"
       "x    |                                      |      |        2012/02/22|\r\n"
       "     |                                      |      |                  |\r\n"
       "OK\r\n"},
      {{},
       "SELECT * FROM nothere;",
       "SELECT * FROM nothere;\r\nERROR! %\r\n\r\n",
       {"SELECT * FROM nothere;"}},
  });
}

TEST(ResultGrid, AValueThatCannotBeConvertedFailsTheWholeGrid) {
  ConsoleSession console;
  console.database.Exec("CREATE TABLE d (D DATETIME)");
  // A statement of ours refuses such a value; another program may have stored it.
  ASSERT_EQ(
      sqlite3_exec(console.database.Db().Handle(),
                   "INSERT INTO d VALUES ('2012-02-22'), ('no date')", nullptr, nullptr, nullptr),
      SQLITE_OK);
  console.Run("SELECT D FROM d");
  const std::string pane = console.Pane();
  EXPECT_TRUE(pane.starts_with("SELECT D FROM d\r\nERROR! ")) << pane;
  EXPECT_TRUE(pane.ends_with("\r\n\r\n")) << pane;
  EXPECT_EQ(pane.find('|'), std::string::npos) << pane;
  EXPECT_EQ(console.context.errorsReported, 1);
  EXPECT_FALSE(console.query.Active());
}

TEST(ResultGrid, FloatsAreShownAsPrintfShowsThemHalfwayValuesIncluded) {
  // Values exactly halfway between two hundredths, values that only look halfway, the edge of
  // the quick path, and many values of every size.
  std::vector<double> values = {0.125,  0.375,  -0.125,  2.675, 1.005,        0.005,        0.015,
                                -0.001, 1e-300, -1e-300, 0.0,   3.99e13,      4e13,         4.01e13,
                                5e17,   -5e17,  1.5e16,  0.155, 1e13 + 0.005, 123456789.125};
  std::mt19937_64 random(11);
  for (int i = 0; i < 3000; ++i) {
    const double magnitude = std::pow(10.0, static_cast<int>(random() % 20) - 4);
    values.push_back(std::ldexp(static_cast<double>(random() >> 11), -53) * magnitude *
                     (random() % 2 == 0 ? 1 : -1));
    values.push_back(static_cast<double>(random() % 100000) / 1000 + 0.005);
  }
  ConsoleSession console;
  console.database.Exec("CREATE TABLE f (N INTEGER, F FLOAT)");
  sqlite3* db = console.database.Db().Handle();
  sqlite3_stmt* insert = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db, "INSERT INTO f VALUES (?, ?)", -1, &insert, nullptr), SQLITE_OK);
  for (std::size_t i = 0; i < values.size(); ++i) {
    sqlite3_bind_int64(insert, 1, static_cast<sqlite3_int64>(i));
    sqlite3_bind_double(insert, 2, values[i]);
    ASSERT_EQ(sqlite3_step(insert), SQLITE_DONE);
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  console.Run("SELECT F FROM f ORDER BY N");
  std::vector<std::string> cells;
  std::size_t width = 1;
  for (const double value : values) {
    char text[400];
    std::snprintf(text, sizeof text, "%6.2f", value);
    cells.emplace_back(text);
    width = std::max(width, cells.back().size());
  }
  std::string expected = "SELECT F FROM f ORDER BY N\r\nF" + std::string(width - 1, ' ') + "|\r\n" +
                         std::string(width, '-') + "+\r\n";
  for (const std::string& cell : cells) {
    expected += std::string(width - cell.size(), ' ') + cell + "|\r\n";
  }
  EXPECT_EQ(console.Pane(), expected + "OK\r\n");
}

TEST(ResultGrid, ShowsEveryColumnOfAWideResult) {
  std::string sql = "SELECT 0 AS c1", header = "c1|", separator = "--+", row = " 0|";
  for (int i = 2; i <= 300; ++i) {
    const std::string name = "c" + std::to_string(i);
    sql += ", 0 AS " + name;
    header += name + "|";
    separator += std::string(name.size(), '-') + "+";
    row += std::string(name.size() - 1, ' ') + "0|";
  }
  ExpectPanes(
      {{{}, sql, sql + "\r\n" + header + "\r\n" + separator + "\r\n" + row + "\r\nOK\r\n"}});
}

// A pane that keeps the size of every text appended to it.
class RecordingPane : public StringPane {
 public:
  void AppendUtf8Line(std::string_view utf8Text) override {
    sizes.push_back(utf8Text.size());
    StringPane::AppendUtf8Line(utf8Text);
  }
  std::vector<std::size_t> sizes;
};

TEST(ResultGrid, ALargeResultGoesToThePaneInPiecesOfBoundedSize) {
  constexpr int kRows = 30'000;
  TestDatabase database;
  ASSERT_EQ(sqlite3_exec(database.Db().Handle(),
                         "CREATE TABLE t (n INTEGER, s TEXT);"
                         "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k "
                         "WHERE i < 30000) INSERT INTO t SELECT i, '行 ' || i FROM k;",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  Query query(database.Db());
  Table table(database.Db());
  SqlHistory history;
  RecordingPane pane;
  ConsoleContext context{pane, database.Db(), query, table, history, {}};
  query.SetSql("SELECT n, s FROM t");
  RenderResultGrid(context);

  std::string expected = "n    |s       |\r\n-----+--------+\r\n";
  for (int i = 1; i <= kRows; ++i) {
    const std::string n = std::to_string(i);
    const std::string padding(5 - n.size(), ' ');
    expected += padding + n + "|行 " + n + padding + "|\r\n";
  }
  EXPECT_TRUE(SjisToUtf8(pane.Text()) == expected + "OK\r\n");
  ASSERT_GT(pane.sizes.size(), 5u);
  for (const std::size_t size : pane.sizes) EXPECT_LT(size, std::size_t{70'000});
}

TEST(GridCells, GivesBackEveryCellWithItsWidthInOrderAndIsEmptyAfterwards) {
  std::vector<GridCell> cells = {
      {"", 0},         {"7", 1},           {"-12", 3},   {"  3.14", 6},  {"1.00E+20", 8},
      {"12345.68", 8}, {"2012/02/23", 10}, {"True ", 5}, {"a\r\nbc", 6}, {"0 ", 2},
      {"漢字", 4},     {"ｱ", 1},           {"- .E+", 5}, {"9:30:05", 7}, {"12", 300}};
  const std::string nuls(3, '\0');
  const std::string twoByteLength(200, '5');  // a length that needs two bytes
  const std::string overBlock(70'000, 'x');   // larger than one block
  cells.push_back({nuls, 3});
  cells.push_back({twoByteLength, 200});
  cells.push_back({overBlock, 140'000});
  std::vector<std::string> numbers;
  for (int i = 0; i < 20'000; ++i) numbers.push_back(std::to_string(i * 37));  // many blocks
  for (const std::string& number : numbers) cells.push_back({number, number.size()});

  GridCells store;
  for (const GridCell& cell : cells) store.Add(cell);
  GridCells::Reader reader = store.TakeOut();
  for (const GridCell& cell : cells) {
    ASSERT_FALSE(reader.AtEnd());
    const GridCell back = reader.Next();
    ASSERT_EQ(back.text, cell.text);
    ASSERT_EQ(back.width, cell.width) << cell.text;
  }
  EXPECT_TRUE(reader.AtEnd());
  EXPECT_TRUE(store.TakeOut().AtEnd());
  EXPECT_TRUE(GridCells().TakeOut().AtEnd());
}

}  // namespace
}  // namespace tarnwick::test
