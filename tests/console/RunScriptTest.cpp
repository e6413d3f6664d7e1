#include <gtest/gtest.h>

#include "ConsoleSession.h"

namespace tarnwick::test {
namespace {

using Statements = std::vector<std::string>;

TEST(RunScript, TranscriptOfStatementsAndOutcomesIsExact) {
  ConsoleSession console;
  console.Run("CREATE TABLE t (a INTEGER);\r\nINSERT INTO t VALUES (1);\r\nDROP TABLE x;");
  const std::string message = console.FailureOf("DROP TABLE x;");
  EXPECT_EQ(console.Pane(),
            "CREATE TABLE t (a INTEGER);\r\nOK\r\n\r\n"
            "INSERT INTO t VALUES (1);\r\nOK\r\n\r\n"
            "DROP TABLE x;\r\nERROR! " +
                message + "\r\n\r\n");
  EXPECT_EQ(console.context.errorsReported, 1);
  EXPECT_EQ(console.database.Scalar("SELECT count(*) FROM t"), "1");

  // Enter after the last statement: one more, empty, echo line.
  console.pane.Clear();
  console.Run("DELETE FROM t;\r\n");
  EXPECT_EQ(console.Pane(), "DELETE FROM t;\r\nOK\r\n\r\n\r\n");
}

TEST(RunScript, SplitsAtSemicolonsAndRunsTheRemainder) {
  ConsoleSession console;
  console.Run("SELECT 1");
  EXPECT_EQ(console.Executed(), Statements{"SELECT 1"});
  EXPECT_TRUE(console.Pane().starts_with("SELECT 1\r\n"));

  ConsoleSession ab;
  ab.Run("A;B");
  EXPECT_EQ(ab.Executed(), (Statements{"A;", "B"}));
  EXPECT_TRUE(ab.Pane().starts_with("A;\r\nERROR! "));
  EXPECT_NE(ab.Pane().find("\r\n\r\nB\r\nERROR! "), std::string::npos);

  // A line break after the last ';' is a remainder of its own: an empty echo line, and a
  // history entry made of that line break, with nothing run.
  ConsoleSession lineBreak;
  lineBreak.Run("CREATE TABLE t (a INTEGER);\r\n");
  EXPECT_EQ(lineBreak.Pane(), "CREATE TABLE t (a INTEGER);\r\nOK\r\n\r\n\r\n");
  EXPECT_EQ(lineBreak.history.StoredEntry(1), "\x01\x02");

  // Blanks after the last ';': an empty echo line and nothing recorded.
  ConsoleSession blanks;
  blanks.Run("CREATE TABLE t (a INTEGER);   ");
  EXPECT_EQ(blanks.Pane(), "CREATE TABLE t (a INTEGER);\r\nOK\r\n\r\n\r\n");
  EXPECT_EQ(blanks.history.Count(), 1u);

  // A semicolon alone is a statement of its own, which the engine rejects.
  ConsoleSession doubled;
  doubled.Run("CREATE TABLE t (a INTEGER);;");
  EXPECT_EQ(doubled.Executed(), (Statements{"CREATE TABLE t (a INTEGER);", ";"}));
  EXPECT_TRUE(
      doubled.Pane().ends_with("OK\r\n\r\n;\r\nERROR! " + doubled.FailureOf(";") + "\r\n\r\n"));
}

TEST(RunScript, QuotesDecideWhereStatementsEnd) {
  ConsoleSession console;
  console.Run("SELECT \"a;b\";SELECT \"a\"\"b;c\";SELECT 'a;b';");
  EXPECT_EQ(console.Executed(),
            (Statements{"SELECT \"a;b\";", "SELECT \"a\"\"b;c\";", "SELECT 'a;", "b';"}));

  // A quote that is never closed takes the rest of the script into one remainder.
  ConsoleSession open;
  open.Run("SELECT \"a;\r\nSELECT 2;");
  EXPECT_EQ(open.Executed(), Statements{"SELECT \"a;\r\nSELECT 2;"});
}

TEST(RunScript, CommentsHideSemicolonsAndAreRemovedBeforeExecution) {
  ConsoleSession console;
  console.Run("-- c;\r\nSELECT 1;");
  EXPECT_EQ(console.Executed(), Statements{"SELECT 1;"});
  EXPECT_TRUE(console.Pane().starts_with("-- c;\r\nSELECT 1;\r\n"));

  ConsoleSession block;
  block.Run("SELECT /* ; */ 1;SELECT 1 /* open");
  EXPECT_EQ(block.Executed(), (Statements{"SELECT  1;", "SELECT 1"}));

  ConsoleSession lastLine;
  lastLine.Run("SELECT 1 -- x");
  EXPECT_EQ(lastLine.Executed(), Statements{"SELECT 1"});
  EXPECT_TRUE(lastLine.Pane().starts_with("SELECT 1 -- x\r\n"));

  ConsoleSession glued;
  glued.Run("SELECT a--x\r\nFROM t;");
  EXPECT_EQ(glued.Executed(), Statements{"SELECT aFROM t;"});

  // "--" inside a double-quoted literal still starts a line comment for the splitter, which
  // passes over the closing quote: the literal stays open and the whole text is one remainder.
  ConsoleSession literal;
  literal.Run("SELECT \"a--b\";\r\nSELECT 2;");
  EXPECT_EQ(literal.Executed(), Statements{"SELECT \"aSELECT 2;"});
  EXPECT_TRUE(literal.Pane().starts_with("SELECT \"a--b\";\r\nSELECT 2;\r\nERROR! "));
}

TEST(RunScript, EchoKeepsInnerTabsButExecutionSeesSpaces) {
  ConsoleSession console;
  console.Run("\t\r\n SELECT\t1 ;\t");
  EXPECT_EQ(console.Pane(), "SELECT\t1 ;\r\n1|\r\n-+\r\n1|\r\nOK\r\n\r\n");
  EXPECT_EQ(console.Executed(), Statements{"\r\n SELECT 1 ;"});
}

TEST(RunScript, EmptyScriptRunsNothingAndEndsBrowsingPosition) {
  ConsoleSession console;
  console.history.Record("SELECT 1");
  ASSERT_TRUE(console.history.StepBack("own text"));
  console.Run("");
  EXPECT_EQ(console.Pane(), "");
  EXPECT_EQ(console.history.Count(), 1u);
  EXPECT_EQ(console.history.Position(), 0);

  // The script ends at its first NUL byte.
  RunScript(console.context, std::string("CREATE TABLE t (a INTEGER);\0DROP TABLE t;", 41));
  EXPECT_EQ(console.Executed(), (Statements{"SELECT 1", "CREATE TABLE t (a INTEGER);"}));
}

TEST(RunScript, LetsEventsThroughEveryThousandExaminedBytes) {
  ConsoleSession console;
  console.Run(std::string(2500, ' '));
  EXPECT_EQ(console.eventPumps, 2);
  EXPECT_EQ(console.Pane(), "\r\n");

  // Bytes passed over inside a comment, and the second quote of a doubled quote, do not count.
  ConsoleSession comment;
  comment.Run("--" + std::string(2000, 'x') + "\r\n" + std::string(996, ' '));
  EXPECT_EQ(comment.eventPumps, 0);
  ConsoleSession doubledQuote;
  doubledQuote.Run("\"\"\"" + std::string(995, ' ') + "\";");  // 1000 bytes
  EXPECT_EQ(doubledQuote.eventPumps, 0);
  ConsoleSession plainQuotes;
  plainQuotes.Run("\"a\"" + std::string(995, ' ') + "\";");  // 1000 bytes
  EXPECT_EQ(plainQuotes.eventPumps, 1);
}

TEST(RunScript, FailureEscapingAStatementEndsTheRun) {
  ConsoleSession console;
  console.history.Record("earlier");
  ASSERT_TRUE(console.history.StepBack("own text"));
  console.BreakConnection();
  EXPECT_THROW(console.Run("? t;\r\nSELECT 1;\r\nSELECT 2"), TarnwickError);
  // The failed statement is neither repeated as a remainder nor followed by the next one.
  EXPECT_EQ(console.Pane(), "? t;\r\nOK\r\n\r\n");
  EXPECT_EQ(console.Executed(), (Statements{"earlier", "? t;"}));
  EXPECT_EQ(console.history.Position(), 1);

  // The same failure in the remainder reaches the caller as well.
  console.pane.Clear();
  EXPECT_THROW(console.Run("? t"), TarnwickError);
  EXPECT_EQ(console.Pane(), "? t\r\nOK\r\n\r\n");
}

}  // namespace
}  // namespace tarnwick::test
