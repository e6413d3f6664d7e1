#include <errno.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "ThrownMessage.h"
#include "data/Connection.h"
#include "data/Cp932.h"
#include "data/Dataset.h"
#include "data/FileAccess.h"
#include "data/Udl.h"
#include "support/TestDatabase.h"

namespace tarnwick {
namespace {

using test::MakeDatabase;
using test::TempDir;
using test::TestDatabase;
using test::ThrownMessage;

bool HasSideFiles(const std::string& databasePath) {
  for (const char* suffix : {"-wal", "-shm", "-journal"}) {
    if (std::filesystem::exists(databasePath + suffix)) return true;
  }
  return false;
}

// A descriptor with the given text (ASCII), stored as the descriptor format wants it.
void WriteDescriptorText(const std::string& path, std::string_view text) {
  std::string bytes = "\xFF\xFE";
  for (char c : text) {
    bytes += c;
    bytes += '\0';
  }
  WriteWholeFile(path, bytes);
}

std::string ConnectFailure(const std::string& connectionString) {
  Connection connection;
  connection.SetConnectionString(connectionString);
  std::string message = ThrownMessage([&] { connection.Open(); });
  EXPECT_FALSE(connection.Connected());
  return message;
}

TEST(ConnectionTest, ConnectingToWhatIsNoDatabaseFailsAndCreatesNothing) {
  TempDir dir;
  const std::string udl = dir.File("db.udl");

  const std::string missing = dir.File("missing.mdb");
  WriteUdlFile(udl, missing);
  EXPECT_EQ(ConnectFailure("FILE NAME=" + udl),
            Sjis("データベースファイル \"") + missing + Sjis("\" が見つかりません"));
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_FALSE(HasSideFiles(missing));

  const std::string jetHeader("\x00\x01\x00\x00Standard Jet DB\x00", 20);
  for (const std::string& content :
       {std::string("just some text\r\n"), jetHeader + std::string(4076, '\0'), std::string()}) {
    const std::string file = dir.File("not-a-database.mdb");
    WriteWholeFile(file, content);
    WriteUdlFile(udl, file);
    EXPECT_EQ(ConnectFailure("FILE NAME=" + udl),
              Sjis("ファイル \"") + file + Sjis("\" はデータベースではありません"));
    EXPECT_EQ(ReadWholeFile(file), content);
    EXPECT_FALSE(HasSideFiles(file));
  }
}

TEST(ConnectionTest, ConnectingThroughABadDescriptorNamesTheProblem) {
  TempDir dir;
  const std::string udl = dir.File("db.udl");
  EXPECT_EQ(ConnectFailure("FILE NAME=" + udl), FileOpenMessage(udl, ENOENT));

  WriteDescriptorText(udl, "[oledb]\r\nProvider=SQLOLEDB.1;Data Source=x.mdb;\r\n");
  EXPECT_EQ(ConnectFailure("FILE NAME=" + udl),
            Sjis("接続記述ファイル \"") + udl +
                Sjis("\" のプロバイダ \"SQLOLEDB.1\" には対応していません"));

  WriteDescriptorText(udl, "[oledb]\r\nProvider=Microsoft.Jet.OLEDB.4.0;Mode=ReadWrite;\r\n");
  EXPECT_EQ(ConnectFailure("FILE NAME=" + udl), Sjis("データベースファイル \"\" が見つかりません"));

  EXPECT_EQ(ConnectFailure(udl),
            Sjis("接続文字列 \"") + udl + Sjis("\" は \"FILE NAME=\" で始まっていません"));
}

TEST(ConnectionTest, ReachesADatabaseWhoseNameIsJapanese) {
  TempDir dir;
  const std::string database = dir.File("データ.mdb");  // the file system's name, UTF-8
  Connection connection;
  connection.SetConnectionString(MakeDatabase(Sjis(database), Sjis(dir.File("データ.udl"))));
  connection.Open();
  EXPECT_TRUE(connection.Connected());
  connection.Close();
  EXPECT_TRUE(std::filesystem::exists(database));
  EXPECT_FALSE(HasSideFiles(database));
}

TEST(ConnectionTest, WorksInLogModeAndACleanCloseLeavesNoSideFiles) {
  TestDatabase db;
  EXPECT_TRUE(db.Db().Connected());
  EXPECT_EQ(db.Scalar("PRAGMA journal_mode"), "wal");
  db.Exec("CREATE TABLE t (a INTEGER)");
  db.Exec("INSERT INTO t VALUES (1)");
  EXPECT_TRUE(std::filesystem::exists(db.DatabasePath() + "-wal"));

  Query open(db.Db());
  open.SetSql("SELECT a FROM t");
  open.Open();
  db.Db().Close();
  EXPECT_FALSE(db.Db().Connected());
  EXPECT_FALSE(open.Active());  // closed with its connection, its statement released
  EXPECT_FALSE(HasSideFiles(db.DatabasePath()));
  db.Db().Close();  // closing again does nothing
}

TEST(ConnectionTest, AStatementIsOnDiskWhenItReturnsEvenIfTheProgramIsKilled) {
  TempDir dir;
  const std::string connectionString = MakeDatabase(dir.File("d.mdb"), dir.File("d.udl"));
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    try {
      Connection connection;
      connection.SetConnectionString(connectionString);
      Query query(connection);
      for (const char* sql : {"CREATE TABLE t (a INTEGER)", "INSERT INTO t VALUES (42)"}) {
        query.SetSql(sql);
        query.ExecSql();
      }
      kill(getpid(), SIGKILL);  // no close, no clean-up
    } catch (...) {
    }
    _exit(1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));

