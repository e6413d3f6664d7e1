// The read-only connection kind on a Jet (Access) file: told by its first bytes whatever its
// name, refused where a database of ours is expected, and refusing every statement. (Its
// tables read through the table object: the import's tests.)
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

TEST(JetConnection, StatementsAndNewRowsAreRefused) {
  REQUIRE_JET_SAMPLES();
  JetConnection jet("testV1997.mdb", "a.mdb", JetFiles::ReadOnly);
  const std::string readOnly = Sjis("Jet ファイル \"") + jet.dir.File("a.mdb") +
                               Sjis("\" は読み込み専用です。SQL ステートメントは実行できません。");
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
