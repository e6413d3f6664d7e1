// tarnwick-run --sample FILE: a fresh copy of the sample database (found beside the program, as
// its other shared files are) becomes the database; a learner's earlier copy is replaced in
// place, anything that is not a database of ours never. --help names the help document.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <utility>

#include "runner/RunTarnwick.h"
#include "support/OtherProgram.h"
#include "text/FileAccess.h"

namespace tarnwick::test {
namespace {

const std::filesystem::path kBuiltSample =
    std::filesystem::path(TARNWICK_RUN_PATH).parent_path() / "tarnwick-sample.mdb";

// The console's list of a database's tables.
std::string Catalogue(const std::string& database) {
  return RunTarnwick({"--db", database, "-c", "?"}).out;
}

// What the console shows of a database: its tables and the rows of one of them.
std::string Contents(const std::string& database) {
  return Catalogue(database) +
         RunTarnwick({"--db", database, "-c", "SELECT Count(*) AS n FROM 受注明細;"}).out;
}

TEST(RunnerSample, WritesAFreshCopyAndRunsTheInputsOnIt) {
  RunnerFolder f;
  const ProcessResult written = RunTarnwick({"--sample", f.db});
  EXPECT_EQ(written.exitStatus, 0) << written.err;
  EXPECT_EQ(written.out, "");
  ASSERT_TRUE(FileExists(f.db));
  const std::string original = f.dir.File("original.mdb");
  std::filesystem::copy_file(kBuiltSample, original);
  EXPECT_EQ(Contents(f.db), Contents(original));
  EXPECT_NE(Catalogue(f.db).find("受注明細"), std::string::npos);

  // With statements, they run on the copy; the learner's changes go when a fresh copy comes.
  const ProcessResult changed =
      RunTarnwick({"--sample", f.db, "-c", "DELETE FROM 受注明細;", "-c", "DROP TABLE 受注明細;"});
  EXPECT_EQ(changed.exitStatus, 0) << changed.out << changed.err;
  EXPECT_EQ(Catalogue(f.db).find("受注明細"), std::string::npos);
  EXPECT_EQ(RunTarnwick({"--sample=" + f.db}).exitStatus, 0);
  EXPECT_EQ(Contents(f.db), Contents(original));
}

// Another program that has the old copy open goes on with the new one: the copy is replaced
// through the engine, not by a new file under the same name.
TEST(RunnerSample, AnotherProgramOnTheCopySeesTheFreshCopy) {
  RunnerFolder f;
  ASSERT_EQ(RunTarnwick({"--sample", f.db, "-c", "DELETE FROM 受注明細;"}).exitStatus, 0);
  sqlite3* other = nullptr;
  ASSERT_EQ(sqlite3_open_v2(f.db.c_str(), &other, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
  const auto count = [other] {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(other, "SELECT count(*) FROM 受注明細", -1, &statement, nullptr);
    const int rows = sqlite3_step(statement) == SQLITE_ROW ? sqlite3_column_int(statement, 0) : -1;
    sqlite3_finalize(statement);
    return rows;
  };
  EXPECT_EQ(count(), 0);
  EXPECT_EQ(RunTarnwick({"--sample", f.db}).exitStatus, 0);
  EXPECT_GT(count(), 0);
  sqlite3_close_v2(other);
}

TEST(RunnerSample, NeverReplacesWhatIsNoDatabaseOfOurs) {
  RunnerFolder f;
  std::string jetHeader("\x00\x01\x00\x00Standard Jet DB\x00\x01", 21);
  jetHeader.resize(4096, '\0');
  const std::pair<const char*, std::string> files[] = {
      {"notes.mdb", "買い物メモ: 牛乳、卵\n"},
      {"access.mdb", jetHeader},
  };
  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    const std::string path = f.dir.File(name);
    WriteWholeFile(path, bytes);
    const ProcessResult result = RunTarnwick({"--sample", path, "-c", "SELECT 1 AS a;"});
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find(name), std::string::npos) << result.err;
    EXPECT_EQ(ReadWholeFile(path), bytes);
  }
}

TEST(RunnerSample, WaitsForAnotherProgramsWriteThenRefusesAndLeavesItsDatabase) {
  RunnerFolder f;
  ASSERT_EQ(RunTarnwick({"--sample", f.db, "-c", "DELETE FROM 受注明細;"}).exitStatus, 0);
  const OtherProgram writer(f.db, "BEGIN IMMEDIATE; DELETE FROM 分類 WHERE 0;");
  ASSERT_TRUE(writer.Ready());
  const ProcessResult result = RunTarnwick({"--sample", f.db});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_NE(result.err.find("使用中"), std::string::npos) << result.err;
  EXPECT_NE(Contents(f.db).find("n|\n-+\n0|"), std::string::npos);
}

TEST(RunnerSample, AProgramWithoutTheSampleSaysSo) {
  TempDir dir;
  const std::string runner = dir.File("tarnwick-run");
  std::filesystem::copy_file(TARNWICK_RUN_PATH, runner);
  const ProcessResult result = RunProcess({runner, "--sample", dir.File("a.mdb")});
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_NE(result.err.find("サンプルデータベース"), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("tarnwick-sample.mdb"), std::string::npos) << result.err;
  EXPECT_FALSE(FileExists(dir.File("a.mdb")));
}

TEST(RunnerSample, HelpNamesTheHelpDocumentWhereTheProgramFindsIt) {
  const ProcessResult result = RunTarnwick({"--help"});
  EXPECT_EQ(result.exitStatus, 0);
  const std::string expected =
      (std::filesystem::path(TARNWICK_RUN_PATH).parent_path() / "tarnwick-help.html").string();
  EXPECT_NE(result.out.find("ヘルプ"), std::string::npos);
  EXPECT_NE(result.out.find(expected + "\n"), std::string::npos) << result.out;
}

}  // namespace
}  // namespace tarnwick::test
