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
using Names = std::vector<std::string>;

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

TEST(StartupChoice, TheDefaultBranchMakesWhatIsMissingAndConnects) {
  // Whether the database exists, and the database its descriptor names (none when empty).
  const std::pair<bool, std::string> cases[] = {
      {false, ""},                       // neither file: the template database
      {false, "/gone/default.mdb"},      // a descriptor without its database: a new database
      {true, ""},                        // a database without its descriptor: one written
      {true, "default.mdb"},             // the descriptor names the database: left as it is
      {true, "/old/place/default.mdb"},  // both files moved here: the descriptor rewritten
      {true, "DEFAULT.mdb"}};            // the comparison is exact: another letter case too
  for (const auto& [database, named] : cases) {
    SCOPED_TRACE(named);
    SessionFixture f;
    const std::string udl = f.session.DescriptorPath();
    if (database) MakeDatabaseWithTable(f.session.DatabasePath());
    if (!named.empty()) {
      WriteUdlFile(udl, named.starts_with('/') ? named : f.File(named));
      Age(udl);
    }
    EXPECT_FALSE(f.session.ChooseAtStartup({}));
    EXPECT_TRUE(f.connection.Connected());
    EXPECT_EQ(ReadUdlDataSource(udl), f.session.DatabasePath());
    EXPECT_EQ(Rewritten(udl), named != "default.mdb");
    EXPECT_EQ(f.connection.ConnectionString(), "FILE NAME=" + udl);
    EXPECT_EQ(f.ui.Caption(), "DBの切断(&A)");
    EXPECT_EQ(f.Pane(), kConnectedLine);  // nothing of its own before the connect line
    EXPECT_EQ(f.connection.TableNames(), database ? Names{"kept"} : Names{});
  }
}

TEST(StartupChoice, AnMdbArgumentNamesTheDatabaseAndItsDescriptor) {
  SessionFixture f;
  MakeDatabaseWithTable(f.File("x.MDB"));
  WriteUdlFile(f.File("x.udl"), "/somewhere/else.mdb");
  EXPECT_TRUE(f.session.ChooseAtStartup({f.File("x.MDB"), "ignored.mdb"}));
  EXPECT_EQ(f.session.DbDir + "|" + f.session.MdbName + "|" + f.session.UdlName,
            f.Folder() + "|x.MDB|x.udl");
  EXPECT_EQ(ReadUdlDataSource(f.File("x.udl")), f.File("x.MDB"));  // always written
  EXPECT_EQ(f.Pane(), "x.MDB ファイルに接続しました\r\n\r\n");
  EXPECT_FALSE(FileExists(f.File("default.mdb")));  // the settings' names are not used

  // A named file that does not exist is not created: the connect fails.
  SessionFixture g;
  EXPECT_TRUE(g.session.ChooseAtStartup({g.File("new.mdb")}));
  EXPECT_FALSE(FileExists(g.File("new.mdb")));
  EXPECT_TRUE(FileExists(g.File("new.udl")));
  EXPECT_EQ(g.Pane(), "new.mdbへの接続に失敗しました\r\n\r\n");

  // Any other first argument takes the default branch.
  SessionFixture h;
  EXPECT_FALSE(h.session.ChooseAtStartup({h.File("notes.txt"), h.File("x.mdb")}));
  EXPECT_EQ(ReadWholeFile(h.session.DatabasePath()).size(), TemplateDatabase().size());
  EXPECT_FALSE(FileExists(h.File("x.udl")));
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
