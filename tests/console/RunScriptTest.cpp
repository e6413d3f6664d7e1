// Running a script: the splitting at semicolons, the echo, the pending events, comment
// removal and the text of a script file.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "ConsoleSession.h"
#include "console/RunScript.h"
#include "console/ScriptFile.h"

namespace tarnwick::test {
namespace {

// SELECT 1: an expression without a name is Expr1000.
const std::string kGridOfOne = "Expr1000|\r\n--------+\r\n       1|\r\nOK\r\n";

TEST(RunScript, SplitsAtSemicolonsOutsideQuotesAndComments) {
  const std::pair<std::string, Statements> cases[] = {
      // Blanks alone are no statement; a line break after the last ';' is one. Leading
      // blanks go, a statement keeps the line breaks before it.
      {"/* -- */;   ", {}},
      {"  DROP TABLE nothing  ;\r\n? t;\r\nSELECT\r\na FROM t;\r\n",
       {"DROP TABLE nothing  ;", "\r\n? t;", "\r\nSELECT\r\na FROM t;", "\r\n"}},
      {"SELECT \"a;b\";SELECT \"a\"\"b;c\";SELECT 'a;b';",
       {"SELECT \"a;b\";", "SELECT \"a\"\"b;c\";", "SELECT 'a;b';"}},
      // A quote that is never closed takes the rest of the script into one remainder.
      {"SELECT \"a;\r\nSELECT 2;", {"SELECT \"a;\r\nSELECT 2;"}},
      {"SELECT /* ; */ 1;SELECT 1 /* open", {"SELECT  1;", "SELECT 1"}},
      // Comment markers inside either kind of literal are text, in the splitter and in the
      // comment removal alike; a doubled quote does not end its literal.
      {"SELECT \"a--b\";\r\nSELECT 2;", {"SELECT \"a--b\";", "\r\nSELECT 2;"}},
      {"INSERT INTO t VALUES ('a/*x*/b');", {"INSERT INTO t VALUES ('a/*x*/b');"}},
      {"SELECT '/*';DELETE FROM t;SELECT '*/';",
       {"SELECT '/*';", "DELETE FROM t;", "SELECT '*/';"}},
      {"SELECT 'it''s -- ;', \"a\"\"/*\";--'\r\nSELECT 2;",
       {"SELECT 'it''s -- ;', \"a\"\"/*\";", "SELECT 2;"}},
      // A quote inside a comment opens no literal.
      {"SELECT 1 /* it's */;SELECT 2 -- it's\r\n;", {"SELECT 1 ;", "SELECT 2 ;"}},
      {"SELECT 'a;\r\nSELECT 2;", {"SELECT 'a;\r\nSELECT 2;"}},
      {"\t\r\n SELECT\t1 ;\t", {"\r\n SELECT 1 ;"}},
      // The script ends at its first NUL byte.
      {std::string("CREATE TABLE t (a INTEGER);\0DROP TABLE t;", 41),
       {"CREATE TABLE t (a INTEGER);"}},
  };
  for (const auto& [script, executed] : cases) {
    ConsoleSession console;
    console.Run(script);
    EXPECT_EQ(console.Executed(), executed) << script;
  }
}

TEST(RunScript, EchoesEachStatementAsTypedWithoutLeadingBlanks) {
  ExpectPanes({
      {{},
       "CREATE TABLE t (a INTEGER);;",
       "CREATE TABLE t (a INTEGER);\r\nOK\r\n\r\n;\r\nERROR! %\r\n\r\n",
       {";"}},
      // A remainder of a line break or of blanks is an empty echo line and runs nothing.
      {{}, "CREATE TABLE t (a INTEGER);\r\n", "CREATE TABLE t (a INTEGER);\r\nOK\r\n\r\n\r\n"},
      {{}, "/* -- */;   ", "/* -- */;\r\n\r\n"},
      // Comments are echoed; tabs inside are kept in the echo.
      {{}, "-- c;\r\nSELECT 1;", "-- c;\r\nSELECT 1;\r\n" + kGridOfOne},
      {{}, "SELECT 1 -- x", "SELECT 1 -- x\r\n" + kGridOfOne},
      {{}, "\t\r\n SELECT\t1 ;\t", "SELECT\t1 ;\r\n" + kGridOfOne + "\r\n"},
  });
}

TEST(RunScript, LetsEventsThroughEveryThousandExaminedBytes) {
  // Bytes passed over inside a comment, and the second quote of a doubled quote, do not count.
  const std::pair<std::string, int> cases[] = {
      {std::string(2500, ' '), 2},
      {"--" + std::string(2000, 'x') + "\r\n" + std::string(996, ' '), 0},
      {"\"\"\"" + std::string(995, ' ') + "\";", 0},  // 1000 bytes
      {"\"a\"" + std::string(995, ' ') + "\";", 1},   // 1000 bytes
  };
  for (const auto& [script, pumps] : cases) {
    ConsoleSession console;
    console.Run(script);
    EXPECT_EQ(console.eventPumps, pumps) << script.substr(0, 3);
  }
}

TEST(RunScript, ARunEndsTheBrowsingPositionUnlessAFailureEscapesIt) {
  ConsoleSession console;
  console.history.Record("earlier");
  ASSERT_TRUE(console.history.StepBack("own text"));
  console.Run("");
  EXPECT_EQ(console.Pane(), "");
  EXPECT_EQ(console.history.Count(), 1u);
  EXPECT_EQ(console.history.Position(), 0);

  ASSERT_TRUE(console.history.StepBack("own text"));
  console.BreakConnection();
  EXPECT_THROW(console.Run("? t;\r\nSELECT 1;\r\nSELECT 2"), TarnwickError);
  // The description still ends with OK; the failed statement is neither repeated as a
  // remainder nor followed by the next one.
  EXPECT_EQ(console.Pane(), "? t;\r\nOK\r\n\r\n");
  EXPECT_EQ(console.Executed(), (Statements{"earlier", "? t;"}));
  EXPECT_EQ(console.history.Position(), 1);

  // The same failure in the remainder reaches the caller as well.
  console.pane.Clear();
  EXPECT_THROW(console.Run("? t"), TarnwickError);
  EXPECT_EQ(console.Pane(), "? t\r\nOK\r\n\r\n");

  // A failing listing ends in an error line without a message and is not thrown.
  console.pane.Clear();
  EXPECT_NO_THROW(console.Run("?"));
  EXPECT_EQ(console.Pane(), "?\r\nテーブル名の一覧\r\n----------------\r\nERROR\r\n");
  EXPECT_EQ(console.context.errorsReported, 1);
}

TEST(StripComments, RemovesLineCommentsFirstThenBlockCommentsThenTurnsTabsIntoSpaces) {
  const std::pair<std::string, std::string> cases[] = {
      // A line comment takes its CR LF with it; a lone LF does not end it.
      {"a--x\r\nb--y\r\nc", "abc"},
      {"SELECT 1 -- x", "SELECT 1 "},
      {"a---\r\nb", "ab"},
      {"a--x\nb\r\nc", "ac"},
      // Markers inside literals are text; a doubled quote stays inside its literal.
      {"SELECT '--x';\r\nSELECT 2;", "SELECT '--x';\r\nSELECT 2;"},
      {"\"/*\";", "\"/*\";"},
      {"'a''--b' -- c\r\n\"x\"\"/*\" /* y */", "'a''--b' \"x\"\"/*\" "},
      {"'it''s' /* it's */ 'b--'", "'it''s'  'b--'"},
      // A quote inside a block comment opens no literal for the line comments after it.
      {"/* it's */ a -- x\r\n", " a "},
      {"a/* x */b", "ab"},
      {"a/*/b", "ab"},  // the '*' of "/*" also closes it
      {"SELECT 1 /* open", "SELECT 1 "},
      {"a/*x*/*/b", "a*/b"},
      // The removal joins '/' and '*' into a new opening, which counts.
      {"//**/*b", ""},
      {"//**/*x*/b", "b"},
      // A "--" inside a block comment cuts the rest of its line, the "*/" included; the open
      // "/*" then cuts the rest of the statement.
      {"a/* --\r\n*/b", "ab"},
      {"a/* --x */\r\nb", "a"},
      {"a--\tb\r\n\tc", "a c"},
  };
  for (const auto& [input, stripped] : cases) {
    std::string statement = input;
    StripComments(statement);
    EXPECT_EQ(statement, stripped) << input;
  }
}

TEST(ScriptFile, EveryLineEndsInCrLfAndTheTextEndsAtTheFirstNul) {
  const std::pair<std::string, std::string> cases[] = {
      {"", ""},
      {"SELECT 1", "SELECT 1\r\n"},
      {"a;\r\nb;\r\n", "a;\r\nb;\r\n"},
      {"a\nb\rc\r\nd", "a\r\nb\r\nc\r\nd\r\n"},
      {"a\n\rb", "a\r\n\r\nb\r\n"},  // LF CR: two line ends
      {"\r\n", "\r\n"},
      {"a\r\r\n", "a\r\n\r\n"},
      {"\r", "\r\n"},
      {"\n\n", "\r\n\r\n"},
      {"a\r", "a\r\n"},
      {std::string("a;\nb\0c;\n", 9), "a;\r\nb\r\n"},
      {std::string("\0a", 2), ""},
      // Bytes stay as they are.
      {"\xEF\xBB\xBFSELECT 1;\x83\x41", "\xEF\xBB\xBFSELECT 1;\x83\x41\r\n"},
  };
  for (const auto& [bytes, text] : cases) EXPECT_EQ(ScriptTextFromBytes(bytes), text) << bytes;

  // A file's bytes in each encoding become the same Shift-JIS script, within their own string.
  const std::string utf16Le("\xFF\xFE\x68\x88\n\0x\0\r\0", 10);  // 表 LF x CR
  const std::string utf16Be("\xFE\xFF\x88\x68\0\n\0x\0\r", 10);
  for (const std::string& bytes : {Sjis("表\nx\r"), std::string("表\nx\r"),
                                   "\xEF\xBB\xBF" + std::string("表\nx\r"), utf16Le, utf16Be}) {
    EXPECT_EQ(ScriptTextFromFileBytes(bytes, "f"), Sjis("表\r\nx\r\n")) << bytes;
  }
}

}  // namespace
}  // namespace tarnwick::test
