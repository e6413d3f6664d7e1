// Compaction: the engine rebuilds the database in place, under its own locks, so that other
// programs on the same file lose nothing and a failure leaves the database as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "files/CompactFile.h"
#include "support/OtherProgram.h"
#include "support/SessionFixture.h"
#include "support/TestDatabase.h"
#include "support/ThrownMessage.h"
#include "text/FileAccess.h"

namespace tarnwick {
namespace {

using test::SessionFixture;
using test::ThrownMessage;

constexpr int kRows = 2000;

// A current database of kRows rows after as many more were deleted, so that compaction has
// free pages to give back; connected, with the pane emptied.
struct CompactFixture : SessionFixture {
  CompactFixture() {
    session.RecreateDatabase();
    session.SetDbConnected(true);
    Exec("CREATE TABLE Notes (ID COUNTER Primary Key, Body MEMO)");
    EngineExec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
               std::to_string(2 * kRows) +
               ") INSERT INTO Notes (Body) SELECT printf('%0200d', i) FROM n");
    EngineExec("DELETE FROM Notes WHERE ID % 2 = 0");
    pane.Clear();
  }
  std::string Path() const { return session.DatabasePath(); }
  std::string CopyPath() const { return CompactCopyPath(Path()); }
  // Pages given back to the free list, the rows of Notes unchanged; the connection closed.
  void FreeSomePages() {
    Exec("CREATE TABLE Scratch (Body MEMO)");
    Exec("INSERT INTO Scratch SELECT Body FROM Notes");
    Exec("DROP TABLE Scratch");
    connection.Close();
  }

  // The database under its name is whole and holds every row.
  void ExpectWholeDatabase() {
    connection.Close();
    EXPECT_EQ(EngineScalar("PRAGMA integrity_check"), "ok");
    EXPECT_EQ(
        EngineScalar("SELECT count(*) || ' ' || sum(length(Body)) || ' ' || max(ID) FROM Notes"),
        std::to_string(kRows) + " " + std::to_string(200 * kRows) + " " +
            std::to_string(2 * kRows - 1));
    connection.Close();
  }
};

std::uintmax_t Size(const std::string& path) { return std::filesystem::file_size(path); }

TEST(CompactDatabase, ShrinksInPlaceKeepingEveryRowThePermissionsAndALink) {
  CompactFixture f;
  ASSERT_EQ(chmod(f.Path().c_str(), 0600), 0);
  WriteWholeFile(f.CopyPath(), "left behind by an earlier version");
  WriteWholeFile(f.CopyPath() + "-journal", "and its journal");
  f.query.SetSql("SELECT * FROM Notes");
  f.query.Open();  // an open query is closed first
  f.connection.Close();
  const auto before = Size(f.Path());
  f.session.CompactDatabase();
  EXPECT_FALSE(f.connection.Connected());
  EXPECT_FALSE(f.query.Active());
  EXPECT_LT(Size(f.Path()), before * 3 / 4);
  EXPECT_EQ(std::filesystem::status(f.Path()).permissions(), std::filesystem::perms(0600));
  for (const std::string& gone : {f.CopyPath(), f.CopyPath() + "-journal", f.Path() + "-wal",
                                  f.Path() + "-shm", f.Path() + "-journal"}) {
    EXPECT_FALSE(FileExists(gone)) << gone;
  }
  // One line tells that the old copy went; nothing else is written.
  EXPECT_EQ(f.Pane(),
            "以前の版が残した最適化用のファイル \"" + f.CopyPath() + "\" を削除しました\r\n");
  f.ExpectWholeDatabase();

  // Without free pages nothing is rebuilt: the file keeps its bytes, and no line is written.
  f.pane.Clear();
  const std::string compacted = ReadWholeFile(f.Path());
  EXPECT_FALSE(CompactDatabaseFile(f.Path()).compacted);
  EXPECT_EQ(ReadWholeFile(f.Path()), compacted);
  EXPECT_EQ(f.Pane(), "");

  // The session names a link; the database it points to is compacted, the link stays.
  f.FreeSomePages();
  std::filesystem::create_directory(f.File("real"));
  std::filesystem::rename(f.Path(), f.File("real/data.mdb"));
  std::filesystem::create_symlink(f.File("real/data.mdb"), f.Path());
  EXPECT_TRUE(CompactDatabaseFile(f.Path()).compacted);
  EXPECT_TRUE(std::filesystem::is_symlink(f.Path()));
  EXPECT_EQ(f.Scalar("PRAGMA integrity_check"), "ok");
}

TEST(CompactDatabase, WhatCannotBeCompactedIsLeftAsItWas) {
  SessionFixture f;
  // A database that is not there has nothing to compact: nothing is made, nothing reported.
  f.session.MdbName = "gone.mdb";
  EXPECT_NO_THROW(f.session.CompactDatabase());
  EXPECT_FALSE(FileExists(f.File("gone.mdb")));
  EXPECT_EQ(f.Pane(), "");
  // The compaction itself says so, when asked for one.
  const std::string missing =
      SjisToUtf8(ThrownMessage([&] { CompactDatabaseFile(f.File("gone.mdb")); }));
  EXPECT_NE(missing.find("gone.mdb\" は開けません。ファイルが見つかりません。"), std::string::npos)
      << missing;

  f.session.MdbName = "text.mdb";
  const std::string text(8192, 'x');
  WriteWholeFile(f.File("text.mdb"), text);
  EXPECT_THROW(f.session.CompactDatabase(), TarnwickError);
  EXPECT_EQ(ReadWholeFile(f.File("text.mdb")), text);

  // A database we cannot write is not touched (and leaves no side files).
  CompactFixture readOnly;
  readOnly.connection.Close();
  ASSERT_EQ(chmod(readOnly.Path().c_str(), 0444), 0);
  if (access(readOnly.Path().c_str(), W_OK) != 0) {  // a privileged user can write anyway
    const std::string before = ReadWholeFile(readOnly.Path());
    EXPECT_FALSE(CompactDatabaseFile(readOnly.Path()).compacted);
    EXPECT_EQ(ReadWholeFile(readOnly.Path()), before);
    EXPECT_FALSE(FileExists(readOnly.Path() + "-shm"));
  }
}

// Other programs on the same file: a reader keeps its rows and the compaction goes ahead; a
// writer that holds the write lock past the busy timeout makes the compaction give up with a
// clear message, the database as it was.
TEST(CompactDatabase, OtherProgramsOnTheFileLoseNothing) {
  CompactFixture f;
  Connection other;
  other.SetConnectionString(f.session.ConnectionString());
  Query reader(other);
  reader.SetSql("SELECT count(*) FROM Notes");
  reader.Open();
  f.session.CompactDatabase();
  EXPECT_EQ(reader.FieldAt(0).AsString(), std::to_string(kRows));
  reader.Close();
  other.Close();
  f.ExpectWholeDatabase();

  f.FreeSomePages();
  const std::string before = ReadWholeFile(f.Path());
  {
    const test::OtherProgram writer(f.Path(), "BEGIN IMMEDIATE; DELETE FROM Notes;");
    ASSERT_TRUE(writer.Ready());
    const std::string message =
        SjisToUtf8(ThrownMessage([&] { CompactDatabaseFile(f.Path(), 200); }));
    EXPECT_EQ(message, "ファイル \"" + f.Path() +
                           "\" はほかのプログラムが使用中のため最適化できません。\r\nヒント: その"
                           "プログラムを閉じると、次に終了するときに最適化します。");
  }
  EXPECT_EQ(ReadWholeFile(f.Path()), before);
  f.ExpectWholeDatabase();
}

}  // namespace
}  // namespace tarnwick
