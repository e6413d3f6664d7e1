// tarnwick-run's exit status: 0 all succeeded, 1 a statement failed, 2 it could not run.
#include <gtest/gtest.h>

#include "data/Cp932.h"
#include "data/FileAccess.h"
#include "runner/RunTarnwick.h"
#include "support/TempDir.h"

namespace tarnwick::test {
namespace {

bool Mentions(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(RunnerExitStatus, FollowsTheOutcomeOfTheStatements) {
  TempDir dir;
  const std::string db = dir.File("a.mdb");
  EXPECT_EQ(RunTarnwick({"--db", db, "--new", "-c", "CREATE TABLE t (a INTEGER);"}).exitStatus, 0);
  EXPECT_EQ(
      RunTarnwick({"--db", db, "-c", "SELECT a FROM t; INSERT INTO t VALUES (1);"}).exitStatus, 0);
  // A failing statement among good ones, and a failing query, both count.
  EXPECT_EQ(RunTarnwick({"--db", db, "-c", "INSERT INTO nowhere VALUES (1); SELECT 1;"}).exitStatus,
            1);
  EXPECT_EQ(RunTarnwick({"--db", db, "-c", "SELECT b FROM t;"}).exitStatus, 1);
  // A failure in an earlier input is not forgotten by a later good one.
  EXPECT_EQ(RunTarnwick({"--db", db, "-c", "SELECT b FROM t;", "-c", "SELECT 1;"}).exitStatus, 1);
}

TEST(RunnerExitStatus, UnreadableScriptStopsBeforeTheDatabaseIsTouched) {
  TempDir dir;
  const std::string db = dir.File("a.mdb");
  ASSERT_EQ(RunTarnwick({"--db", db, "--new", "-c", "CREATE TABLE t (a INTEGER);"}).exitStatus, 0);
  const std::string missing = dir.File("missing.sql");
  const ProcessResult result = RunTarnwick({"--db", db, "--new", "-c", "DROP TABLE t;", missing});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_TRUE(Mentions(result.err, missing)) << result.err;
  // Neither --new nor the -c before the missing file ran: the table is still there.
  EXPECT_EQ(RunTarnwick({"--db", db, "-c", "SELECT a FROM t;"}).exitStatus, 0);
}

TEST(RunnerExitStatus, DatabaseThatCannotBeOpenedGivesTwo) {
  TempDir dir;
  const std::string text = dir.File("x.mdb");
  WriteWholeFile(text, "this is not a database\n");
  const ProcessResult notDatabase = RunTarnwick({"--db", text, "-c", "SELECT 1;"});
  EXPECT_EQ(notDatabase.exitStatus, 2);
  EXPECT_EQ(notDatabase.out, "");
  EXPECT_TRUE(Mentions(notDatabase.err, "tarnwick-run: ")) << notDatabase.err;

  // A missing database is not created without --new, and the message says how.
  const std::string absent = dir.File("absent.mdb");
  const ProcessResult missing = RunTarnwick({"--db", absent, "-c", "SELECT 1;"});
  EXPECT_EQ(missing.exitStatus, 2);
  EXPECT_TRUE(Mentions(missing.err, "--new")) << missing.err;
  EXPECT_FALSE(FileExists(absent));

  // A folder that cannot hold the descriptor.
  const ProcessResult noFolder =
      RunTarnwick({"--db", dir.File("no/such/folder/a.mdb"), "--new", "-c", "SELECT 1;"});
  EXPECT_EQ(noFolder.exitStatus, 2);
  EXPECT_NE(noFolder.err, "");

  // A name that Shift-JIS cannot spell would reach another file: refused, nothing written.
  const ProcessResult unspellable =
      RunTarnwick({"--db", dir.File("café.mdb"), "--new", "-c", "SELECT 1;"});
  EXPECT_EQ(unspellable.exitStatus, 2);
  EXPECT_TRUE(Mentions(unspellable.err, "Shift-JIS")) << unspellable.err;
  EXPECT_FALSE(FileExists(Sjis("caf?.mdb")));
  EXPECT_FALSE(FileExists(dir.File("caf?.mdb")));
}

TEST(RunnerExitStatus, BadCommandLineShowsUsageAndGivesTwo) {
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--bogus"}, {"-c"}, {"--db"}, {"--db", "", "-c", "SELECT 1;"}}) {
    const ProcessResult result = RunTarnwick(arguments);
    EXPECT_EQ(result.exitStatus, 2) << arguments[0];
    EXPECT_TRUE(Mentions(result.err, "usage: tarnwick-run")) << result.err;
    EXPECT_EQ(result.out, "");
  }
  const ProcessResult help = RunTarnwick({"--help"});
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_TRUE(Mentions(help.out, "usage: tarnwick-run"));
}

}  // namespace
}  // namespace tarnwick::test
