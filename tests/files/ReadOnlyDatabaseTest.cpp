// A database that we cannot write: opened read-only, said once in the pane, left exactly as it
// was with no side files; and side files that such a use left earlier do not spoil the database
// once it is writable again.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/CompactFile.h"
#include "files/EmptyDatabase.h"
#include "support/OrdinaryUser.h"
#include "support/SessionFixture.h"
#include "support/ThrownMessage.h"
#include "text/FileAccess.h"

namespace tarnwick {
namespace {

using test::SessionFixture;

constexpr uid_t kNobody = 65534;

// A database of two rows with its descriptor, in a folder every user may write.
struct ReadOnlyFixture : SessionFixture {
  ReadOnlyFixture() {
    chmod(dir.Path().c_str(), 0777);
    session.RecreateDatabase();
    session.SetDbConnected(true);
    Exec("CREATE TABLE t (id INTEGER)");
    Exec("INSERT INTO t VALUES (1)");
    Exec("INSERT INTO t VALUES (2)");
    connection.Close();
    pane.Clear();
  }
  std::string Path() const { return session.DatabasePath(); }
  void ExpectNoSideFiles() {
    for (const char* suffix : {"-shm", "-wal", "-journal"}) {
      EXPECT_FALSE(FileExists(Path() + suffix)) << suffix;
    }
  }
};

TEST(ReadOnlyDatabase, IsOpenedReadOnlyAndLeftExactlyAsItWas) {
  ReadOnlyFixture f;
  ASSERT_EQ(chmod(f.Path().c_str(), 0444), 0);
  const std::string before = ReadWholeFile(f.Path());
  EXPECT_TRUE(test::RunAsOrdinaryUser([&] {
    f.session.SetDbConnected(true);
    EXPECT_EQ(f.Pane(), "default.mdb ファイルに接続しました\r\n読み取り専用で開きました\r\n\r\n");
    EXPECT_EQ(f.Scalar("SELECT count(*) FROM t"), "2");
    const std::string failure = test::ThrownMessage([&] {
      f.query.SetSql("INSERT INTO t VALUES (3)");
      f.query.ExecSql();
    });
    EXPECT_EQ(SjisToUtf8(failure),
              "データベース \"" + f.Path() +
                  "\" は読み取り専用なので、更新できません。\r\nヒント: ファイルかフォルダに書き"
                  "込みの許可がありません。読み取り専用を解除するか、書き込めるフォルダにコピーして"
                  "から開いてください。");
    f.connection.Close();
    f.ExpectNoSideFiles();
    // Compaction leaves it alone; emptying it is refused before the engine opens it.
    EXPECT_FALSE(CompactDatabaseFile(f.Path()).compacted);
    EXPECT_THROW(EmptyDatabaseFile(f.Path()), TarnwickError);
    f.ExpectNoSideFiles();
  }));
  EXPECT_EQ(ReadWholeFile(f.Path()), before);  // the journal mode in the header too
}

TEST(ReadOnlyDatabase, SideFilesLeftByAReadOnlyUseDoNotBlockWritesLater) {
  ReadOnlyFixture f;
  // What an earlier version left: a shared-memory file that nobody can write.
  WriteWholeFile(f.Path() + "-shm", std::string(32768, '\0'));
  for (const std::string& file : {f.Path(), f.Path() + "-shm"}) {
    ASSERT_EQ(chown(file.c_str(), kNobody, kNobody) == 0 || geteuid() != 0, true);
  }
  ASSERT_EQ(chmod((f.Path() + "-shm").c_str(), 0444), 0);
  EXPECT_TRUE(test::RunAsOrdinaryUser([&] {
    f.session.SetDbConnected(true);
    EXPECT_EQ(f.Pane(), "default.mdb ファイルに接続しました\r\n\r\n");
    f.Exec("INSERT INTO t VALUES (3)");
    EXPECT_EQ(f.Scalar("SELECT count(*) FROM t"), "3");
    f.session.CompactDatabase();
    f.ExpectNoSideFiles();
  }));
}

}  // namespace
}  // namespace tarnwick
