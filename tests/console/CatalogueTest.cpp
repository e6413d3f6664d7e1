#include <gtest/gtest.h>

#include "ConsoleSession.h"
#include "console/Catalogue.h"

namespace tarnwick::test {
namespace {

// Runs the description of one name (UTF-8) and returns what it wrote.
std::string Described(ConsoleSession& console, std::string_view utf8Name) {
  console.pane.Clear();
  DescribeTable(console.context, Sjis(utf8Name));
  return console.Pane();
}

TEST(DescribeTable, FindsNamesIgnoringAsciiCaseAndKeepsTheTypedLetters) {
  ConsoleSession console;
  console.database.Exec("CREATE TABLE Customers (ID INTEGER, G GUID, 名前 TEXT)");
  console.database.Exec("INSERT INTO Customers (ID) VALUES (1)");
  console.database.Exec("INSERT INTO Customers (ID) VALUES (2)");
  EXPECT_EQ(Described(console, "customers"),
            "customers テーブルの項目\r\n"
            "------------------------\r\n"
            "INTEGER 型     ID\r\n"
            "??? 型         G\r\n"
            "CHAR 型        名前\r\n"
            "---\r\nデータ数は 2 です\r\n"
            "OK\r\n\r\n");
  EXPECT_FALSE(console.table.Active());
  EXPECT_EQ(Described(console, "Customer"), "Customer テーブルは見つかりません\r\nOK\r\n\r\n");
}

TEST(DescribeTable, DoubleByteNamesViewsAndEmptyTables) {
  ConsoleSession console;
  console.database.Exec("CREATE TABLE 商品 (単価 MONEY)");
  console.database.Exec("CREATE VIEW 高い AS SELECT 単価 FROM 商品 WHERE 単価 > 100");
  const std::string body = "MONEY 型       単価\r\n---\r\nデータ数は 0 です\r\nOK\r\n\r\n";
  EXPECT_EQ(Described(console, "商品"),
            "商品 テーブルの項目\r\n" + std::string(19, '-') + "\r\n" + body);
  EXPECT_EQ(Described(console, "高い"),
            "高い テーブルの項目\r\n" + std::string(19, '-') + "\r\n" + body);

  // Letter case is ignored only for ASCII letters: "ア" (83 41) is not "ヂ" (83 61).
  console.database.Exec("CREATE TABLE ア (x INTEGER)");
  EXPECT_EQ(Described(console, "ヂ"), "ヂ テーブルは見つかりません\r\nOK\r\n\r\n");
}

TEST(DescribeTable, FailureStillEndsWithOkThenReachesTheCaller) {
  ConsoleSession console;
  console.BreakConnection();
  console.pane.Clear();
  EXPECT_THROW(DescribeTable(console.context, "t"), TarnwickError);
  EXPECT_EQ(console.Pane(), "OK\r\n\r\n");
}

TEST(ListTableNames, ListsTablesInCatalogueOrder) {
  ConsoleSession empty;
  ListTableNames(empty.context);
  EXPECT_EQ(empty.Pane(), "テーブル名の一覧\r\n----------------\r\n\r\nOK\r\n\r\n");

  ConsoleSession console;
  console.database.Exec("CREATE TABLE zeta (a INTEGER)");
  console.database.Exec("CREATE TABLE alpha (a INTEGER)");
  console.database.Exec("CREATE VIEW 見る AS SELECT a FROM alpha");
  ListTableNames(console.context);
  EXPECT_EQ(console.Pane(),
            "テーブル名の一覧\r\n----------------\r\nzeta\r\nalpha\r\n見る\r\nOK\r\n\r\n");
  EXPECT_EQ(console.context.errorsReported, 0);
}

TEST(ListTableNames, FailureEndsInErrorLineWithoutMessage) {
  ConsoleSession console;
  console.BreakConnection();
  EXPECT_NO_THROW(ListTableNames(console.context));
  EXPECT_EQ(console.Pane(), "テーブル名の一覧\r\n----------------\r\nERROR\r\n");
  EXPECT_EQ(console.context.errorsReported, 1);
}

}  // namespace
}  // namespace tarnwick::test
