// The outline of the open database that the table panel lists and completion offers: tables
// and views with their columns' Jet types and key marks, and when it must be read again.
#include <gtest/gtest.h>

#include "console/SchemaOutline.h"
#include "support/TestDatabase.h"

namespace tarnwick {
namespace {

using test::TestDatabase;

TEST(SchemaOutline, ListsTablesAndViewsWithJetTypesAndKeyColumns) {
  TestDatabase database;
  database.Exec("CREATE TABLE 部署 (部署ID LONG PRIMARY KEY, 部署名 TEXT(30) NOT NULL)");
  database.Exec(
      "CREATE TABLE 社員 (社員番号 COUNTER, 年 SHORT, 氏名 TEXT(20), 入社日 DATETIME, "
      "給与 CURRENCY, 在籍 YESNO, 部署ID LONG REFERENCES 部署 (部署ID), "
      "CONSTRAINT pk PRIMARY KEY (社員番号, 年))");
  database.Exec("CREATE VIEW 名簿 AS SELECT 氏名, 給与 * 2 AS 倍 FROM 社員");
  const SchemaOutline outline = ReadSchemaOutline(database.Db());
  const SchemaOutline expected{{
      {"部署", false, {{"部署ID", "LONG", true}, {"部署名", "TEXT(30)", false}}},
      {"社員",
       false,
       {{"社員番号", "COUNTER", true},
        {"年", "SHORT", true},
        {"氏名", "TEXT(20)", false},
        {"入社日", "DATETIME", false},
        {"給与", "CURRENCY", false},
        {"在籍", "YESNO", false},
        {"部署ID", "LONG", false}}},
      {"名簿", true, {{"氏名", "TEXT(20)", false}, {"倍", "CURRENCY", false}}},
  }};
  EXPECT_EQ(outline, expected);
  EXPECT_EQ(outline.Find("部署"), &outline.tables[0]);
  EXPECT_EQ(outline.Find("nothing"), nullptr);
}

TEST(SchemaOutline, ItsSourceChangesWithEveryDefinitionAndWithTheDatabaseOnly) {
  TestDatabase database;
  const auto before = CurrentOutlineSource(database.Db(), "a.mdb");
  ASSERT_TRUE(before.has_value());
  database.Exec("CREATE TABLE t (a LONG)");
  database.Exec("INSERT INTO t VALUES (1)");
  const auto created = CurrentOutlineSource(database.Db(), "a.mdb");
  EXPECT_NE(created, before);
  database.Exec("INSERT INTO t VALUES (2)");
  database.Exec("SELECT * INTO u FROM t WHERE a > 5");
  EXPECT_NE(CurrentOutlineSource(database.Db(), "a.mdb"), created);
  const auto selectedInto = CurrentOutlineSource(database.Db(), "a.mdb");
  database.Exec("UPDATE t SET a = 3");
  EXPECT_EQ(CurrentOutlineSource(database.Db(), "a.mdb"), selectedInto);
  EXPECT_NE(CurrentOutlineSource(database.Db(), "b.mdb"), selectedInto);
  // A closed connection is not opened to answer.
  database.Db().Close();
  EXPECT_EQ(CurrentOutlineSource(database.Db(), "a.mdb"), std::nullopt);
  EXPECT_FALSE(database.Db().Connected());
}

}  // namespace
}  // namespace tarnwick
