// The read-only connection kind on a Jet (Access) file: told by its first bytes whatever its
// name, refused where a database of ours is expected, read through the table object, and
// refusing every statement.
#include <gtest/gtest.h>

#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/JetFile.h"
#include "data/Udl.h"
#include "support/JetSamples.h"
#include "support/ThrownMessage.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"

namespace tarnwick {
namespace {

using test::ThrownMessage;

struct JetConnection {
  test::TempDir dir;
  Connection connection;

  JetConnection(const char* sample, const char* name, JetFiles jetFiles) : connection(jetFiles) {
    const std::string file = test::CopyOfSample(dir, sample, name);
    WriteUdlFile(dir.File("x.udl"), file);
    connection.SetConnectionString("FILE NAME=" + dir.File("x.udl"));
  }
};

TEST(JetConnection, AJetFileIsToldByItsBytesAndRefusedWhereOursIsExpected) {
  REQUIRE_JET_SAMPLES();
  JetConnection jet("testV1997.mdb", "named-like-a.txt", JetFiles::Refused);
  const std::string message = ThrownMessage([&] { jet.connection.Open(); });
  EXPECT_EQ(message, JetFileRefused(jet.dir.File("named-like-a.txt")).what());
  EXPECT_FALSE(jet.connection.Connected());
}

TEST(JetConnection, ItsTablesReadThroughTheTableObjectWithTheirJetTypes) {
  REQUIRE_JET_SAMPLES();
  JetConnection jet("testV1997.mdb", "a.mdb", JetFiles::ReadOnly);
  EXPECT_EQ(jet.connection.TableNames(),
            (std::vector<std::string>{"Table1", "Table2", "Table3", "Table4"}));
  KeyRowset keys = jet.connection.PrimaryKeys();
  keys.SetFilter("TABLE_NAME = 'Table4'");
  ASSERT_EQ(keys.RecordCount(), 1);
  EXPECT_EQ(keys.Current().columnName, "data");

  Table table(jet.connection);
  table.SetTableName("Table1");
  table.Open();
  EXPECT_EQ(table.RecordCount(), 2);
  std::string types;
  for (int i = 0; i < table.FieldCount(); ++i) {
    types += table.FieldAt(i).Name() + ":" + table.FieldAt(i).DeclaredType() + " ";
  }
  EXPECT_EQ(types,
            "A:TEXT(50) B:TEXT(100) C:BYTE D:SHORT E:LONG F:DOUBLE G:DATETIME H:CURRENCY I:YESNO ");
  EXPECT_EQ(table.FieldAt(7).Kind(), ftBCD);
  table.First();
  table.Next();
  EXPECT_EQ(table.FieldAt(0).AsString(), "abcdefg");
  EXPECT_EQ(table.FieldAt(6).AsString(), "1974-09-21 00:00:00");
  EXPECT_EQ(table.FieldAt(7).AsString(), "3.5");
  EXPECT_EQ(table.FieldAt(8).AsInteger(), -1);
  table.Next();
  EXPECT_TRUE(table.Eof());
  EXPECT_TRUE(table.FieldAt(0).IsNull()) << "past the last row nothing is read";
}

TEST(JetConnection, StatementsAndNewRowsAreRefused) {
  REQUIRE_JET_SAMPLES();
  JetConnection jet("testV1997.mdb", "a.mdb", JetFiles::ReadOnly);
  const std::string readOnly = Sjis("Jet ファイル \"") + jet.dir.File("a.mdb") +
                               Sjis("\" は読み込み専用です。SQL文は実行できません");
  Query query(jet.connection);
  query.SetSql("DELETE FROM Table1");
  EXPECT_EQ(ThrownMessage([&] { query.ExecSql(); }), readOnly);
  Table table(jet.connection);
  table.SetTableName("Table1");
  EXPECT_EQ(ThrownMessage([&] { table.Append(); }), readOnly);
  EXPECT_EQ(ThrownMessage([&] { jet.connection.BeginTransaction(); }), readOnly);
}

}  // namespace
}  // namespace tarnwick
