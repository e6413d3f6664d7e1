// tarnwick-run's exit status: 0 all succeeded, 1 a statement failed, 2 it could not run.
#include <gtest/gtest.h>

#include <utility>

#include "runner/RunTarnwick.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"

namespace tarnwick::test {
namespace {

TEST(RunnerExitStatus, FollowsTheOutcomeOfTheStatements) {
  RunnerFolder f;
  EXPECT_EQ(f.Run({"--new", "-c", "CREATE TABLE t (a INTEGER);"}).exitStatus, 0);
  EXPECT_EQ(f.Run({"-c", "INSERT INTO nowhere VALUES (1); SELECT 1;"}).exitStatus, 1);
  // A failing query in an earlier input is not forgotten by a later good one.
  EXPECT_EQ(f.Run({"-c", "SELECT b FROM t;", "-c", "SELECT 1;"}).exitStatus, 1);
}

// A transaction the scripts left open is rolled back, never committed silently, and the run
// says so on standard error and ends with status 1.
TEST(RunnerExitStatus, OneWhenATransactionIsLeftOpen) {
  RunnerFolder f;
  const ProcessResult open = f.Run(
      {"--new", "-c", "CREATE TABLE t (a INTEGER); BEGIN TRANSACTION; INSERT INTO t VALUES (1);"});
  EXPECT_EQ(open.exitStatus, 1);
  EXPECT_TRUE(open.out.ends_with("INSERT INTO t VALUES (1);\nOK\n\n")) << open.out;
  EXPECT_EQ(
      open.err,
      "tarnwick-run: 確定していないトランザクションを取り消しました (ROLLBACK)。\nヒント: 変更"
      "を残すときは、スクリプトの最後に COMMIT を書きます。\n");
  const ProcessResult after =
      f.Run({"-c", "BEGIN; INSERT INTO t VALUES (2); COMMIT; SELECT count(*) AS n FROM t;"});
  EXPECT_EQ(after.exitStatus, 0) << after.err;
  EXPECT_TRUE(after.out.ends_with("n|\n-+\n1|\nOK\n")) << after.out;
}

TEST(RunnerExitStatus, TwoWhenTheRunCannotBeginAndNothingIsWritten) {
  RunnerFolder f;
  ASSERT_EQ(f.Run({"--new", "-c", "CREATE TABLE t (a INTEGER);"}).exitStatus, 0);
  WriteWholeFile(f.dir.File("x.mdb"), "this is not a database\n");
  const std::string missing = f.dir.File("missing.sql");
  const std::string absent = f.dir.File("absent.mdb");
  const std::string clash = f.dir.File("clash.udl");
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      // Every script is read, and every database to import found, before the database is
      // touched: neither --new nor the -c before the missing file runs.
      {{"--db", f.db, "--new", "-c", "DROP TABLE t;", missing}, missing},
      {{"--db", f.db, "--new", "--import", f.dir.File("missing.mdb")}, "missing.mdb"},
      {{"--db", f.dir.File("x.mdb"), "-c", "SELECT 1;"}, "tarnwick-run: "},
      // A missing database is not created without --new, and the message says how.
      {{"--db", absent, "-c", "SELECT 1;"}, "--new"},
      {{"--db", f.dir.File("no/such/folder/a.mdb"), "--new", "-c", "SELECT 1;"}, "tarnwick-run: "},
      // A name that Shift-JIS cannot spell would reach another file.
      {{"--db", f.dir.File("café.mdb"), "--new", "-c", "SELECT 1;"}, "Shift-JIS"},
      // A database named like a descriptor would be overwritten by it.
      {{"--db", clash, "--new", "-c", "SELECT 1;"}, "を置き換えてしまいます。"},
  };
  for (const auto& [arguments, message] : cases) {
    SCOPED_TRACE(arguments.size() > 1 ? arguments[1] : arguments[0]);
    const ProcessResult result = RunTarnwick(arguments);
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
  }
  EXPECT_FALSE(FileExists(absent));
  EXPECT_FALSE(FileExists(clash));
  EXPECT_FALSE(FileExists(Sjis("caf?.mdb")));
  EXPECT_FALSE(FileExists(f.dir.File("caf?.mdb")));
  EXPECT_EQ(f.Run({"-c", "SELECT a FROM t;"}).exitStatus, 0);
}

}  // namespace
}  // namespace tarnwick::test
