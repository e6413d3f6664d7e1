#include <gtest/gtest.h>

#include <algorithm>

#include "ConsoleSession.h"

namespace tarnwick::test {
namespace {

TEST(ResultGrid, EmptyResultHasHeaderSeparatorAndOkWithoutEmptyLine) {
  ConsoleSession console;
  console.database.Exec("CREATE TABLE t (ID INTEGER, 名前 TEXT)");
  console.Run("SELECT * FROM t;SELECT * FROM t");
  const std::string grid = "ID|名前|\r\n--+----+\r\nOK\r\n";
  EXPECT_EQ(console.Pane(), "SELECT * FROM t;\r\n" + grid + "SELECT * FROM t\r\n" + grid);
  EXPECT_FALSE(console.query.Active());
}

TEST(ResultGrid, WidthsInBytesAndAlignmentByKind) {
  ConsoleSession console;
  console.database.Exec("CREATE TABLE t (ID INTEGER, 説明文 TEXT, 可 YESNO, 名 TEXT)");
  console.database.Exec("INSERT INTO t VALUES (7, 'ab', 1, 'りんごです')");
  console.database.Exec("INSERT INTO t VALUES (8, NULL, 1, 'x')");
  console.Run("SELECT * FROM t");
  EXPECT_EQ(console.Pane(),
            "SELECT * FROM t\r\n"
            "ID|説明文|可   |名        |\r\n"
            "--+------+-----+----------+\r\n"
            " 7|ab    |True |りんごです|\r\n"
            " 8|      |True |x         |\r\n"
            "OK\r\n");

  // Without rows a boolean column is as wide as its name.
  console.pane.Clear();
  console.Run("SELECT 可 FROM t WHERE ID = 0");
  EXPECT_EQ(console.Pane(), "SELECT 可 FROM t WHERE ID = 0\r\n可|\r\n--+\r\nOK\r\n");
}

TEST(ResultGrid, FloatCellsUseTwoDecimals) {
  ConsoleSession console;
  console.database.Exec("CREATE TABLE f (F FLOAT)");
  for (const char* value : {"3.14159", "12345.678", "NULL", "1e20", "-0.001"}) {
    console.database.Exec(std::string("INSERT INTO f VALUES (") + value + ")");
  }
  console.Run("SELECT F FROM f");
  EXPECT_EQ(console.Pane(),
            "SELECT F FROM f\r\n"
            "F       |\r\n--------+\r\n"
            "    3.14|\r\n12345.68|\r\n    0.00|\r\n1.00E+20|\r\n   -0.00|\r\n"
            "OK\r\n");
}

TEST(ResultGrid, MoneyCellsAreExactDecimalsWithoutTrailingZeros) {
  ConsoleSession console;
  console.database.Exec("CREATE TABLE m (M MONEY)");
  for (const char* value : {"1234.5", "1234", "0.5", "NULL", "-2.25", "1.23456", "0"}) {
    console.database.Exec(std::string("INSERT INTO m VALUES (") + value + ")");
  }
  console.Run("SELECT M FROM m");
  EXPECT_EQ(console.Pane(),
            "SELECT M FROM m\r\n"
            "M     |\r\n------+\r\n"
            "1234.5|\r\n  1234|\r\n   0.5|\r\n      |\r\n -2.25|\r\n1.2346|\r\n     0|\r\n"
            "OK\r\n");
}

TEST(ResultGrid, MemoBinaryUnshownKindsAndDates) {
  ConsoleSession console;
  console.database.Exec("CREATE TABLE x (N MEMO, G GUID, B LONGBINARY, D DATETIME)");
  console.database.Exec(
      "INSERT INTO x VALUES ('a' || char(13, 10) || 'bc', X'0011', X'00', '2012-02-23 09:30:05')");
  console.database.Exec("INSERT INTO x VALUES ('x', NULL, NULL, '2012-02-22 00:00:00')");
  console.database.Exec("INSERT INTO x VALUES (NULL, NULL, NULL, NULL)");
  console.Run("SELECT * FROM x");
  EXPECT_EQ(console.Pane(),
            "SELECT * FROM x\r\n"
            "N    |G|B     |D                 |\r\n"
            "-----+-+------+------------------+\r\n"
            "a\r\nbc| |BINARY|2012/02/23 9:30:05|\r\n"
            "x    | |BINARY|        2012/02/22|\r\n"
            "     | |BINARY|        1899/12/30|\r\n"
            "OK\r\n");
}

TEST(ResultGrid, FailureWritesOnlyTheErrorLine) {
  ConsoleSession console;
  console.Run("SELECT * FROM nothere;");
  EXPECT_EQ(console.Pane(), "SELECT * FROM nothere;\r\nERROR! " +
                                console.FailureOf("SELECT * FROM nothere;") + "\r\n\r\n");
  EXPECT_EQ(console.context.errorsReported, 1);

  // A value that cannot be converted fails the whole grid, even after good rows.
  console.database.Exec("CREATE TABLE d (D DATETIME)");
  console.database.Exec("INSERT INTO d VALUES ('2012-02-22')");
  console.database.Exec("INSERT INTO d VALUES ('no date')");
  console.pane.Clear();
  console.Run("SELECT D FROM d");
  const std::string pane = console.Pane();
  EXPECT_TRUE(pane.starts_with("SELECT D FROM d\r\nERROR! ")) << pane;
  EXPECT_TRUE(pane.ends_with("\r\n\r\n")) << pane;
  EXPECT_EQ(pane.find('|'), std::string::npos) << pane;
  EXPECT_EQ(console.context.errorsReported, 2);
  EXPECT_FALSE(console.query.Active());
}

TEST(ResultGrid, ShowsEveryColumnOfAWideResult) {
  ConsoleSession console;
  std::string sql = "SELECT 0 AS c1";
  for (int i = 2; i <= 300; ++i) sql += ", 0 AS c" + std::to_string(i);
  console.Run(sql);
  const std::string pane = console.Pane();
  const std::size_t header = pane.find("\r\n") + 2;
  const std::size_t separator = pane.find("\r\n", header) + 2;
  const std::size_t row = pane.find("\r\n", separator) + 2;
  const std::string headerLine = pane.substr(header, separator - 2 - header);
  const std::string rowLine = pane.substr(row, pane.find("\r\n", row) - row);
  EXPECT_EQ(std::ranges::count(headerLine, '|'), 300);
  EXPECT_EQ(std::ranges::count(rowLine, '|'), 300);
  EXPECT_TRUE(headerLine.ends_with("|c299|c300|"));
  EXPECT_TRUE(rowLine.ends_with("|   0|   0|"));
  EXPECT_EQ(headerLine.size(), rowLine.size());
  EXPECT_TRUE(pane.ends_with("OK\r\n"));
}

}  // namespace
}  // namespace tarnwick::test
