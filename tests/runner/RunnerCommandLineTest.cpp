// tarnwick-run's command line: --help and --version before anything else, both spellings of
// an option's value, and a wrong option told in one line.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

#include "runner/RunTarnwick.h"
#include "support/TestDatabase.h"
#include "text/FileAccess.h"

namespace tarnwick::test {
namespace {

TEST(RunnerCommandLine, HelpAndVersionAnswerWithoutTouchingTheDatabase) {
  RunnerFolder f;
  const std::pair<const char*, std::string> cases[] = {
      {"--help", "使い方: tarnwick-run [--db FILE]"},
      {"-h", "使い方: tarnwick-run [--db FILE]"},
      {"--version",
       "tarnwick-run（Tarnwick 学習用SQLコンソール）バージョン " TARNWICK_PROJECT_VERSION
       "\nCopyright (C) The Tarnwick developers. All rights reserved.\n"},
  };
  for (const auto& [option, start] : cases) {
    SCOPED_TRACE(option);
    // The options around it would create the database and a table.
    const ProcessResult result = f.Run({"--new", "-c", "CREATE TABLE t (a INTEGER);", option});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_TRUE(result.out.starts_with(start)) << result.out;
    EXPECT_EQ(result.err, "");
    EXPECT_FALSE(FileExists(f.db));
  }
}

TEST(RunnerCommandLine, ValuesFollowTheOptionOrAnEqualsSign) {
  RunnerFolder f;
  const ProcessResult created =
      RunTarnwick({"--db=" + f.db, "--new", "-c", "CREATE TABLE t (a INTEGER);"});
  EXPECT_EQ(created.exitStatus, 0) << created.err;
  EXPECT_TRUE(FileExists(f.db));

  MakeDatabaseWith(f.dir.File("other.mdb"),
                   {"CREATE TABLE other (a INTEGER)", "INSERT INTO other VALUES (1)"});
  const ProcessResult imported = RunTarnwick({"--db", f.db, "--import=" + f.dir.File("other.mdb"),
                                              "-c", "SELECT COUNT(*) AS n FROM other;"});
  EXPECT_EQ(imported.exitStatus, 0) << imported.out << imported.err;
  EXPECT_NE(imported.out.find("n|\n-+\n1|\nOK"), std::string::npos) << imported.out;
}

TEST(RunnerCommandLine, AWrongOptionIsNamedInOneLineThatPointsToHelp) {
  RunnerFolder f;
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--bogus"}, "--bogus"},
      {{"-x", "-c", "SELECT 1;"}, "-x"},
      {{"--bogus=1"}, "--bogus "},
      {{"--new=yes"}, "--new"},
      {{"-c"}, "-c"},
      {{"--db"}, "--db"},
      {{"--db="}, "--db"},
      {{"--db", "", "-c", "SELECT 1;"}, "--db"},
      {{"--timeout", "0", "-c", "SELECT 1;"}, "--timeout には 0 より大きい秒数"},
      {{"--timeout=5s", "-c", "SELECT 1;"}, "（5s）"},
      {{"--timeout"}, "--timeout"},
      {{"--sample"}, "--sample"},
      {{"--sample="}, "--sample"},
      {{"--sample", "a.mdb", "--db", "b.mdb"}, "--sample と --db"},
      {{"--new", "--sample", "a.mdb"}, "--sample と --new"},
  };
  for (const auto& [arguments, named] : cases) {
    SCOPED_TRACE(arguments[0]);
    const ProcessResult result = RunTarnwick(arguments);
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_TRUE(result.err.starts_with("tarnwick-run: ")) << result.err;
    EXPECT_NE(result.err.find(named), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("tarnwick-run --help"), std::string::npos) << result.err;
  }
}

}  // namespace
}  // namespace tarnwick::test
