// tarnwick-run --import and --compact.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/FileAccess.h"
#include "runner/RunTarnwick.h"
#include "support/TempDir.h"

namespace tarnwick::test {
namespace {

TEST(RunnerImport, ImportLinesGoToTheTranscriptInCommandLineOrder) {
  TempDir dir;
  const std::string source = dir.File("source.mdb");
  const std::string db = dir.File("a.mdb");
  ASSERT_EQ(RunTarnwick({"--db", source, "--new", "-c",
                         "CREATE TABLE Items (ID COUNTER Primary Key, Name CHAR);"
                         "INSERT INTO Items (Name) VALUES ('pen');"})
                .exitStatus,
            0);
  const ProcessResult result = RunTarnwick(
      {"--db", db, "--new", "-c", "SELECT 1;", "--import", source, "-c", "SELECT * FROM Items;"});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(result.out,
            "SELECT 1;\n1|\n-+\n1|\nOK\n"
            "Itemsテーブルを取込みました\nOK\n\n"
            "SELECT * FROM Items;\nID|Name|\n--+----+\n 1|pen |\nOK\n");
  EXPECT_FALSE(FileExists(dir.File("_TarnwickCache.udl")));

  // Importing again: the table exists, an error report, status 1; standard input is not read.
  const ProcessResult again = RunTarnwick({"--db", db, "--import", source}, "SELECT 1;");
  EXPECT_EQ(again.exitStatus, 1);
  EXPECT_TRUE(again.out.starts_with("ERROR! ")) << again.out;
  EXPECT_TRUE(again.out.ends_with("\nOK\n\n")) << again.out;
}

TEST(RunnerImport, AFileThatIsNoDatabaseOrIsMissing) {
  TempDir dir;
  const std::string db = dir.File("a.mdb");
  WriteWholeFile(dir.File("junk.mdb"), "only text");
  const ProcessResult junk = RunTarnwick({"--db", db, "--new", "--import", dir.File("junk.mdb")});
  EXPECT_EQ(junk.exitStatus, 1);
  EXPECT_EQ(junk.out, "Error! junk.mdbファイルへの接続に失敗しました\n\n\n");

  // A missing file stops the run before the database is touched.
  ASSERT_EQ(RunTarnwick({"--db", db, "-c", "CREATE TABLE t (a INTEGER);"}).exitStatus, 0);
  const ProcessResult missing =
      RunTarnwick({"--db", db, "--new", "--import", dir.File("missing.mdb")});
  EXPECT_EQ(missing.exitStatus, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_NE(missing.err.find("missing.mdb"), std::string::npos) << missing.err;
  EXPECT_EQ(RunTarnwick({"--db", db, "-c", "SELECT a FROM t;"}).exitStatus, 0);
}

TEST(RunnerCompact, CompactsTheDatabaseWhenTheRunEnds) {
  TempDir dir;
  const std::string db = dir.File("a.mdb");
  ASSERT_EQ(RunTarnwick({"--db", db, "--new", "-c",
                         "CREATE TABLE t (a INTEGER, b MEMO);"
                         "INSERT INTO t WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
                         "FROM n WHERE i < 3000) SELECT i, printf('%0500d', i) FROM n;"})
                .exitStatus,
            0);
  const std::uintmax_t full = std::filesystem::file_size(db);
  const ProcessResult result =
      RunTarnwick({"--db", db, "--compact", "-c", "DELETE FROM t WHERE a > 10;"});
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_EQ(result.out, "DELETE FROM t WHERE a > 10;\nOK\n\n");
  EXPECT_LT(std::filesystem::file_size(db), full / 10);
  EXPECT_FALSE(FileExists(db + ".cache"));
  const std::string count = RunTarnwick({"--db", db, "-c", "SELECT count(*) FROM t;"}).out;
  EXPECT_NE(count.find(" 10|\nOK\n"), std::string::npos) << count;

  // A copy that cannot be written: a message, status 2, the database unchanged.
  std::filesystem::create_directory(db + ".cache");
  WriteWholeFile(db + ".cache/inside", "x");
  const std::string before = ReadWholeFile(db);
  const ProcessResult blocked = RunTarnwick({"--db", db, "--compact", "-c", "SELECT 1;"});
  EXPECT_EQ(blocked.exitStatus, 2);
  EXPECT_TRUE(blocked.err.starts_with("tarnwick-run: ")) << blocked.err;
  EXPECT_EQ(ReadWholeFile(db), before);
}

}  // namespace
}  // namespace tarnwick::test
