// The files tarnwick-run leaves: the database, its descriptor beside it, nothing else.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "data/Udl.h"
#include "runner/RunTarnwick.h"

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

}  // namespace
}  // namespace tarnwick::test
