#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "console/RunScript.h"

namespace tarnwick {
namespace {

TEST(StripComments, RemovesLineCommentsFirstThenBlockCommentsThenTurnsTabsIntoSpaces) {
  const std::pair<std::string, std::string> cases[] = {
      // A line comment takes its CR LF with it; a lone LF does not end it.
      {"a--x\r\nb--y\r\nc", "abc"},
      {"SELECT 1 -- x", "SELECT 1 "},
      {"a---\r\nb", "ab"},
      {"a--x\nb\r\nc", "ac"},
      // Literals are not recognised.
      {"SELECT '--x';\r\nSELECT 2;", "SELECT 'SELECT 2;"},
      {"\"/*\";", "\""},
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

}  // namespace
}  // namespace tarnwick
