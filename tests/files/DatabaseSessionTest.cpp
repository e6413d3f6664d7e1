// The current database's names and connection state: the choice at start-up by the command
// line or by which of the database and its descriptor exist; connect and disconnect, new,
// reset and open database, with their messages, captions and busy pointer.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <functional>

#include "data/Udl.h"
#include "files/EmptyDatabase.h"
#include "files/TemplateDatabase.h"
#include "support/JetSamples.h"
#include "support/OtherProgram.h"
#include "support/SessionFixture.h"
#include "support/TestDatabase.h"
#include "support/ThrownMessage.h"
#include "text/FileAccess.h"
#include "text/TarnwickError.h"

namespace tarnwick {
namespace {

using test::SessionFixture;
using Names = std::vector<std::string>;

constexpr const char* kConnected = "DBの切断(&A)";
constexpr const char* kDisconnected = "DBの接続(&A)";
constexpr const char* kDisconnectedLine = "データベースを切断しました\r\n\r\n";
constexpr const char* kConnectedLine = "default.mdb ファイルに接続しました\r\n\r\n";

// A database file with one table of two rows, without a descriptor beside it.
void MakeDatabaseWithRows(const std::string& databasePath) {
  test::MakeDatabaseWith(databasePath, {"CREATE TABLE t (id INTEGER)", "INSERT INTO t VALUES (1)",
                                        "INSERT INTO t VALUES (2)"});
}

// Marks a file so that a later rewrite shows: its modification time goes far back.
void Age(const std::string& path) {
  struct timespec times[2] = {{1000, 0}, {1000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}
// A database another program made with the engine: no application id of ours in its header.
std::string MakeOtherProgramsDatabase(const std::string& path) {
  sqlite3* db = nullptr;
  EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(db, "CREATE TABLE places (url TEXT)", nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  return path;
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
    if (database) MakeDatabaseWithRows(f.session.DatabasePath());
    if (!named.empty()) {
      WriteUdlFile(udl, named.starts_with('/') ? named : f.File(named));
      Age(udl);
    }
    EXPECT_FALSE(f.session.ChooseAtStartup({}));
    EXPECT_TRUE(f.connection.Connected());
    EXPECT_EQ(ReadUdlDataSource(udl), f.session.DatabasePath());
    EXPECT_EQ(Rewritten(udl), named != "default.mdb");
    EXPECT_EQ(f.connection.ConnectionString(), "FILE NAME=" + udl);
    EXPECT_EQ(f.ui.Caption(), kConnected);
    EXPECT_EQ(f.Pane(), kConnectedLine);  // nothing of its own before the connect line
    EXPECT_EQ(f.connection.TableNames(), database ? Names{"t"} : Names{});
  }
}

TEST(StartupChoice, AnMdbArgumentNamesTheDatabaseAndItsDescriptor) {
  SessionFixture f;
  MakeDatabaseWithRows(f.File("x.MDB"));
  WriteUdlFile(f.File("x.udl"), "/somewhere/else.mdb");
  EXPECT_TRUE(f.session.ChooseAtStartup({f.File("x.MDB"), "ignored.mdb"}));
  EXPECT_EQ(f.session.DbDir + "|" + f.session.MdbName + "|" + f.session.UdlName,
            f.Folder() + "|x.MDB|x.udl");
  EXPECT_EQ(ReadUdlDataSource(f.File("x.udl")), f.File("x.MDB"));  // always written
  EXPECT_EQ(f.Pane(), "x.MDB ファイルに接続しました\r\n\r\n");
  EXPECT_FALSE(FileExists(f.File("default.mdb")));  // the settings' names are not used

  // A named file that does not exist is not created and gets no descriptor: the connect
  // fails, saying why, and at the end there is nothing to compact and nothing to report.
  SessionFixture g;
  EXPECT_TRUE(g.session.ChooseAtStartup({g.File("new.mdb")}));
  EXPECT_FALSE(FileExists(g.File("new.mdb")));
  EXPECT_FALSE(FileExists(g.File("new.udl")));
  EXPECT_EQ(g.Pane(),
            "new.mdbへの接続に失敗しました\r\nデータベースファイル \"" + g.File("new.mdb") +
                "\" が見つかりません。\r\nヒント: ファイル名とフォルダ名が正しいか確かめて"
                "ください。\r\n\r\n");
  EXPECT_NO_THROW(g.session.CompactDatabase());
  EXPECT_FALSE(FileExists(g.File("new.mdb")));
}

// What a file manager hands over is told by what the file holds, not by its name: a database
// of ours opens whatever its name; another program's database under a name other than .mdb is
// left alone, the settings' database opens and the file is offered for import; a Jet file is
// refused with the offer; anything else is ignored.
TEST(StartupChoice, AnArgumentIsToldByWhatTheFileHolds) {
  REQUIRE_JET_SAMPLES();
  enum class Outcome { Opened, Offered, RefusedJet, Ignored };
  struct Case {
    const char* name;
    std::function<std::string(SessionFixture&)> make;  // the argument's path
    Outcome outcome;
  } cases[] = {
      {"ours as .sqlite",
       [](SessionFixture& f) {
         WriteWholeFile(f.File("lesson.sqlite"), TemplateDatabase());
         return f.File("lesson.sqlite");
       },
       Outcome::Opened},
      {"another program's .db",
       [](SessionFixture& f) { return MakeOtherProgramsDatabase(f.File("places.db")); },
       Outcome::Offered},
      {"another program's, named .mdb: the database the user named",
       [](SessionFixture& f) { return MakeOtherProgramsDatabase(f.File("other.mdb")); },
       Outcome::Opened},
      {"Jet as .accdb",
       [](SessionFixture& f) { return test::CopyOfSample(f.dir, "testV2000.mdb", "old.accdb"); },
       Outcome::RefusedJet},
      {"a text file",
       [](SessionFixture& f) {
         WriteWholeFile(f.File("notes.txt"), "SQLite format 3");
         return f.File("notes.txt");
       },
       Outcome::Ignored},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SessionFixture f;
    const std::string path = c.make(f);
    const std::string before = ReadWholeFile(path);
    const bool commandLineBranch = f.session.ChooseAtStartup({path});
    const bool defaultDatabase = c.outcome == Outcome::Offered || c.outcome == Outcome::Ignored;
    EXPECT_EQ(commandLineBranch, !defaultDatabase);
    EXPECT_EQ(f.session.MdbName,
              defaultDatabase ? "default.mdb" : DeriveDatabaseNames(path).MdbName);
    EXPECT_EQ(f.connection.Connected(), c.outcome != Outcome::RefusedJet);
    const bool offered = c.outcome == Outcome::Offered || c.outcome == Outcome::RefusedJet;
    EXPECT_EQ(f.session.RefusedDatabaseFile().value_or(""), offered ? path : "");
    if (c.outcome == Outcome::Offered) {
      EXPECT_NE(f.Pane().find("は他のプログラムが作った SQLite のデータベースです。Tarnwick の"
                              "データベースとしては開きません (ファイルは変更していません)。"),
                std::string::npos)
          << f.Pane();
    }
    if (c.outcome != Outcome::Opened) {
      EXPECT_EQ(ReadWholeFile(path), before);  // only read, nothing written beside it
      EXPECT_FALSE(FileExists(f.File(DeriveDatabaseNames(path).UdlName)));
    }
  }
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
  EXPECT_EQ(f.Pane(), std::string("default.mdbへの接続に失敗しました\r\n\r\n") + kConnectedLine +
                          kDisconnectedLine + kConnectedLine + kDisconnectedLine +
                          kDisconnectedLine);
}

TEST(DatabaseSession, RecreateWritesTheTemplateOnlyWhereNoDatabaseOfOursIsLost) {
  SessionFixture f;
  const std::string path = f.session.DatabasePath();
  // A missing database: the template byte for byte, the stale log of an old one deleted.
  WriteWholeFile(path + "-wal", "stale log of the old database");
  f.connection.SetConnectionString("FILE NAME=elsewhere.udl");
  f.session.RecreateDatabase();
  EXPECT_EQ(ReadWholeFile(path), TemplateDatabase());
  EXPECT_FALSE(FileExists(path + "-wal"));
  EXPECT_EQ(ReadUdlDataSource(f.session.DescriptorPath()), path);
  EXPECT_EQ(f.connection.ConnectionString(), "FILE NAME=" + f.session.DescriptorPath());
  EXPECT_FALSE(f.connection.Connected());
  EXPECT_EQ(f.Pane(), "");
  EXPECT_TRUE(f.ui.captions.empty());
  EXPECT_EQ(f.ui.busyCalls, 1);
  EXPECT_EQ(f.ui.busyDepth, 0);

  // A database of ours is emptied in place: the same file, which another program that has it
  // open goes on using, with the template's version marks and nothing of the old schema.
  DeleteFile(path);
  test::MakeDatabaseWith(
      path,
      {"CREATE TABLE t (id INTEGER PRIMARY KEY AUTOINCREMENT, r INTEGER "
       "REFERENCES u (id))",
       "CREATE TABLE u (id INTEGER PRIMARY KEY)", "CREATE INDEX i ON t (r)",
       "CREATE VIEW v AS SELECT * FROM t",
       "CREATE TRIGGER g AFTER INSERT ON u BEGIN DELETE FROM t; END", "INSERT INTO u VALUES (1)",
       "INSERT INTO t (r) VALUES (1)", "PRAGMA user_version = 7"},
      SqlDialect::Engine);
  struct stat before {};
  ASSERT_EQ(stat(path.c_str(), &before), 0);
  f.session.RecreateDatabase();
  struct stat after {};
  ASSERT_EQ(stat(path.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(f.Scalar("SELECT count(*) FROM sqlite_master WHERE name NOT LIKE 'sqlite%'"), "0");
  EXPECT_EQ(f.Scalar("PRAGMA user_version") + " " + f.Scalar("PRAGMA application_id"),
            "1 1415007819");
  EXPECT_EQ(f.Scalar("PRAGMA integrity_check"), "ok");
  f.connection.Close();
}

TEST(DatabaseSession, RecreateRefusesWhatItWouldLose) {
  SessionFixture f;
  const std::string path = f.session.DatabasePath();
  // A file that is no database of ours is replaced only when the caller says so.
  WriteWholeFile(path, "a learner's notes, not a database");
  EXPECT_EQ(SjisToUtf8(test::ThrownMessage([&] { f.session.RecreateDatabase(); })),
            "ファイル \"" + path +
                "\" はデータベースではないため、置き換えません。\r\nヒント: 別の名前を選ぶか、"
                "そのファイルを先に移動してください。");
  EXPECT_EQ(ReadWholeFile(path), "a learner's notes, not a database");
  f.session.RecreateDatabase(ForeignFile::Replace);
  EXPECT_EQ(ReadWholeFile(path), TemplateDatabase());

  // Another program in a transaction keeps the write lock: the reset waits, then gives up
  // naming the file, and that program's work stays.
  DeleteFile(path);
  MakeDatabaseWithRows(path);
  {
    const test::OtherProgram writer(path, "BEGIN IMMEDIATE; INSERT INTO t VALUES (3);");
    ASSERT_TRUE(writer.Ready());
    EXPECT_EQ(SjisToUtf8(test::ThrownMessage([&] { EmptyDatabaseFile(path, 200); })),
              "ファイル \"" + path +
                  "\" はほかのプログラムが使用中のため初期化できません。\r\nヒント: そのプログ"
                  "ラムを閉じてから、もう一度実行してください。");
  }
  f.session.SetDbConnected(true);
  EXPECT_EQ(f.Scalar("SELECT count(*) FROM t"), "2");
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

}  // namespace
}  // namespace tarnwick
