#include <gtest/gtest.h>

#include "data/Connection.h"
#include "data/Cp932.h"
#include "support/TestDatabase.h"

namespace tarnwick {
namespace {

using test::TestDatabase;

std::vector<std::string> KeyColumns(KeyRowset rows) {
  std::vector<std::string> columns;
  for (rows.First(); !rows.Eof(); rows.Next()) {
    columns.push_back(rows.Current().tableName + "." + rows.Current().columnName + "#" +
                      std::to_string(rows.Current().ordinal));
  }
  return columns;
}

TEST(CatalogueTest, TableNamesListTablesAndViewsInTheOrderTheyWereMade) {
  TestDatabase db;
  EXPECT_TRUE(db.Db().TableNames().empty());
  db.Exec("CREATE TABLE zebra (a INTEGER)");
  db.Exec("CREATE TABLE __tarnwick_state (a INTEGER)");
  db.Exec("CREATE TABLE apple (a INTEGER PRIMARY KEY AUTOINCREMENT)");  // makes sqlite_sequence
  db.Exec("CREATE INDEX apple_a ON apple (a)");
  db.Exec("CREATE VIEW mango AS SELECT a FROM zebra");
  db.Exec("CREATE TABLE 商品 (a INTEGER)");
  db.Exec("CREATE TRIGGER never AFTER INSERT ON zebra BEGIN SELECT 1; END");

  const std::vector<std::string> expected = {"zebra", "apple", "mango", Sjis("商品")};
  EXPECT_EQ(db.Db().TableNames(), expected);
  EXPECT_TRUE(db.Db().ProcedureNames().empty());
}

TEST(CatalogueTest, PrimaryKeysListEveryKeyColumnInKeyOrder) {
  TestDatabase db;
  db.Exec(
      "CREATE TABLE orders (note TEXT, line INTEGER, ordno INTEGER, PRIMARY KEY (ordno, line))");
  db.Exec("CREATE TABLE plain (a INTEGER)");
  db.Exec("CREATE TABLE 顧客 (番号 INTEGER PRIMARY KEY, 名前 TEXT)");
  db.Exec("CREATE VIEW v AS SELECT ordno FROM orders");

  KeyRowset keys = db.Db().PrimaryKeys();
  const std::vector<std::string> expected = {"orders.ordno#1", "orders.line#2",
                                             Sjis("顧客.番号#1")};
  EXPECT_EQ(KeyColumns(keys), expected);

  keys.First();
  const KeyRow& row = keys.Current();
  EXPECT_EQ(row.catalog, "");
  EXPECT_EQ(row.schema, "");
  EXPECT_EQ(row.tableName, "orders");
  EXPECT_EQ(row.columnName, "ordno");
  EXPECT_EQ(row.columnGuid, "");
  EXPECT_EQ(row.columnPropId, 0);
  EXPECT_EQ(row.ordinal, 1);
  EXPECT_EQ(row.keyName, "PrimaryKey");

  keys.SetFilter("TABLE_NAME = 'plain'");
  EXPECT_EQ(keys.RecordCount(), 0);
}

}  // namespace
}  // namespace tarnwick
