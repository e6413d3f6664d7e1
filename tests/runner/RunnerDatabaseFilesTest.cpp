// The files tarnwick-run leaves: the database, its descriptor beside it, nothing else.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>

#include "data/Connection.h"
#include "data/DatabaseFiles.h"
#include "data/FileAccess.h"
#include "data/TemplateDatabase.h"
#include "data/Udl.h"
#include "runner/RunTarnwick.h"
#include "support/TempDir.h"

namespace tarnwick::test {
namespace {

std::vector<std::string> FileNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(RunnerDatabaseFiles, NewReplacesAnExistingDatabase) {
  TempDir dir;
  const std::string db = dir.File("a.mdb");
  ASSERT_EQ(RunTarnwick({"--db", db, "--new", "-c",
                         "CREATE TABLE t (a INTEGER); INSERT INTO t VALUES (1);"})
                .exitStatus,
            0);
  ASSERT_EQ(RunTarnwick({"--db", db, "-c", "SELECT a FROM t;"}).out,
            "SELECT a FROM t;\na|\n-+\n1|\nOK\n");
  const ProcessResult renewed = RunTarnwick({"--db", db, "--new", "-c", "SELECT a FROM t;"});
  EXPECT_EQ(renewed.exitStatus, 1);
  EXPECT_EQ(renewed.out.find("a|"), std::string::npos) << renewed.out;
}

TEST(RunnerDatabaseFiles, RecreateDatabaseWritesTheTemplateAndDescriptor) {
  TempDir dir;
  const DatabaseNames names = DeriveDatabaseNames(dir.File("b.mdb"));
  WriteWholeFile(names.DatabasePath(), std::string(200000, 'x'));
  WriteWholeFile(names.DescriptorPath(), "old descriptor");
  Connection connection;
  RecreateDatabase(connection, names);
  EXPECT_EQ(ReadWholeFile(names.DatabasePath()), TemplateDatabase());
  EXPECT_EQ(ReadUdlProvider(names.DescriptorPath()), kJetProvider);
  EXPECT_EQ(ReadUdlDataSource(names.DescriptorPath()), names.DatabasePath());
  EXPECT_EQ(connection.ConnectionString(), "FILE NAME=" + dir.File("b.udl"));
  EXPECT_FALSE(connection.Connected());
  connection.Open();
  EXPECT_TRUE(connection.TableNames().empty());
}

TEST(RunnerDatabaseFiles, NewIgnoresALogLeftBehindByTheOldDatabase) {
  TempDir dir;
  const std::string db = dir.File("c.mdb");
  ASSERT_EQ(RunTarnwick({"--db", db, "--new", "-c", "SELECT 1;"}).exitStatus, 0);
  // Leave a write-ahead log with a committed table beside the file, as a crash would.
  sqlite3* handle = nullptr;
  ASSERT_EQ(sqlite3_open(db.c_str(), &handle), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(handle,
                         "PRAGMA journal_mode=WAL; PRAGMA wal_autocheckpoint=0;"
                         "CREATE TABLE t (a INTEGER); INSERT INTO t VALUES (42);",
                         nullptr, nullptr, nullptr),
            SQLITE_OK)
      << sqlite3_errmsg(handle);
  const std::string log = ReadWholeFile(db + "-wal");
  ASSERT_FALSE(log.empty());
  sqlite3_close(handle);
  WriteWholeFile(db + "-wal", log);

  const ProcessResult result = RunTarnwick({"--db", db, "--new", "-c", "SELECT a FROM t;"});
  EXPECT_EQ(result.out.find("42"), std::string::npos) << result.out;
  EXPECT_EQ(result.exitStatus, 1);
}

TEST(RunnerDatabaseFiles, DescriptorLiesBesideTheDatabaseAndNothingElseIsLeft) {
  TempDir dir;
  std::filesystem::create_directory(dir.Path() / "sub");
  const std::string db = dir.File("sub/d.mdb");
  ASSERT_EQ(RunTarnwick({"--db", db, "--new", "-c",
                         "CREATE TABLE t (a INTEGER); INSERT INTO t VALUES (1);"})
                .exitStatus,
            0);
  EXPECT_EQ(ReadUdlDataSource(dir.File("sub/d.udl")), db);
  EXPECT_EQ(FileNames(dir.Path() / "sub"), (std::vector<std::string>{"d.mdb", "d.udl"}));

  // A name without a folder: both files in the working folder, the descriptor naming the
  // database as given.
  ASSERT_EQ(RunTarnwick({"--db", "E.MDB", "--new", "-c", "SELECT 1;"}, {}, dir.Path()).exitStatus,
            0);
  EXPECT_EQ(ReadUdlDataSource(dir.File("E.udl")), "E.MDB");
  EXPECT_EQ(FileNames(dir.Path()), (std::vector<std::string>{"E.MDB", "E.udl", "sub"}));
}

TEST(RunnerDatabaseFiles, OtherFileNamesGetADescriptorOfTheirOwn) {
  TempDir dir;
  ASSERT_EQ(RunTarnwick({"--db", dir.File("data.db"), "--new", "-c", "SELECT 1;"}).exitStatus, 0);
  EXPECT_EQ(ReadUdlDataSource(dir.File("data.udl")), dir.File("data.db"));

  // A database named like a descriptor would be overwritten by it: refused, nothing written.
  const std::string clash = dir.File("clash.udl");
  const ProcessResult refused = RunTarnwick({"--db", clash, "--new", "-c", "SELECT 1;"});
  EXPECT_EQ(refused.exitStatus, 2);
  EXPECT_FALSE(FileExists(clash));
}

}  // namespace
}  // namespace tarnwick::test
