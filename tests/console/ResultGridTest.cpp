#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

#include "ConsoleSession.h"
#include "console/GridCells.h"

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
      {{"CREATE TABLE f (F FLOAT)",
        "INSERT INTO f VALUES (3.14159)",
        "INSERT INTO f VALUES (12345.678)",
        "INSERT INTO f VALUES (NULL)",
        "INSERT INTO f VALUES (1e20)",
        "INSERT INTO f VALUES (-0.001)"},
       "SELECT F FROM f",
       "SELECT F FROM f\r\nF       |\r\n--------+\r\n"
       "    3.14|\r\n12345.68|\r\n        |\r\n1.00E+20|\r\n   -0.00|\r\nOK\r\n"},
      {{"CREATE TABLE m (M MONEY)",
        "INSERT INTO m VALUES (1234.5)",
        "INSERT INTO m VALUES (1234)",
        "INSERT INTO m VALUES (0.5)",
        "INSERT INTO m VALUES (NULL)",
        "INSERT INTO m VALUES (-2.25)",
        "INSERT INTO m VALUES (1.23456)",
        "INSERT INTO m VALUES (0)"},
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

TEST(GridCells, GivesBackEveryCellByteForByteInOrder) {
  std::vector<std::string> cells = {
      "",      "7",       "-12", "  3.14",           "1.00E+20",           "12345.68", "2012/02/23",
      "True ", "a\r\nbc", "0 ",  "\x83\x41\x83\x61", std::string(3, '\0'), "9:30:05",  "- .E+"};
  cells.push_back(std::string(200, '5'));     // a length that needs two bytes
  cells.push_back(std::string(70'000, 'x'));  // larger than one block
  for (int i = 0; i < 20'000; ++i) cells.push_back(std::to_string(i * 37));  // many blocks

  GridCells store;
  for (const std::string& cell : cells) store.Add(cell);
  GridCells::Cursor cursor = store.Read();
  for (const std::string& cell : cells) {
    ASSERT_FALSE(cursor.AtEnd());
    ASSERT_EQ(cursor.Next(), cell);
  }
  EXPECT_TRUE(cursor.AtEnd());
  EXPECT_TRUE(GridCells().Read().AtEnd());
}

}  // namespace
}  // namespace tarnwick::test
