// Deriving the database's folder, file name and descriptor name from a path.
#include <gtest/gtest.h>

#include <utility>

#include "data/DatabaseNames.h"

namespace tarnwick {
namespace {

// The runner's tests show the names of ordinary paths at work; these are the edge cases.
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
}  // namespace tarnwick
