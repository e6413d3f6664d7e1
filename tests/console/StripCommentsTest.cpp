#include <gtest/gtest.h>

#include <string>

#include "console/RunScript.h"

namespace tarnwick {
namespace {

std::string Stripped(std::string statement) {
  StripComments(statement);
  return statement;
}

TEST(StripComments, LineCommentsTakeTheirLineBreakWithThem) {
  EXPECT_EQ(Stripped("a--x\r\nb"), "ab");
  EXPECT_EQ(Stripped("a--x\r\nb--y\r\nc"), "abc");
  EXPECT_EQ(Stripped("SELECT 1 -- x"), "SELECT 1 ");
  EXPECT_EQ(Stripped("a---\r\nb"), "ab");
  // Only CR LF ends a line comment: a lone LF does not.
  EXPECT_EQ(Stripped("a--x\nb\r\nc"), "ac");
  // Literals are not recognised.
  EXPECT_EQ(Stripped("SELECT '--x';\r\nSELECT 2;"), "SELECT 'SELECT 2;");
}

TEST(StripComments, BlockCommentsAndTheirEdges) {
  EXPECT_EQ(Stripped("a/* x */b"), "ab");
  EXPECT_EQ(Stripped("a/*/b"), "ab");  // the '*' of "/*" also closes it
  EXPECT_EQ(Stripped("SELECT 1 /* open"), "SELECT 1 ");
  EXPECT_EQ(Stripped("a/*x*/*/b"), "a*/b");
  // The removal joins '/' and '*' into a new opening, which counts.
  EXPECT_EQ(Stripped("//**/*b"), "");
  EXPECT_EQ(Stripped("//**/*x*/b"), "b");
  EXPECT_EQ(Stripped("\"/*\";"), "\"");
}

TEST(StripComments, LineCommentsGoFirstThenTabsBecomeSpaces) {
  // A "--" inside a block comment cuts the rest of its line, the "*/" included; the open
  // "/*" then cuts the rest of the statement.
  EXPECT_EQ(Stripped("/* -- */;"), "");
  EXPECT_EQ(Stripped("a/* --\r\n*/b"), "ab");
  EXPECT_EQ(Stripped("a/* --x */\r\nb"), "a");
  EXPECT_EQ(Stripped("\tSELECT\t1;\t"), " SELECT 1; ");
  EXPECT_EQ(Stripped("a--\tb\r\n\tc"), "a c");
}

}  // namespace
}  // namespace tarnwick
