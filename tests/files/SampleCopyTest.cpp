// The sample database's copy: the shipped sample is only read. An installed sample lies in a
// folder its users cannot write, so reading it must not need the files that the engine's log
// mode keeps beside a database.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "files/DatabaseFiles.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"
#include "text/FileAccess.h"

namespace tarnwick {
namespace {

TEST(SampleCopy, TheSampleIsReadWithoutAnythingWrittenBesideIt) {
  test::TempDir dir;
  // A sample as the build makes it: a database of ours, left in the engine's log mode.
  const std::string sample = test::MakeDatabaseWith(
      dir.File("sample.mdb"), {"CREATE TABLE 社員 (番号 LONG)", "INSERT INTO 社員 VALUES (7)"});
  const auto besideSample = [&] {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  };
  ASSERT_EQ(besideSample(), std::vector<std::string>{"sample.mdb"});
  const std::string before = ReadWholeFile(sample);

  std::filesystem::create_directory(dir.File("learner"));
  const std::string copy = dir.File("learner/copy.mdb");
  WriteSampleCopy(sample, copy);
  EXPECT_EQ(besideSample(), (std::vector<std::string>{"learner", "sample.mdb"}));
  EXPECT_EQ(ReadWholeFile(sample), before);
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open_v2(copy.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  sqlite3_stmt* statement = nullptr;
  ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT 番号 FROM 社員", -1, &statement, nullptr), SQLITE_OK);
  ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
  EXPECT_EQ(sqlite3_column_int(statement, 0), 7);
  sqlite3_finalize(statement);
  sqlite3_close(db);
}

}  // namespace
}  // namespace tarnwick
