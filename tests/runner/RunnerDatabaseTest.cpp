// The database tarnwick-run uses and the files it leaves: the database named by --db with
// its descriptor beside it and nothing else, or without --db the one the window would choose
// at start-up from the settings beside the program. The database choice tests run their own
// copy of the program, so that the settings file and the default database beside it belong to
// that test alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <utility>

#include "data/Udl.h"
#include "files/DatabaseNames.h"
#include "runner/RunTarnwick.h"
#include "text/FileAccess.h"

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

// A ';' in the database's name, from --db or from the settings, names that very file and no
// other; --new replaces a file that is no database only when --db named it.
TEST(RunnerDatabaseChoice, NoNameReachesAnotherFileAndNoForeignFileIsLost) {
  CopiedRunner r;
  const std::string semi = r.work + "/semi";
  ASSERT_EQ(
      RunTarnwick({"--db", semi, "--new", "-c", "CREATE TABLE victim (a INTEGER);"}).exitStatus, 0);
  const ProcessResult named =
      RunTarnwick({"--db", semi + ";colon.mdb", "-c", "DROP TABLE victim;"});
  EXPECT_EQ(named.exitStatus, 2);
  EXPECT_FALSE(FileExists(semi + ";colon.mdb"));

  r.WriteSettings("[SYSTEM]\nSAVEPATH=" + r.work + "\nMDBFILE=semi;x.mdb\nUDLFILE=semi;x.udl\n");
  EXPECT_EQ(r.Run("DROP TABLE victim;").exitStatus, 1);
  EXPECT_TRUE(FileExists(semi + ";x.mdb"));
  EXPECT_EQ(ReadUdlDataSource(r.work + "/semi;x.udl"), semi + ";x.mdb");
  EXPECT_EQ(RunTarnwick({"--db", semi, "-c", "SELECT a FROM victim;"}).exitStatus, 0);

  WriteWholeFile(r.work + "/notes.mdb", "a learner's notes");
  r.WriteSettings("[SYSTEM]\nSAVEPATH=" + r.work + "\nMDBFILE=notes.mdb\n");
  const ProcessResult refused = r.Run("SELECT 1;", true);
  EXPECT_EQ(refused.exitStatus, 2);
  EXPECT_NE(refused.err.find("はデータベースではないため、置き換えません。"), std::string::npos)
      << refused.err;
  EXPECT_EQ(ReadWholeFile(r.work + "/notes.mdb"), "a learner's notes");
  EXPECT_EQ(RunTarnwick({"--db", r.work + "/notes.mdb", "--new", "-c", "SELECT 1;"}).exitStatus, 0);
}

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

std::vector<std::string> FileNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(RunnerDatabaseFiles, NewReplacesTheDatabaseAndOnlyItAndItsDescriptorAreLeft) {
  TempDir dir;
  std::filesystem::create_directory(dir.Path() / "sub");
  const std::string db = dir.File("sub/d.mdb");
  ASSERT_EQ(RunTarnwick({"--db", db, "--new", "-c",
                         "CREATE TABLE t (a INTEGER); INSERT INTO t VALUES (1);"})
                .exitStatus,
            0);
  EXPECT_EQ(RunTarnwick({"--db", db, "-c", "SELECT a FROM t;"}).out,
            "SELECT a FROM t;\na|\n-+\n1|\nOK\n");
  const ProcessResult renewed = RunTarnwick({"--db", db, "--new", "-c", "SELECT a FROM t;"});
  EXPECT_EQ(renewed.exitStatus, 1);
  EXPECT_EQ(renewed.out.find("a|"), std::string::npos) << renewed.out;
  EXPECT_EQ(ReadUdlDataSource(dir.File("sub/d.udl")), db);
  EXPECT_EQ(FileNames(dir.Path() / "sub"), (std::vector<std::string>{"d.mdb", "d.udl"}));

  // A name without a folder: both files in the working folder, the descriptor naming the
  // database as given. Any other extension is replaced for the descriptor as well.
  ASSERT_EQ(RunTarnwick({"--db", "E.MDB", "--new", "-c", "SELECT 1;"}, {}, dir.Path()).exitStatus,
            0);
  ASSERT_EQ(RunTarnwick({"--db", dir.File("data.db"), "--new", "-c", "SELECT 1;"}).exitStatus, 0);
  EXPECT_EQ(ReadUdlDataSource(dir.File("E.udl")), "E.MDB");
  EXPECT_EQ(ReadUdlDataSource(dir.File("data.udl")), dir.File("data.db"));
  EXPECT_EQ(FileNames(dir.Path()),
            (std::vector<std::string>{"E.MDB", "E.udl", "data.db", "data.udl", "sub"}));
}

// The runs above show the names of ordinary paths at work; these are the edge cases.
TEST(DatabaseNames, OnlyTheFileNamePartCountsAndItsExtensionIsReplaced) {
  for (const char* path : {"a.mdb", "a.Mdb", "/x/y.z/A.MDB"}) {
    EXPECT_TRUE(HasDatabaseExtension(path)) << path;
  }
  for (const char* path : {"a.mdbx", "a", "dir.mdb/a", ""}) {
    EXPECT_FALSE(HasDatabaseExtension(path)) << path;
  }
  // The path, then the folder, the file name and the descriptor name joined by '|'.
  const std::pair<std::string, std::string> cases[] = {
      {"/home/u/db/Shop.MDB", "/home/u/db/|Shop.MDB|Shop.udl"},
      {"ab", "|ab|ab.udl"},
      {"x.y/plain", "x.y/|plain|plain.udl"},
  };
  for (const auto& [path, parts] : cases) {
    const DatabaseNames names = DeriveDatabaseNames(path);
    EXPECT_EQ(names.DbDir + "|" + names.MdbName + "|" + names.UdlName, parts);
  }
}

}  // namespace
}  // namespace tarnwick::test
