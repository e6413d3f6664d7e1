// What the connection lists of a database: its tables and views, and every key column; and
// the key rowset's filter on one table.
#include <gtest/gtest.h>

#include "ThrownMessage.h"
#include "data/Connection.h"
#include "data/Cp932.h"
#include "support/TestDatabase.h"

namespace tarnwick {
namespace {

using test::TestDatabase;
using Shown = std::vector<std::string>;

// The rows from where the rowset stands to its end, as "table.column#ordinal" (UTF-8).
Shown RowsFromHere(KeyRowset& rows) {
  Shown shown;
  for (; !rows.Eof(); rows.Next()) {
    const KeyRow& row = rows.Current();
    shown.push_back(SjisToUtf8(row.tableName + "." + row.columnName) + "#" +
                    std::to_string(row.ordinal));
  }
  return shown;
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
  EXPECT_EQ(db.Db().TableNames(), (Shown{"zebra", "apple", "mango", Sjis("商品")}));
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
  EXPECT_EQ(keys.Current().keyName, "PrimaryKey");
  EXPECT_EQ(RowsFromHere(keys), (Shown{"orders.ordno#1", "orders.line#2", "顧客.番号#1"}));
}

TEST(KeyRowsetTest, AFilterShowsOneTableInKeyOrderComparingItsNameExactly) {
  const auto key = [](std::string table, std::string column, int ordinal) {
    return KeyRow{"", "", Sjis(table), Sjis(column), "", 0, ordinal, "PrimaryKey"};
  };
  KeyRowset rowset({key("Orders", "OrderID", 1), key("Lines", "OrderID", 1),
                    key("Lines", "LineNo", 2), key("O'Brien", "ID", 1), key("顧客", "番号", 1),
                    key("orders", "x", 1)});
  const std::pair<const char*, Shown> cases[] = {
      {"TABLE_NAME = 'Lines'", {"Lines.OrderID#1", "Lines.LineNo#2"}},
      {"",
       {"Orders.OrderID#1", "Lines.OrderID#1", "Lines.LineNo#2", "O'Brien.ID#1", "顧客.番号#1",
        "orders.x#1"}},
      // Spacing and the keyword's case are free; an apostrophe in the name is written twice.
      {"table_name='O''Brien'", {"O'Brien.ID#1"}},
      {"  Table_Name   =   'Orders'  ", {"Orders.OrderID#1"}},
      {"TABLE_NAME = '顧客'", {"顧客.番号#1"}},
      {"TABLE_NAME = 'orders'", {"orders.x#1"}},
      {"TABLE_NAME = 'Nothing'", {}},
  };
  for (const auto& [filter, shown] : cases) {
    SCOPED_TRACE(filter);
    rowset.SetFilter(Sjis(filter));
    EXPECT_EQ(rowset.RecordCount(), static_cast<int>(shown.size()));
    EXPECT_EQ(RowsFromHere(rowset), shown);  // the filter stands on its first row
    rowset.Next();                           // past the end stays at the end
    EXPECT_TRUE(rowset.Eof());
  }
  EXPECT_FALSE(test::ThrownMessage([&] { rowset.Current(); }).empty());

  // Other forms are refused and keep the previous filter.
  rowset.SetFilter("TABLE_NAME = 'Lines'");
  for (const char* bad :
       {"TABLE_NAME = 'Lines", "TABLE_NAME 'Lines'", "COLUMN_NAME = 'ID'", "TABLE_NAME = 'a' AND 1",
        "TABLE_NAME = Lines", "TABLE_NAMES = 'x'", "TABLE_NAME = 'O'Brien'"}) {
    EXPECT_EQ(test::ThrownMessage([&] { rowset.SetFilter(bad); }),
              Sjis("フィルタ \"") + bad + Sjis("\" は正しくありません"))
        << bad;
  }
  EXPECT_EQ(rowset.RecordCount(), 2);
  rowset.First();
  EXPECT_EQ(RowsFromHere(rowset), (Shown{"Lines.OrderID#1", "Lines.LineNo#2"}));
}

}  // namespace
}  // namespace tarnwick
