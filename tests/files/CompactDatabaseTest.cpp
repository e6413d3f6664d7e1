// Compaction: the copy written by the engine replaces the database in one rename, so that
// a failure or a crash at any step leaves a whole database under its name.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "files/CompactFile.h"
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

  // The database under its name is whole and holds every row.
  void ExpectWholeDatabase() {
    connection.Close();
    EXPECT_EQ(EngineScalar("PRAGMA integrity_check"), "ok");
    EXPECT_EQ(EngineScalar("SELECT count(*) || ' ' || sum(length(Body)) || ' ' || max(ID) FROM Notes"),
              std::to_string(kRows) + " " + std::to_string(200 * kRows) + " " +
                  std::to_string(2 * kRows - 1));
    connection.Close();
  }
};

TEST(CompactDatabase, KeepsEveryRowThePermissionsAndALinkAndRemovesALeftoverCopy) {
  CompactFixture f;
  ASSERT_EQ(chmod(f.Path().c_str(), 0600), 0);
  WriteWholeFile(f.CopyPath(), "left behind by an earlier run");
  WriteWholeFile(f.CopyPath() + "-journal", "and its journal");
  f.query.SetSql("SELECT * FROM Notes");
  f.query.Open();  // an open query is closed first
  f.session.CompactDatabase();
  EXPECT_FALSE(f.connection.Connected());
  EXPECT_FALSE(f.query.Active());
  EXPECT_EQ(std::filesystem::status(f.Path()).permissions(), std::filesystem::perms(0600));
  for (const std::string& gone :
       {f.CopyPath(), f.CopyPath() + "-journal", f.Path() + "-wal", f.Path() + "-journal"}) {
    EXPECT_FALSE(FileExists(gone)) << gone;
  }
  f.ExpectWholeDatabase();

  // The session names a link; the database it points to is compacted in its own folder.
  std::filesystem::create_directory(f.File("real"));
  std::filesystem::rename(f.Path(), f.File("real/data.mdb"));
  std::filesystem::create_symlink(f.File("real/data.mdb"), f.Path());
  f.session.CompactDatabase();
  EXPECT_TRUE(std::filesystem::is_symlink(f.Path()));
  EXPECT_FALSE(FileExists(f.File("real/data.mdb.cache")));
  EXPECT_FALSE(FileExists(f.CopyPath()));
  f.ExpectWholeDatabase();
}

TEST(CompactDatabase, WhatCannotBeCompactedIsLeftAsItWas) {
  SessionFixture f;
  f.session.MdbName = "gone.mdb";
  const std::string missing = SjisToUtf8(ThrownMessage([&] { f.session.CompactDatabase(); }));
  EXPECT_TRUE(missing.ends_with(" は開けません")) << missing;
  EXPECT_FALSE(FileExists(f.File("gone.mdb")));
  EXPECT_FALSE(FileExists(f.File("gone.mdb.cache")));

  f.session.MdbName = "text.mdb";
  WriteWholeFile(f.File("text.mdb"), "plain text, no database at all");
  EXPECT_THROW(f.session.CompactDatabase(), TarnwickError);
  EXPECT_EQ(ReadWholeFile(f.File("text.mdb")), "plain text, no database at all");
  EXPECT_FALSE(FileExists(f.File("text.mdb.cache")));

  // A database that another connection is reading.
  CompactFixture g;
  Connection other;
  other.SetConnectionString(g.session.ConnectionString());
  Query reader(other);
  reader.SetSql("SELECT count(*) FROM Notes");
  reader.Open();
  g.connection.Close();
  const std::string before = ReadWholeFile(g.Path());
  EXPECT_NE(ThrownMessage([&] { g.session.CompactDatabase(); }), "");
  EXPECT_EQ(ReadWholeFile(g.Path()), before);
  EXPECT_FALSE(FileExists(g.CopyPath()));
  EXPECT_EQ(reader.FieldAt(0).AsString(), std::to_string(kRows));
  reader.Close();
  other.Close();
  g.ExpectWholeDatabase();
}

// A replacement that the file system refuses: the source stays, the copy goes.
TEST(CompactDatabase, ASourceThatCannotBeReplacedStaysAsItWas) {
  CompactFixture f;
  f.connection.Close();
  const std::string before = ReadWholeFile(f.Path());
  const auto blockRename = [&](CompactStep step) {
    if (step != CompactStep::ReplaceSource) return;
    // The copy's name now belongs to a folder: rename(2) cannot move it over the source.
    DeleteFile(f.CopyPath());
    std::filesystem::create_directory(f.CopyPath());
    WriteWholeFile(f.CopyPath() + "/inside", "x");
  };
  const std::string message =
      SjisToUtf8(ThrownMessage([&] { CompactDatabaseFile(f.Path(), blockRename); }));
  EXPECT_TRUE(message.ends_with(" を作成できません")) << message;
  EXPECT_EQ(ReadWholeFile(f.Path()), before);
  f.ExpectWholeDatabase();
}

TEST(CompactDatabase, AFailureOrAKillAtAnyStepLeavesAWholeDatabase) {
  for (CompactStep step :
       {CompactStep::RemoveLeftoverCopy, CompactStep::WriteCopy, CompactStep::SyncCopy,
        CompactStep::ReplaceSource, CompactStep::SyncFolder}) {
    SCOPED_TRACE(static_cast<int>(step));
    CompactFixture f;
    f.connection.Close();
    const std::string before = ReadWholeFile(f.Path());
    const auto failAt = [step](CompactStep at) {
      if (at == step) throw TarnwickError("injected failure");
    };
    EXPECT_EQ(ThrownMessage([&] { CompactDatabaseFile(f.Path(), failAt); }), "injected failure");
    if (step < CompactStep::SyncFolder) {
      EXPECT_EQ(ReadWholeFile(f.Path()), before);  // the source is unchanged
      EXPECT_FALSE(FileExists(f.CopyPath()));
    }
    f.ExpectWholeDatabase();

    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
      CompactDatabaseFile(f.Path(), [step](CompactStep at) {
        if (at == step) _exit(0);
      });
      _exit(1);  // never reached: every step is one of the killing points
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    f.ExpectWholeDatabase();
    f.session.CompactDatabase();  // the next compaction clears what the killed one left
    EXPECT_FALSE(FileExists(f.CopyPath()));
    f.ExpectWholeDatabase();
  }
}

}  // namespace
}  // namespace tarnwick
