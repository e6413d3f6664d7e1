// tarnwick-run without --db: the database the window would choose at start-up, from the
// settings beside the program. Each test runs its own copy of the program, so that the
// settings file and the default database beside it belong to that test alone.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/FileAccess.h"
#include "data/Udl.h"
#include "runner/RunTarnwick.h"

namespace tarnwick::test {
namespace {

struct CopiedRunner {
  TempDir dir;
  std::string bin = dir.File("bin");
  std::string work = dir.File("work");

  CopiedRunner() {
    std::filesystem::create_directory(bin);
    std::filesystem::create_directory(work);
    std::filesystem::copy_file(TARNWICK_RUN_PATH, bin + "/tarnwick-run");
  }
  void WriteSettings(const std::string& utf8Text) const {
    WriteWholeFile(bin + "/Tarnwick.ini", utf8Text);
  }
  ProcessResult Run(std::string sql, bool recreate = false) const {
    std::vector<std::string> arguments = {bin + "/tarnwick-run", "-c", std::move(sql)};
    if (recreate) arguments.push_back("--new");
    return RunProcess(arguments, {}, work);
  }
};

TEST(RunnerDatabaseChoice, WithoutSettingsTheDatabaseLiesBesideTheProgram) {
  CopiedRunner runner;
  const ProcessResult first = runner.Run("CREATE TABLE t (a INTEGER);");
  EXPECT_EQ(first.exitStatus, 0) << first.err;
  EXPECT_EQ(first.out, "CREATE TABLE t (a INTEGER);\nOK\n\n");  // no connect line
  EXPECT_EQ(ReadUdlDataSource(runner.bin + "/default.udl"), runner.bin + "/default.mdb");
  EXPECT_TRUE(std::filesystem::is_empty(runner.work));

  // The next run finds the same database; --new replaces it by the empty template.
  const ProcessResult second = runner.Run("SELECT a FROM t;");
  EXPECT_EQ(second.exitStatus, 0) << second.err;
  EXPECT_EQ(second.out, "SELECT a FROM t;\na|\n-+\nOK\n");
  EXPECT_EQ(runner.Run("SELECT a FROM t;", true).exitStatus, 1);
}

TEST(RunnerDatabaseChoice, TheSettingsNameTheDatabase) {
  CopiedRunner runner;
  std::filesystem::create_directory(runner.dir.File("data"));
  runner.WriteSettings("[SYSTEM]\nSAVEPATH=" + runner.dir.File("data") +
                       "\nMDBFILE=shop.mdb\nUDLFILE=shop.udl\n");
  EXPECT_EQ(runner.Run("SELECT 1;").exitStatus, 0);
  EXPECT_TRUE(FileExists(runner.dir.File("data/shop.mdb")));
  EXPECT_EQ(ReadUdlDataSource(runner.dir.File("data/shop.udl")), runner.dir.File("data/shop.mdb"));

  // A folder that does not exist: the template cannot be written.
  runner.WriteSettings("[SYSTEM]\nSAVEPATH=" + runner.dir.File("missing/folder") + "\n");
  const ProcessResult unwritable = runner.Run("SELECT 1;");
  EXPECT_EQ(unwritable.exitStatus, 2);
  EXPECT_NE(unwritable.err.find("を作成できません"), std::string::npos) << unwritable.err;
}

TEST(RunnerDatabaseChoice, AFailedConnectionIsAMessageAndStatusTwo) {
  CopiedRunner runner;
  // The database exists, but its descriptor is for another provider: kept, and unusable.
  ASSERT_EQ(runner.Run("SELECT 1;").exitStatus, 0);
  const std::string other = "\xFF\xFE" + std::string("P\0r\0o\0v\0i\0d\0e\0r\0=\0X\0;\0", 22);
  WriteWholeFile(runner.bin + "/default.udl", other);
  const ProcessResult result = runner.Run("SELECT 1;");
  EXPECT_EQ(result.exitStatus, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_TRUE(result.err.starts_with("tarnwick-run: ")) << result.err;
  EXPECT_NE(result.err.find("\"X\""), std::string::npos) << result.err;
  EXPECT_EQ(ReadWholeFile(runner.bin + "/default.udl"), other);
}

}  // namespace
}  // namespace tarnwick::test