  Connection connection;
  connection.SetConnectionString(connectionString);
  Query query(connection);
  query.SetSql("SELECT a FROM t");
  query.Open();
  ASSERT_FALSE(query.Eof());
  EXPECT_EQ(query.FieldAt(0).AsInteger(), 42);
}

TEST(ConnectionTest, EveryStatementIsSeenByASecondConnectionRightAway) {
  TestDatabase db;
  Connection second;
  second.SetConnectionString(db.ConnectionString());
  Query reader(second);
  reader.SetSql("SELECT count(*) FROM t");

  db.Exec("CREATE TABLE t (a INTEGER)");
  db.Exec("INSERT INTO t VALUES (1)");
  reader.Open();
  EXPECT_EQ(reader.FieldAt(0).AsInteger(), 1);
  reader.Close();

  db.Db().BeginTransaction();
  EXPECT_TRUE(db.Db().InTransaction());
  db.Exec("INSERT INTO t VALUES (2)");
  reader.Open();
  EXPECT_EQ(reader.FieldAt(0).AsInteger(), 1);  // not before the commit
  reader.Close();
  db.Db().Commit();
  EXPECT_FALSE(db.Db().InTransaction());
  reader.Open();
  EXPECT_EQ(reader.FieldAt(0).AsInteger(), 2);
  reader.Close();

  db.Db().BeginTransaction();
  db.Exec("INSERT INTO t VALUES (3)");
  db.Db().Rollback();
  EXPECT_FALSE(db.Db().InTransaction());
  EXPECT_EQ(db.Scalar("SELECT count(*) FROM t"), "2");
  db.Db().Rollback();  // nothing to undo: no error
}

TEST(ConnectionTest, ALockedDatabaseGivesTheEngineMessage) {
  TestDatabase db;
  db.Exec("CREATE TABLE t (a INTEGER)");
  Connection second;
  second.SetConnectionString(db.ConnectionString());
  second.BeginTransaction();  // holds the write lock

  Query insert(db.Db());
  insert.SetSql("INSERT INTO t VALUES (1)");
  EXPECT_EQ(ThrownMessage([&] { insert.ExecSql(); }), "database is locked");
  second.Rollback();
  insert.ExecSql();
  EXPECT_EQ(db.Scalar("SELECT count(*) FROM t"), "1");
}

TEST(ConnectionTest, UsingAClosedConnectionOpensItFirst) {
  TestDatabase db;
  db.Exec("CREATE TABLE t (a INTEGER)");
  Query query(db.Db());
  Table table(db.Db());
  table.SetTableName("t");

  db.Db().Close();
  query.SetSql("INSERT INTO t VALUES (7)");
  query.ExecSql();
  EXPECT_TRUE(db.Db().Connected());

  db.Db().Close();
  query.SetSql("SELECT a FROM t");
  query.Open();
  EXPECT_EQ(query.FieldAt(0).AsInteger(), 7);

  db.Db().Close();
  table.Open();
  EXPECT_EQ(table.FieldAt(0).AsInteger(), 7);

  db.Db().Close();
  EXPECT_EQ(table.RecordCount(), 1);
  for (auto use :
       {+[](Connection& c) { c.TableNames(); }, +[](Connection& c) { c.PrimaryKeys(); },
        +[](Connection& c) { c.ProcedureNames(); }, +[](Connection& c) { c.Handle(); }}) {
    db.Db().Close();
    use(db.Db());
    EXPECT_TRUE(db.Db().Connected());
  }
}

}  // namespace
}  // namespace tarnwick
