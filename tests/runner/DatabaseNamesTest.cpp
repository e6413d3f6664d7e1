// Deriving the database's folder, file name and descriptor name from a path.
#include <gtest/gtest.h>

#include "data/DatabaseNames.h"

namespace tarnwick {
namespace {

TEST(DatabaseNames, ExtensionTestTakesMdbInAnyAsciiCase) {
  EXPECT_TRUE(HasDatabaseExtension("a.mdb"));
  EXPECT_TRUE(HasDatabaseExtension("a.Mdb"));
  EXPECT_TRUE(HasDatabaseExtension("/x/y.z/A.MDB"));
  EXPECT_FALSE(HasDatabaseExtension("a.mdbx"));
  EXPECT_FALSE(HasDatabaseExtension("a.txt"));
  EXPECT_FALSE(HasDatabaseExtension("a"));
  EXPECT_FALSE(HasDatabaseExtension("dir.mdb/a"));  // only the file-name part counts
  EXPECT_FALSE(HasDatabaseExtension(""));
}

TEST(DatabaseNames, DatabaseNamesGiveFolderFileAndDescriptor) {
  const DatabaseNames full = DeriveDatabaseNames("/home/u/db/Shop.MDB");
  EXPECT_EQ(full.DbDir, "/home/u/db/");
  EXPECT_EQ(full.MdbName, "Shop.MDB");
  EXPECT_EQ(full.UdlName, "Shop.udl");
  EXPECT_EQ(full.DatabasePath(), "/home/u/db/Shop.MDB");
  EXPECT_EQ(full.DescriptorPath(), "/home/u/db/Shop.udl");
  EXPECT_EQ(full.ConnectionString(), "FILE NAME=/home/u/db/Shop.udl");

  const DatabaseNames bare = DeriveDatabaseNames("a.mdb");
  EXPECT_EQ(bare.DbDir, "");
  EXPECT_EQ(bare.MdbName, "a.mdb");
  EXPECT_EQ(bare.DescriptorPath(), "a.udl");
  EXPECT_EQ(DeriveDatabaseNames("rel/b.mdb").DbDir, "rel/");
}

TEST(DatabaseNames, OtherNamesHaveTheirExtensionReplaced) {
  EXPECT_EQ(DeriveDatabaseNames("d/data.db").UdlName, "data.udl");
  EXPECT_EQ(DeriveDatabaseNames("ab").UdlName, "ab.udl");
  EXPECT_EQ(DeriveDatabaseNames("x.y/plain").UdlName, "plain.udl");
  EXPECT_FALSE(DescriptorIsDatabase(DeriveDatabaseNames("a.mdb")));
  EXPECT_TRUE(DescriptorIsDatabase(DeriveDatabaseNames("d/clash.udl")));
}

}  // namespace
}  // namespace tarnwick
