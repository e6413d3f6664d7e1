// The statement under the caret: what "run the statement at the caret" runs and completion
// looks at, cut as the splitter cuts the script.
#include <gtest/gtest.h>

#include <string>

#include "console/StatementAtCaret.h"

namespace tarnwick {
namespace {

// The script with '|' marking the caret, and the statement expected ("" for none).
struct CaretCase {
  std::string marked;
  std::string statement;
};

TEST(StatementAtCaret, TakesThePieceTheSplitterCutsAroundTheCaret) {
  const CaretCase cases[] = {
      {"SELECT 1;|", "SELECT 1;"},
      {"SELECT| 1;SELECT 2;", "SELECT 1;"},
      {"|SELECT 1;SELECT 2;", "SELECT 1;"},
      {"SELECT 1;S|ELECT 2;", "SELECT 2;"},
      {"SELECT 1;\r\nSELECT 2;|\r\nSELECT 3;", "\r\nSELECT 2;"},
      {"SELECT 1;\r\nSELECT 2|", "\r\nSELECT 2"},
      // A blank line or a comment between two ';' belongs to the statement after it, as the
      // splitter cuts; blanks after the last ';' take the statement before them.
      {"SELECT 1;\r\n|\r\nSELECT 2;", "\r\n\r\nSELECT 2;"},
      {"SELECT 1;\r\n-- next|\r\nSELECT 2;", "\r\n-- next\r\nSELECT 2;"},
      {"SELECT 1;\r\n\r\n|", "SELECT 1;"},
      // A ';' alone holds nothing to run: without a statement before it, the one after it.
      {";;|;SELECT 2;", "SELECT 2;"},
      // Quotes and comments hide their semicolons, as in the splitter; PARAMETERS runs to
      // its second ';'.
      {"SELECT 'a;b' |AS x;SELECT 2;", "SELECT 'a;b' AS x;"},
      {"SELECT 1 /* ; */ |+ 1;SELECT 2;", "SELECT 1 /* ; */ + 1;"},
      {"PARAMETERS n LONG; SELECT n|;SELECT 2;", "PARAMETERS n LONG; SELECT n;"},
      // Nothing to run.
      {"|", ""},
      {"  \r\n-- only a comment|", ""},
  };
  for (const CaretCase& c : cases) {
    SCOPED_TRACE(c.marked);
    std::string script = c.marked;
    const std::size_t caret = script.find('|');
    script.erase(caret, 1);
    const auto range = StatementAtCaret(script, caret);
    if (c.statement.empty()) {
      EXPECT_FALSE(range.has_value());
    } else {
      ASSERT_TRUE(range.has_value());
      EXPECT_EQ(script.substr(range->begin, range->end - range->begin), c.statement);
    }
  }
}

TEST(StatementAtCaret, ReadsUtf8TextWhoseCharactersHoldNoSplittingByte) {
  // "表" and "；" hold bytes above 0x7F only; the full-width semicolon does not split.
  const std::string script = "SELECT * FROM 表；;SELECT 2;";
  const auto range = StatementAtCaret(script, 3);
  ASSERT_TRUE(range.has_value());
  EXPECT_EQ(script.substr(range->begin, range->end - range->begin), "SELECT * FROM 表；;");
}

}  // namespace
}  // namespace tarnwick
