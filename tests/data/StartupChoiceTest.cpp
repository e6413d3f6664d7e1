// The choice of database at start-up: the command-line branch and the four cases of the
// default branch, by which of the database and its descriptor exist.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "data/FileAccess.h"
#include "data/TarnwickError.h"
#include "data/TemplateDatabase.h"
#include "data/Udl.h"
#include "support/SessionFixture.h"
#include "support/TestDatabase.h"

namespace tarnwick {
namespace {

using test::SessionFixture;

constexpr const char* kConnectedLine = "default.mdb ファイルに接続しました\r\n\r\n";

void MakeDatabaseWithTable(const std::string& databasePath) {
  test::MakeDatabaseWith(databasePath, {"CREATE TABLE kept (id INTEGER)"});
}

// Marks a file so that a later rewrite shows: its modification time goes far back.
void Age(const std::string& path) {
  struct timespec times[2] = {{1000, 0}, {1000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}
bool Rewritten(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && info.st_mtim.tv_sec != 1000;
}

TEST(StartupChoice, NeitherFileMakesTheTemplateDatabase) {
  SessionFixture f;
  EXPECT_FALSE(f.session.ChooseAtStartup({}));
  EXPECT_EQ(ReadUdlDataSource(f.session.DescriptorPath()), f.session.DatabasePath());
  EXPECT_TRUE(f.connection.Connected());
  EXPECT_EQ(f.ui.Caption(), "DBの切断(&A)");
  EXPECT_EQ(f.Pane(), kConnectedLine);  // nothing of its own before the connect line
  EXPECT_EQ(f.connection.ConnectionString(), "FILE NAME=" + f.Folder() + "default.udl");
}

TEST(StartupChoice, ADescriptorWithoutItsDatabaseGetsANewDatabase) {
  SessionFixture f;
  WriteUdlFile(f.session.DescriptorPath(), "/gone/default.mdb");
  f.session.ChooseAtStartup({});
  EXPECT_TRUE(FileExists(f.session.DatabasePath()));
  EXPECT_EQ(ReadUdlDataSource(f.session.DescriptorPath()), f.session.DatabasePath());
  EXPECT_TRUE(f.connection.TableNames().empty());
  EXPECT_EQ(f.Pane(), kConnectedLine);
}

TEST(StartupChoice, ADatabaseWithoutItsDescriptorGetsOneAndStaysUntouched) {
  SessionFixture f;
  MakeDatabaseWithTable(f.session.DatabasePath());
  f.session.ChooseAtStartup({});
  EXPECT_EQ(ReadUdlDataSource(f.session.DescriptorPath()), f.session.DatabasePath());
  EXPECT_EQ(f.connection.TableNames(), std::vector<std::string>{"kept"});
  EXPECT_EQ(f.Pane(), kConnectedLine);
}

TEST(StartupChoice, BothFilesPresentRewriteOnlyAMovedDescriptorOfOurs) {
  {
    SessionFixture f;  // the descriptor names the database: left as it is
    MakeDatabaseWithTable(f.session.DatabasePath());
    WriteUdlFile(f.session.DescriptorPath(), f.session.DatabasePath());
    Age(f.session.DescriptorPath());
    f.session.ChooseAtStartup({});
    EXPECT_FALSE(Rewritten(f.session.DescriptorPath()));
    EXPECT_EQ(f.connection.TableNames(), std::vector<std::string>{"kept"});
  }
  {
    SessionFixture f;  // both files moved here: the descriptor still names the old place
    MakeDatabaseWithTable(f.session.DatabasePath());
    WriteUdlFile(f.session.DescriptorPath(), "/old/place/default.mdb");
    f.session.ChooseAtStartup({});
    EXPECT_EQ(ReadUdlDataSource(f.session.DescriptorPath()), f.session.DatabasePath());
    EXPECT_EQ(f.connection.TableNames(), std::vector<std::string>{"kept"});
    EXPECT_EQ(f.Pane(), kConnectedLine);
  }
  {
    SessionFixture f;  // the comparison is exact: another letter case is another path
    MakeDatabaseWithTable(f.session.DatabasePath());
    WriteUdlFile(f.session.DescriptorPath(), f.Folder() + "DEFAULT.mdb");
    f.session.ChooseAtStartup({});
    EXPECT_EQ(ReadUdlDataSource(f.session.DescriptorPath()), f.session.DatabasePath());
  }
  {
    SessionFixture f;  // another provider's descriptor is used unchanged
    MakeDatabaseWithTable(f.session.DatabasePath());
    const std::string other = "\xFF\xFE" + std::string("P\0r\0o\0v\0i\0d\0e\0r\0=\0X\0;\0", 22);
    WriteWholeFile(f.session.DescriptorPath(), other);
    f.session.ChooseAtStartup({});
    EXPECT_EQ(ReadWholeFile(f.session.DescriptorPath()), other);
    EXPECT_FALSE(f.connection.Connected());
    EXPECT_EQ(f.Pane(), "default.mdbへの接続に失敗しました\r\n\r\n");
  }
}

TEST(StartupChoice, AnMdbArgumentNamesTheDatabaseAndItsDescriptor) {
  SessionFixture f;
  MakeDatabaseWithTable(f.File("x.MDB"));
  WriteUdlFile(f.File("x.udl"), "/somewhere/else.mdb");
  EXPECT_TRUE(f.session.ChooseAtStartup({f.File("x.MDB"), "ignored.mdb"}));
  EXPECT_EQ(f.session.DbDir, f.Folder());
  EXPECT_EQ(f.session.MdbName, "x.MDB");
  EXPECT_EQ(f.session.UdlName, "x.udl");
  EXPECT_EQ(ReadUdlDataSource(f.File("x.udl")), f.File("x.MDB"));  // always written
  EXPECT_EQ(f.Pane(), "x.MDB ファイルに接続しました\r\n\r\n");
  EXPECT_FALSE(FileExists(f.File("default.mdb")));  // the settings' names are not used

  // A named file that does not exist is not created: the connect fails.
  SessionFixture g;
  EXPECT_TRUE(g.session.ChooseAtStartup({g.File("new.mdb")}));
  EXPECT_FALSE(FileExists(g.File("new.mdb")));
  EXPECT_TRUE(FileExists(g.File("new.udl")));
  EXPECT_EQ(g.Pane(), "new.mdbへの接続に失敗しました\r\n\r\n");
}

TEST(StartupChoice, AnyOtherFirstArgumentTakesTheDefaultBranch) {
  SessionFixture f;
  EXPECT_FALSE(f.session.ChooseAtStartup({f.File("notes.txt"), f.File("x.mdb")}));
  EXPECT_EQ(f.session.MdbName, "default.mdb");
  EXPECT_EQ(ReadWholeFile(f.session.DatabasePath()).size(), TemplateDatabase().size());
  EXPECT_FALSE(FileExists(f.File("x.udl")));
  EXPECT_EQ(f.Pane(), kConnectedLine);
}

TEST(StartupChoice, AFileThatCannotBeWrittenEndsTheChoiceBeforeConnecting) {
  SessionFixture f;
  f.session.DbDir = f.File("no-such-folder") + "/";
  EXPECT_THROW(f.session.ChooseAtStartup({}), TarnwickError);
  EXPECT_FALSE(f.connection.Connected());
  EXPECT_TRUE(f.ui.captions.empty());  // the caption stays as it was
  EXPECT_EQ(f.Pane(), "");
  EXPECT_EQ(f.ui.busyDepth, 0);
}

}  // namespace
}  // namespace tarnwick
