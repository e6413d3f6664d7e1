// Compaction: the copy written by the engine replaces the database in one rename, so that
// a failure or a crash at any step leaves a whole database under its name.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ThrownMessage.h"
#include "data/CompactFile.h"
#include "data/FileAccess.h"
#include "support/SessionFixture.h"
#include "support/TestDatabase.h"

namespace tarnwick {
namespace {

using test::SessionFixture;

constexpr CompactStep kSteps[] = {CompactStep::RemoveLeftoverCopy, CompactStep::WriteCopy,
                                  CompactStep::SyncCopy, CompactStep::ReplaceSource,
                                  CompactStep::SyncFolder};
constexpr int kRows = 2000;

// A current database of kRows rows after as many more were deleted, so that compaction has
// free pages to give back; connected, with the pane emptied.
struct CompactFixture : SessionFixture {
  CompactFixture() {
    session.RecreateDatabase();
    session.SetDbConnected(true);
    Exec("CREATE TABLE Notes (ID COUNTER Primary Key, Body MEMO)");
    Exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
         std::to_string(2 * kRows) +
         ") INSERT INTO Notes (Body) SELECT printf('%0200d', i) FROM n");
    Exec("DELETE FROM Notes WHERE ID % 2 = 0");
    pane.Clear();
  }
  std::string Path() const { return session.DatabasePath(); }
  std::string CopyPath() const { return CompactCopyPath(Path()); }

  // True when the database under its name is whole and holds every row.
  void ExpectWholeDatabase() {
    connection.Close();
    EXPECT_EQ(Scalar("PRAGMA integrity_check"), "ok");
    EXPECT_EQ(Scalar("SELECT count(*) FROM Notes"), std::to_string(kRows));
    EXPECT_EQ(Scalar("SELECT sum(length(Body)) FROM Notes"), std::to_string(200 * kRows));
    connection.Close();
  }
};

TEST(CompactDatabase, KeepsEveryRowAndGivesSpaceBack) {
  CompactFixture f;
  f.connection.Close();
  const std::size_t before = ReadWholeFile(f.Path()).size();
  f.connection.Open();
  f.query.SetSql("SELECT * FROM Notes");
  f.query.Open();  // an open query is closed first

  f.session.CompactDatabase();
  EXPECT_FALSE(f.connection.Connected());
  EXPECT_FALSE(f.query.Active());
  EXPECT_LT(ReadWholeFile(f.Path()).size(), before);
  EXPECT_FALSE(FileExists(f.CopyPath()));
  EXPECT_FALSE(FileExists(f.Path() + "-wal"));
  EXPECT_FALSE(FileExists(f.Path() + "-journal"));
  f.ExpectWholeDatabase();
  EXPECT_EQ(f.Scalar("SELECT max(ID) FROM Notes"), std::to_string(2 * kRows - 1));
}

TEST(CompactDatabase, ALeftoverCopyIsRemovedFirst) {
  CompactFixture f;
  WriteWholeFile(f.CopyPath(), "left behind by an earlier run");
  WriteWholeFile(f.CopyPath() + "-journal", "and its journal");
  f.session.CompactDatabase();
  EXPECT_FALSE(FileExists(f.CopyPath()));
  EXPECT_FALSE(FileExists(f.CopyPath() + "-journal"));
  f.ExpectWholeDatabase();
}

TEST(CompactDatabase, KeepsThePermissionsAndASymbolicLink) {
  CompactFixture f;
  f.connection.Close();
  ASSERT_EQ(chmod(f.Path().c_str(), 0600), 0);
  f.session.CompactDatabase();
  struct stat info {};
  ASSERT_EQ(stat(f.Path().c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0600u);

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

TEST(CompactDatabase, AMissingSourceOrNoDatabaseFailsAndChangesNothing) {
  SessionFixture f;
  f.session.MdbName = "gone.mdb";
  const std::string missing = test::ThrownMessage([&] { f.session.CompactDatabase(); });
  EXPECT_TRUE(SjisToUtf8(missing).ends_with(" は開けません")) << SjisToUtf8(missing);
  EXPECT_FALSE(FileExists(f.File("gone.mdb")));
  EXPECT_FALSE(FileExists(f.File("gone.mdb.cache")));

  f.session.MdbName = "text.mdb";
  WriteWholeFile(f.File("text.mdb"), "plain text, no database at all");
  EXPECT_THROW(f.session.CompactDatabase(), TarnwickError);
  EXPECT_EQ(ReadWholeFile(f.File("text.mdb")), "plain text, no database at all");
  EXPECT_FALSE(FileExists(f.File("text.mdb.cache")));
}

TEST(CompactDatabase, ADatabaseInUseByAnotherConnectionIsLeftUnchanged) {
  CompactFixture f;
  Connection other;
  other.SetConnectionString(f.session.ConnectionString());
  other.Open();
  Query reader(other);
  reader.SetSql("SELECT count(*) FROM Notes");
  reader.Open();
  f.connection.Close();
  const std::string before = ReadWholeFile(f.Path());

  const std::string message = test::ThrownMessage([&] { f.session.CompactDatabase(); });
  EXPECT_NE(message, "");
  EXPECT_EQ(ReadWholeFile(f.Path()), before);
  EXPECT_FALSE(FileExists(f.CopyPath()));
  EXPECT_EQ(reader.FieldAt(0).AsString(), std::to_string(kRows));
  reader.Close();
  other.Close();
  f.ExpectWholeDatabase();
}

TEST(CompactDatabase, AFailureAtAnyStepLeavesAWholeDatabaseAndReachesTheCaller) {
  for (CompactStep failing : kSteps) {
    SCOPED_TRACE(static_cast<int>(failing));
    CompactFixture f;
    f.connection.Close();
    const std::string before = ReadWholeFile(f.Path());
    const auto failAt = [failing](CompactStep step) {
      if (step == failing) throw TarnwickError("injected failure");
    };
    EXPECT_EQ(test::ThrownMessage([&] { CompactDatabaseFile(f.Path(), failAt); }),
              "injected failure");
    if (failing < CompactStep::SyncFolder) {
      EXPECT_EQ(ReadWholeFile(f.Path()), before);  // the source is unchanged
      EXPECT_FALSE(FileExists(f.CopyPath()));
    }
    f.ExpectWholeDatabase();
  }
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
      test::ThrownMessage([&] { CompactDatabaseFile(f.Path(), blockRename); });
  EXPECT_TRUE(SjisToUtf8(message).ends_with(" を作成できません")) << SjisToUtf8(message);
  EXPECT_EQ(ReadWholeFile(f.Path()), before);
  f.ExpectWholeDatabase();
}

TEST(CompactDatabase, AProcessKilledAtAnyStepLeavesAWholeDatabase) {
  for (CompactStep killedAt : kSteps) {
    SCOPED_TRACE(static_cast<int>(killedAt));
    CompactFixture f;
    f.connection.Close();
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
      CompactDatabaseFile(f.Path(), [killedAt](CompactStep step) {
        if (step == killedAt) _exit(0);
      });
      _exit(1);  // never reached: every step is one of the killing points
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    f.ExpectWholeDatabase();

    // The next compaction clears what the killed one left behind.
    f.session.CompactDatabase();
    EXPECT_FALSE(FileExists(f.CopyPath()));
    f.ExpectWholeDatabase();
  }
}

}  // namespace
}  // namespace tarnwick
