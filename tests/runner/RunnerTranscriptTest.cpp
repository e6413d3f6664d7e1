// The transcript tarnwick-run writes: the result pane's lines, in Shift-JIS or UTF-8.
#include <gtest/gtest.h>

#include "data/Cp932.h"
#include "data/Dataset.h"
#include "data/TarnwickError.h"
#include "runner/RunTarnwick.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"

namespace tarnwick::test {
namespace {

// The engine's own message for a statement, as the console reports it.
std::string EngineMessage(std::string_view sql) {
  TestDatabase db;
  Query query(db.Db());
  query.SetSql(std::string(sql));
  try {
    query.ExecSql();
  } catch (const TarnwickError& error) {
    return error.what();
  }
  ADD_FAILURE() << "expected a failure from " << sql;
  return {};
}

TEST(RunnerTranscript, ThreeStatementsWithOneFailureGiveNineShiftJisLines) {
  TempDir dir;
  const ProcessResult result =
      RunTarnwick({"--db", dir.File("t.mdb"), "--new", "--sjis", "-c",
                   "CREATE TABLE t (a INTEGER);\r\nINSERT INTO t VALUES (1);\r\nDROP TABLE x;"});
  const std::string message = EngineMessage("DROP TABLE x;");
  ASSERT_FALSE(message.empty());
  EXPECT_EQ(result.out,
            "CREATE TABLE t (a INTEGER);\r\n"
            "OK\r\n"
            "\r\n"
            "INSERT INTO t VALUES (1);\r\n"
            "OK\r\n"
            "\r\n"
            "DROP TABLE x;\r\n"
            "ERROR! " +
                message +
                "\r\n"
                "\r\n");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.exitStatus, 1);
}

TEST(RunnerTranscript, DefaultOutputIsUtf8WithLfAndShowsJapaneseGrid) {
  TempDir dir;
  const std::string script =
      "CREATE TABLE 商品 (品名 CHAR(10), 数量 INTEGER);\n"
      "INSERT INTO 商品 VALUES ('りんご', 3);\n"
      "SELECT * FROM 商品;";
  const ProcessResult utf8 = RunTarnwick({"--db", dir.File("a.mdb"), "--new", "-c", script});
  EXPECT_EQ(utf8.out,
            "CREATE TABLE 商品 (品名 CHAR(10), 数量 INTEGER);\n"
            "OK\n"
            "\n"
            "INSERT INTO 商品 VALUES ('りんご', 3);\n"
            "OK\n"
            "\n"
            "SELECT * FROM 商品;\n"
            "品名  |数量|\n"
            "------+----+\n"
            "りんご|   3|\n"
            "OK\n");
  EXPECT_EQ(utf8.exitStatus, 0);

  // The same run in the pane's own encoding: widths are Shift-JIS bytes, lines end in CR LF.
  const ProcessResult sjis =
      RunTarnwick({"--db", dir.File("a.mdb"), "--sjis", "-c", "SELECT * FROM 商品;"});
  EXPECT_EQ(sjis.out, Sjis("SELECT * FROM 商品;\r\n"
                           "品名  |数量|\r\n"
                           "------+----+\r\n"
                           "りんご|   3|\r\n"
                           "OK\r\n"));
  EXPECT_EQ(sjis.exitStatus, 0);
}

TEST(RunnerTranscript, CommandTextIsTakenAsThePaneHoldsIt) {
  TempDir dir;
  // LF becomes CR LF, so the line comment ends at the line break and SELECT runs.
  const ProcessResult comment =
      RunTarnwick({"--db", dir.File("a.mdb"), "--new", "-c", "-- コメント\nSELECT 1 AS n;"});
  EXPECT_EQ(comment.out, "-- コメント\nSELECT 1 AS n;\nn|\n-+\n1|\nOK\n");
  EXPECT_EQ(comment.exitStatus, 0);

  // Nothing is added at the end: only a line break typed after the last ';' leaves a
  // remainder, echoed as an empty line.
  const ProcessResult trailing =
      RunTarnwick({"--db", dir.File("a.mdb"), "-c", "SELECT 1 AS n;\n", "-c", "SELECT 2 AS n;"});
  EXPECT_EQ(trailing.out,
            "SELECT 1 AS n;\nn|\n-+\n1|\nOK\n"
            "\n"
            "SELECT 2 AS n;\nn|\n-+\n2|\nOK\n");

  // A character the pane cannot hold becomes '?', as typing it would, with a warning.
  const ProcessResult unspellable =
      RunTarnwick({"--db", dir.File("a.mdb"), "-c", "SELECT 'café' AS x;"});
  EXPECT_EQ(unspellable.out, "SELECT 'caf?' AS x;\nx   |\n----+\ncaf?|\nOK\n");
  EXPECT_NE(unspellable.err.find("Shift-JIS"), std::string::npos) << unspellable.err;
  EXPECT_EQ(unspellable.exitStatus, 0);
}

TEST(RunnerTranscript, CellLineBreaksAreConvertedAndLoneCarriageReturnsKept) {
  TempDir dir;
  const ProcessResult result =
      RunTarnwick({"--db", dir.File("a.mdb"), "--new", "-c",
                   "SELECT 'a' || char(13) || char(10) || 'b' AS x, 'c' || char(13) || 'd' AS y;"});
  EXPECT_EQ(result.out.find("\r\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("a\nb"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("c\rd"), std::string::npos) << result.out;
  EXPECT_EQ(result.exitStatus, 0);
}

}  // namespace
}  // namespace tarnwick::test
