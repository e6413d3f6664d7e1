// The transcript tarnwick-run writes: the result pane's lines, in UTF-8 or Shift-JIS.
#include <gtest/gtest.h>

#include "data/Cp932.h"
#include "runner/RunTarnwick.h"

namespace tarnwick::test {
namespace {

TEST(RunnerTranscript, DefaultOutputIsUtf8WithLfAndSjisKeepsThePaneBytesOfGridsAndErrors) {
  RunnerFolder f;
  const ProcessResult utf8 = f.Run({"--new", "-c",
                                    "CREATE TABLE 商品 (品名 CHAR(10), 数量 INTEGER);\n"
                                    "INSERT INTO 商品 VALUES ('りんご', 3);\n"
                                    "SELECT * FROM 商品;"});
  EXPECT_EQ(utf8.out,
            "CREATE TABLE 商品 (品名 CHAR(10), 数量 INTEGER);\nOK\n\n"
            "INSERT INTO 商品 VALUES ('りんご', 3);\nOK\n\n"
            "SELECT * FROM 商品;\n品名  |数量|\n------+----+\nりんご|   3|\nOK\n");
  EXPECT_EQ(utf8.exitStatus, 0);

  // The same grid in the pane's own encoding: widths are Shift-JIS bytes, lines end in CR LF;
  // a failure is the engine's message, and the status 1.
  const ProcessResult sjis = f.Run({"--sjis", "-c", "SELECT * FROM 商品;DROP TABLE x;"});
  EXPECT_EQ(sjis.out,
            Sjis("SELECT * FROM 商品;\r\n品名  |数量|\r\n------+----+\r\n"
                 "りんご|   3|\r\nOK\r\nDROP TABLE x;\r\nERROR! no such table: x\r\n\r\n"));
  EXPECT_EQ(sjis.exitStatus, 1);

  // In UTF-8 a cell's CR LF becomes LF; a lone CR is kept.
  const ProcessResult cells =
      f.Run({"-c", "SELECT 'a' || char(13) || char(10) || 'b' AS x, 'c' || char(13) || 'd' AS y;"});
  EXPECT_EQ(cells.out.find("\r\n"), std::string::npos) << cells.out;
  EXPECT_NE(cells.out.find("a\nb"), std::string::npos) << cells.out;
  EXPECT_NE(cells.out.find("c\rd"), std::string::npos) << cells.out;
}

TEST(RunnerTranscript, CommandTextIsTakenAsThePaneHoldsIt) {
  RunnerFolder f;
  // LF becomes CR LF, so the line comment ends at the line break and SELECT runs.
  const ProcessResult comment = f.Run({"--new", "-c", "-- コメント\nSELECT 1 AS n;"});
  EXPECT_EQ(comment.out, "-- コメント\nSELECT 1 AS n;\nn|\n-+\n1|\nOK\n");
  EXPECT_EQ(comment.exitStatus, 0);

  // Nothing is added at the end: only a line break typed after the last ';' leaves a
  // remainder, echoed as an empty line.
  const ProcessResult trailing = f.Run({"-c", "SELECT 1 AS n;\n", "-c", "SELECT 2 AS n;"});
  EXPECT_EQ(trailing.out,
            "SELECT 1 AS n;\nn|\n-+\n1|\nOK\n"
            "\n"
            "SELECT 2 AS n;\nn|\n-+\n2|\nOK\n");

  // A character the pane cannot hold becomes '?', as typing it would, with a warning.
  const ProcessResult unspellable = f.Run({"-c", "SELECT 'café' AS x;"});
  EXPECT_EQ(unspellable.out, "SELECT 'caf?' AS x;\nx   |\n----+\ncaf?|\nOK\n");
  EXPECT_NE(unspellable.err.find("Shift-JIS"), std::string::npos) << unspellable.err;
  EXPECT_EQ(unspellable.exitStatus, 0);
}

}  // namespace
}  // namespace tarnwick::test
