// tarnwick-run --import and --compact.
#include <gtest/gtest.h>

#include <filesystem>

#include "runner/RunTarnwick.h"
#include "support/OtherProgram.h"
#include "text/FileAccess.h"

namespace tarnwick::test {
namespace {

TEST(RunnerImport, ImportLinesGoToTheTranscriptInCommandLineOrder) {
  RunnerFolder f;
  const std::string source = f.dir.File("source.mdb");
  ASSERT_EQ(RunTarnwick({"--db", source, "--new", "-c",
                         "CREATE TABLE Items (ID COUNTER Primary Key, Name CHAR);"
                         "INSERT INTO Items (Name) VALUES ('pen');"})
                .exitStatus,
            0);
  const ProcessResult result =
      f.Run({"--new", "-c", "SELECT 1;", "--import", source, "-c", "SELECT * FROM Items;"});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(result.out,
            "SELECT 1;\nExpr1000|\n--------+\n       1|\nOK\n"
            "Itemsテーブルを取込みました\nOK\n\n"
            "SELECT * FROM Items;\nID|Name|\n--+----+\n 1|pen |\nOK\n");

  // Importing again: the table exists, an error report, status 1; standard input is not read.
  const ProcessResult again = f.Run({"--import", source}, "SELECT 1;");
  EXPECT_EQ(again.exitStatus, 1);
  EXPECT_TRUE(again.out.starts_with("ERROR! ")) << again.out;
  EXPECT_TRUE(again.out.ends_with("\nOK\n\n")) << again.out;
}

TEST(RunnerCompact, CompactsTheDatabaseWhenTheRunEnds) {
  RunnerFolder f;
  ASSERT_EQ(f.Run({"--new", "-c", "CREATE TABLE t (a INTEGER, b MEMO);"}).exitStatus, 0);
  // Many rows at once, in the engine's own SQL.
  ASSERT_EQ(f.Run({"--dialect", "engine", "-c",
                   "INSERT INTO t WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                   "FROM n WHERE i < 3000) SELECT i, printf('%0500d', i) FROM n;"})
                .exitStatus,
            0);
  const std::uintmax_t full = std::filesystem::file_size(f.db);
  const ProcessResult result = f.Run({"--compact", "-c", "DELETE FROM t WHERE a > 10;"});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(result.out, "DELETE FROM t WHERE a > 10;\nOK\n\n");
  EXPECT_LT(std::filesystem::file_size(f.db), full / 10);

  // A copy that an earlier version left is deleted, in one line of the transcript.
  WriteWholeFile(f.db + ".cache", "x");
  const ProcessResult leftover = f.Run({"--compact", "-c", "SELECT 1;"});
  EXPECT_EQ(leftover.exitStatus, 0) << leftover.err;
  EXPECT_TRUE(leftover.out.ends_with("\n以前の版が残した最適化用のファイル \"" + f.db +
                                     ".cache\" を削除しました\n"))
      << leftover.out;
  EXPECT_FALSE(std::filesystem::exists(f.db + ".cache"));

  // A database in use past the busy timeout: a message and status 2, the rows all there.
  ASSERT_EQ(f.Run({"-c", "CREATE TABLE s (b MEMO); INSERT INTO s SELECT b FROM t; DROP TABLE s;"})
                .exitStatus,
            0);
  {
    const OtherProgram writer(f.db, "BEGIN IMMEDIATE; DELETE FROM t;");
    ASSERT_TRUE(writer.Ready());
    const ProcessResult blocked = f.Run({"--compact", "-c", "SELECT 1;"});
    EXPECT_EQ(blocked.exitStatus, 2);
    EXPECT_NE(blocked.err.find("はほかのプログラムが使用中のため最適化できません。"),
              std::string::npos)
        << blocked.err;
  }
  EXPECT_EQ(f.Run({"-c", "SELECT count(*) AS n FROM t;"}).out,
            "SELECT count(*) AS n FROM t;\nn |\n--+\n10|\nOK\n");
}

}  // namespace
}  // namespace tarnwick::test
