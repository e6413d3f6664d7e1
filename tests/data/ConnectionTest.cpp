#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/Udl.h"
#include "support/TestDatabase.h"
#include "support/ThrownMessage.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/messages/DatabaseMessages.h"

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

std::string ConnectFailure(const std::string& connectionString) {
  Connection connection;
  connection.SetConnectionString(connectionString);
  std::string message = ThrownMessage([&] { connection.Open(); });
  EXPECT_FALSE(connection.Connected());
  return message;
}

TEST(ConnectionTest, ConnectingToWhatIsNoDatabaseFailsNamesTheProblemAndCreatesNothing) {
  TempDir dir;
  const std::string udl = dir.File("db.udl");
  const std::string missing = dir.File("missing.mdb");
  WriteUdlFile(udl, missing);
  EXPECT_EQ(ConnectFailure("FILE NAME=" + udl), Sjis(msg::DatabaseFileNotFound(missing).Utf8()));
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_FALSE(HasSideFiles(missing));

  for (const std::string& content : {std::string("just some text\r\n"), std::string()}) {
    const std::string file = dir.File("not-a-database.mdb");
    WriteWholeFile(file, content);
    WriteUdlFile(udl, file);
    EXPECT_EQ(ConnectFailure("FILE NAME=" + udl), Sjis(msg::NotADatabaseFile(file).Utf8()));
    EXPECT_EQ(ReadWholeFile(file), content);
    EXPECT_FALSE(HasSideFiles(file));
  }

  // A missing descriptor, another provider, no database named, no descriptor named.
  DeleteFile(udl);
  EXPECT_EQ(ConnectFailure("FILE NAME=" + udl), FileOpenMessage(udl, ENOENT));
  const auto writeDescriptor = [&](std::string_view text) {  // ASCII, stored as UTF-16LE
    std::string bytes = "\xFF\xFE";
    for (char c : text) bytes += std::string{c, '\0'};
    WriteWholeFile(udl, bytes);
  };
  writeDescriptor("[oledb]\r\nProvider=SQLOLEDB.1;Data Source=x.mdb;\r\n");
  EXPECT_EQ(ConnectFailure("FILE NAME=" + udl),
            Sjis("接続記述ファイル \"") + udl +
                Sjis("\" のプロバイダ \"SQLOLEDB.1\" には対応していません。"));
  writeDescriptor("[oledb]\r\nProvider=Microsoft.Jet.OLEDB.4.0;Mode=ReadWrite;\r\n");
  EXPECT_EQ(ConnectFailure("FILE NAME=" + udl), Sjis(msg::DatabaseFileNotFound("").Utf8()));
  EXPECT_EQ(ConnectFailure(udl),
            Sjis("接続文字列 \"") + udl + Sjis("\" は \"FILE NAME=\" で始まっていません。"));
}

TEST(ConnectionTest, WorksInLogModeUnderAJapaneseNameAndACleanCloseLeavesNoSideFiles) {
  TempDir dir;
  const std::string database = dir.File("データ.mdb");  // the file system's name, UTF-8
  Connection connection;
  connection.SetConnectionString(MakeDatabase(Sjis(database), Sjis(dir.File("データ.udl"))));
  Query query(connection);
  for (const char* sql : {"CREATE TABLE t (a INTEGER)", "INSERT INTO t VALUES (1)"}) {
    query.SetSql(sql);
    query.ExecSql();
  }
  EXPECT_TRUE(std::filesystem::exists(database + "-wal"));  // the engine logs ahead
  query.SetSql("SELECT a FROM t");
  query.Open();

  connection.Close();
  EXPECT_FALSE(connection.Connected());
  EXPECT_FALSE(query.Active());  // closed with its connection, its statement released
  EXPECT_FALSE(HasSideFiles(database));
  connection.Close();  // closing again does nothing
}

TEST(ConnectionTest, AStatementIsOnDiskWhenItReturnsEvenIfTheProgramIsKilled) {
  TestDatabase db;
  db.Db().Close();
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    try {
      Query query(db.Db());  // the child's own connection
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
  EXPECT_EQ(db.Scalar("SELECT a FROM t"), "42");
}

TEST(ConnectionTest, UsingAClosedConnectionOpensItFirst) {
  TestDatabase db;
  db.Exec("CREATE TABLE t (a INTEGER)");
  Query query(db.Db());
  Table table(db.Db());
  table.SetTableName("t");
  const auto reopens = [&](const std::function<void()>& use) {
    db.Db().Close();
    use();
    return db.Db().Connected();
  };
  query.SetSql("INSERT INTO t VALUES (7)");
  EXPECT_TRUE(reopens([&] { query.ExecSql(); }));
  query.SetSql("SELECT a FROM t");
  EXPECT_TRUE(reopens([&] { query.Open(); }));
  EXPECT_TRUE(reopens([&] { table.Open(); }));
  EXPECT_TRUE(reopens([&] { EXPECT_EQ(table.RecordCount(), 1); }));
  EXPECT_TRUE(reopens([&] { db.Db().TableNames(); }));
  EXPECT_TRUE(reopens([&] { db.Db().Handle(); }));
}

}  // namespace
}  // namespace tarnwick
