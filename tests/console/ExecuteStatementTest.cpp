#include <gtest/gtest.h>

#include "ConsoleSession.h"

namespace tarnwick::test {
namespace {

using Statements = std::vector<std::string>;

// The pane text of a grid for "SELECT a FROM t" on a table t holding the one row a = 5.
constexpr std::string_view kGridOfA = "a|\r\n-+\r\n5|\r\nOK\r\n";

struct TableOfA : ConsoleSession {
  TableOfA() {
    database.Exec("CREATE TABLE t (a INTEGER)");
    database.Exec("INSERT INTO t VALUES (5)");
  }
};

TEST(ExecuteStatement, OnlyTheFirstBlankDelimitedWordSelectsTheGrid) {
  TableOfA console;
  console.Run("select a from t;Select a FROM t;\r\n  SELECT a FROM t;SELECT\r\na FROM t;");
  const std::string grid(kGridOfA);
  EXPECT_EQ(console.Pane(), "select a from t;\r\n" + grid + "Select a FROM t;\r\n" + grid +
                                "SELECT a FROM t;\r\n" + grid + "SELECT\r\na FROM t;\r\n" + grid);

  // Glued to '*' or behind '(' the word is no "select": the statement runs without a grid.
  console.pane.Clear();
  console.Run("SELECT*FROM t;");
  EXPECT_EQ(console.Pane(), "SELECT*FROM t;\r\nOK\r\n\r\n");
  console.pane.Clear();
  console.Run("(SELECT a FROM t);");
  EXPECT_TRUE(console.Pane().starts_with("(SELECT a FROM t);\r\nERROR! "));
}

TEST(ExecuteStatement, BlankStatementsAreNeitherRecordedNorRun) {
  TableOfA console;
  // Emptied by comment removal; then a remainder made of spaces only.
  console.Run("/* -- */;   ");
  EXPECT_EQ(console.Pane(), "/* -- */;\r\n\r\n");
  EXPECT_EQ(console.history.Count(), 0u);
  EXPECT_EQ(console.context.errorsReported, 0);
}

TEST(ExecuteStatement, QuestionMarkAloneListsTheCatalogue) {
  const std::string listing = "テーブル名の一覧\r\n----------------\r\nt\r\nOK\r\n\r\n";
  for (const char* script : {"?", "?\r\n"}) {
    TableOfA console;
    console.Run(script);
    EXPECT_EQ(console.Pane(), "?\r\n" + listing) << script;
  }
  // The lines after a "?" line in the same statement are neither described nor run.
  TableOfA console;
  console.Run("?  \r\nSELECT a FROM t");
  EXPECT_EQ(console.Pane(), "?  \r\nSELECT a FROM t\r\n" + listing);
  EXPECT_EQ(console.Executed(), Statements{"?  \r\nSELECT a FROM t"});
}

TEST(ExecuteStatement, QuestionMarkWithNamesDescribesEachLiterally) {
  TableOfA console;
  console.database.Exec("CREATE TABLE b (x INTEGER)");
  console.Run("? t  b");
  EXPECT_EQ(
      console.Pane(),
      "? t  b\r\n"
      "t テーブルの項目\r\n----------------\r\nINTEGER 型     a\r\n---\r\nデータ数は 1 です\r\n"
      "OK\r\n\r\n"
      "b テーブルの項目\r\n----------------\r\nINTEGER 型     x\r\n---\r\nデータ数は 0 です\r\n"
      "OK\r\n\r\n");

  // The ';' stays part of the name, so neither table is found.
  console.pane.Clear();
  console.Run("?;");
  EXPECT_EQ(console.Pane(), "?;\r\n; テーブルは見つかりません\r\nOK\r\n\r\n");
  console.pane.Clear();
  console.Run("? t;");
  EXPECT_EQ(console.Pane(), "? t;\r\nt; テーブルは見つかりません\r\nOK\r\n\r\n");
}

TEST(ExecuteStatement, QuestionMarkAfterALineBreakGoesToTheEngine) {
  TableOfA console;
  console.Run("SELECT a FROM t;\r\n? t");
  EXPECT_EQ(console.Pane(), "SELECT a FROM t;\r\n" + std::string(kGridOfA) + "? t\r\nERROR! " +
                                console.FailureOf("? t") + "\r\n\r\n");
  EXPECT_EQ(console.context.errorsReported, 1);
}

TEST(ExecuteStatement, RecordsWhatRanWithLineBreaksStoredAsOneTwo) {
  TableOfA console;
  console.Run("  DROP TABLE nothing  ;\r\n? t;\r\nSELECT\r\na FROM t;\r\n");
  ASSERT_EQ(console.history.Count(), 4u);
  EXPECT_EQ(console.history.StoredEntry(0), "DROP TABLE nothing  ;");
  EXPECT_EQ(console.history.StoredEntry(1), "\x01\x02? t;");
  EXPECT_EQ(console.history.StoredEntry(2),
            "\x01\x02SELECT\x01\x02"
            "a FROM t;");
  EXPECT_EQ(console.history.StoredEntry(3), "\x01\x02");
  // The query object keeps the last SQL text, blanks trimmed.
  EXPECT_EQ(console.query.Sql(), "");
  console.Run("\r\n DELETE FROM t ; ");
  EXPECT_EQ(console.query.Sql(), "DELETE FROM t ;");
}

}  // namespace
}  // namespace tarnwick::test
