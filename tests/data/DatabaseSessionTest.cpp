// The current database's names and connection state: connect and disconnect, new, reset and
// open database, with their messages, captions and busy pointer.
#include <gtest/gtest.h>

#include "ThrownMessage.h"
#include "data/FileAccess.h"
#include "data/TemplateDatabase.h"
#include "data/Udl.h"
#include "support/SessionFixture.h"
#include "support/TestDatabase.h"

namespace tarnwick {
namespace {

using test::SessionFixture;

constexpr const char* kConnected = "DBの切断(&A)";
constexpr const char* kDisconnected = "DBの接続(&A)";
constexpr const char* kDisconnectedLine = "データベースを切断しました\r\n\r\n";

// A database file with one table of two rows, without a descriptor beside it.
void MakeDatabaseWithRows(const std::string& databasePath) {
  test::MakeDatabaseWith(databasePath,
                         {"CREATE TABLE t (id INTEGER)", "INSERT INTO t VALUES (1), (2)"});
}

TEST(DatabaseSession, ConnectAndDisconnectReportInThePaneAndTheCaption) {
  SessionFixture f;
  f.connection.SetConnectionString(f.session.ConnectionString());
  f.session.SetDbConnected(true);  // neither file exists yet
  EXPECT_FALSE(f.connection.Connected());
  EXPECT_EQ(f.ui.Caption(), kDisconnected);
  EXPECT_FALSE(f.session.LastConnectError().empty());
  EXPECT_FALSE(FileExists(f.session.DatabasePath()));  // connecting creates nothing

  test::MakeDatabase(f.session.DatabasePath(), f.session.DescriptorPath());
  f.session.ToggleConnection();  // tries again
  EXPECT_TRUE(f.connection.Connected());
  EXPECT_EQ(f.ui.Caption(), kConnected);
  EXPECT_TRUE(f.session.LastConnectError().empty());
  f.session.ToggleConnection();
  f.session.ToggleConnection();
  f.session.SetDbConnected(false);
  f.session.SetDbConnected(false);  // already closed: the same line again
  EXPECT_FALSE(f.connection.Connected());
  EXPECT_EQ(f.ui.Caption(), kDisconnected);
  EXPECT_EQ(f.Pane(), std::string("default.mdbへの接続に失敗しました\r\n\r\n") +
                          "default.mdb ファイルに接続しました\r\n\r\n" + kDisconnectedLine +
                          "default.mdb ファイルに接続しました\r\n\r\n" + kDisconnectedLine +
                          kDisconnectedLine);
}

TEST(DatabaseSession, RecreateWritesTheTemplateByteForByteAndTheDescriptor) {
  SessionFixture f;
  MakeDatabaseWithRows(f.session.DatabasePath());
  WriteWholeFile(f.session.DatabasePath() + "-wal", "stale log of the old database");
  f.connection.SetConnectionString("FILE NAME=elsewhere.udl");
  f.session.RecreateDatabase();
  EXPECT_EQ(ReadWholeFile(f.session.DatabasePath()), TemplateDatabase());
  EXPECT_FALSE(FileExists(f.session.DatabasePath() + "-wal"));
  EXPECT_EQ(ReadUdlProvider(f.session.DescriptorPath()), "Microsoft.Jet.OLEDB.4.0");
  EXPECT_EQ(ReadUdlDataSource(f.session.DescriptorPath()), f.session.DatabasePath());
  EXPECT_EQ(f.connection.ConnectionString(), "FILE NAME=" + f.session.DescriptorPath());
  EXPECT_FALSE(f.connection.Connected());
  EXPECT_EQ(f.Pane(), "");
  EXPECT_TRUE(f.ui.captions.empty());
  EXPECT_EQ(f.ui.busyCalls, 1);
  EXPECT_EQ(f.ui.busyDepth, 0);

  // A failure reaches the caller with the arrow back.
  f.session.DbDir = f.File("no-such-folder") + "/";
  const std::string message = test::ThrownMessage([&] { f.session.RecreateDatabase(); });
  EXPECT_TRUE(SjisToUtf8(message).ends_with(" を作成できません")) << SjisToUtf8(message);
  EXPECT_EQ(f.ui.busyDepth, 0);
}

TEST(DatabaseSession, NewDatabasePrintsItsStepsInOrderAndReplacesAnExistingFile) {
  SessionFixture f;
  MakeDatabaseWithRows(f.File("shop.mdb"));
  f.session.NewDatabase(f.File("notes.txt"));  // names without the extension are passed over
  f.session.NewDatabase(f.File("a.mdbx"));
  EXPECT_EQ(f.Pane(), "");
  EXPECT_FALSE(FileExists(f.File("notes.txt")));

  f.session.NewDatabase(f.File("shop.mdb"));
  EXPECT_EQ(f.Pane(), std::string(kDisconnectedLine) +
                          "shop.udl を新規作成しました\r\n"
                          "shop.mdb ファイルに接続しました\r\n\r\n");
  EXPECT_EQ(f.session.DbDir + "|" + f.session.MdbName + "|" + f.session.UdlName,
            f.Folder() + "|shop.mdb|shop.udl");
  EXPECT_EQ(f.ui.Caption(), kConnected);
  EXPECT_EQ(f.ui.busyDepth, 0);
  EXPECT_TRUE(f.connection.TableNames().empty());  // the old table is gone
  EXPECT_EQ(ReadUdlDataSource(f.File("shop.udl")), f.File("shop.mdb"));

  // One that fails leaves the console disconnected with the new names.
  f.pane.Clear();
  test::ThrownMessage([&] { f.session.NewDatabase(f.File("missing/n.mdb")); });
  EXPECT_EQ(f.session.MdbName, "n.mdb");
  EXPECT_EQ(f.Pane(), kDisconnectedLine);
  EXPECT_EQ(f.ui.busyDepth, 0);
}

TEST(DatabaseSession, ResetEmptiesTheCurrentDatabase) {
  SessionFixture f;
  f.session.RecreateDatabase();
  f.session.SetDbConnected(true);
  f.Exec("CREATE TABLE t (id INTEGER)");
  f.pane.Clear();
  f.ui.captions.clear();
  f.session.ResetDatabase();
  EXPECT_EQ(f.Pane(), "初期化終了しました\r\ndefault.mdb ファイルに接続しました\r\n\r\n");
  EXPECT_EQ(f.ui.captions, std::vector<std::string>{kConnected});  // closing set none
  EXPECT_TRUE(f.connection.TableNames().empty());
  EXPECT_EQ(f.ui.busyDepth, 0);
}

TEST(DatabaseSession, OpenDatabaseRewritesItsDescriptorAndConnects) {
  SessionFixture f;
  MakeDatabaseWithRows(f.File("b.mdb"));
  WriteUdlFile(f.File("b.udl"), "/old/place/b.mdb");
  f.session.OpenDatabase(f.File("b.mdb"));
  EXPECT_EQ(f.Pane(), std::string(kDisconnectedLine) + "b.mdb ファイルに接続しました\r\n\r\n");
  EXPECT_EQ(f.session.MdbName + "|" + f.session.UdlName, "b.mdb|b.udl");
  EXPECT_EQ(ReadUdlDataSource(f.File("b.udl")), f.File("b.mdb"));
  EXPECT_EQ(f.Scalar("SELECT count(*) FROM t"), "2");

  // A path that names no file ends in the failure line and creates nothing.
  f.pane.Clear();
  f.session.OpenDatabase(f.File("missing.mdb"));
  EXPECT_EQ(f.Pane(), std::string(kDisconnectedLine) + "missing.mdbへの接続に失敗しました\r\n\r\n");
  EXPECT_FALSE(FileExists(f.File("missing.mdb")));
  EXPECT_EQ(f.session.MdbName, "missing.mdb");

  // A name without the extension: disconnected first, then nothing; the names stay.
  f.pane.Clear();
  f.session.OpenDatabase(f.File("notes.txt"));
  EXPECT_EQ(f.Pane(), kDisconnectedLine);
  EXPECT_EQ(f.session.MdbName, "missing.mdb");
  EXPECT_FALSE(FileExists(f.File("notes.udl")));
}

TEST(DatabaseSession, MessagesCanGoToAPaneOfTheirOwn) {
  SessionFixture f;
  StringPane status;
  f.session.SetConnectionMessagePane(status);
  f.session.NewDatabase(f.File("c.mdb"));
  EXPECT_EQ(f.Pane(), "c.udl を新規作成しました\r\n");
  EXPECT_EQ(SjisToUtf8(status.Text()),
            std::string(kDisconnectedLine) + "c.mdb ファイルに接続しました\r\n\r\n");
}

}  // namespace
}  // namespace tarnwick
