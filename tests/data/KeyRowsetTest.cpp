#include <gtest/gtest.h>

#include "data/Cp932.h"
#include "data/KeyRowset.h"
#include "data/ThrownMessage.h"

namespace tarnwick {
namespace {

using test::ThrownMessage;

KeyRow Key(std::string table, std::string column, int ordinal) {
  KeyRow row;
  row.tableName = std::move(table);
  row.columnName = std::move(column);
  row.ordinal = ordinal;
  row.keyName = "PrimaryKey";
  return row;
}

KeyRowset SampleRowset() {
  return KeyRowset({Key("Orders", "OrderID", 1), Key("Lines", "OrderID", 1),
                    Key("Lines", "LineNo", 2), Key("O'Brien", "ID", 1),
                    Key(Sjis("顧客"), Sjis("番号"), 1), Key("orders", "x", 1)});
}

std::vector<std::string> VisibleColumns(KeyRowset& rowset) {
  std::vector<std::string> columns;
  for (rowset.First(); !rowset.Eof(); rowset.Next()) columns.push_back(rowset.Current().columnName);
  return columns;
}

TEST(KeyRowsetTest, WithoutFilterEveryRowIsShownAndCounted) {
  KeyRowset rowset = SampleRowset();
  EXPECT_EQ(rowset.RecordCount(), 6);
  EXPECT_EQ(VisibleColumns(rowset).size(), 6u);
  rowset.SetFilter("TABLE_NAME = 'Lines'");
  rowset.SetFilter("");
  EXPECT_EQ(rowset.RecordCount(), 6);
}

TEST(KeyRowsetTest, FilterNarrowsToOneTableInKeyOrder) {
  KeyRowset rowset = SampleRowset();
  rowset.SetFilter("TABLE_NAME = 'Lines'");
  EXPECT_EQ(rowset.RecordCount(), 2);
  ASSERT_FALSE(rowset.Eof());
  EXPECT_EQ(rowset.Current().ordinal, 1);
  EXPECT_EQ(VisibleColumns(rowset), (std::vector<std::string>{"OrderID", "LineNo"}));
  rowset.Next();  // past the end stays at the end
  EXPECT_TRUE(rowset.Eof());
}

TEST(KeyRowsetTest, FilterAcceptsSpacingKeywordCaseAndDoubledApostrophes) {
  KeyRowset rowset = SampleRowset();
  rowset.SetFilter("table_name='O''Brien'");
  EXPECT_EQ(VisibleColumns(rowset), std::vector<std::string>{"ID"});
  rowset.SetFilter("  Table_Name   =   'Orders'  ");
  EXPECT_EQ(VisibleColumns(rowset), std::vector<std::string>{"OrderID"});
  rowset.SetFilter("TABLE_NAME = '" + Sjis("顧客") + "'");
  EXPECT_EQ(VisibleColumns(rowset), std::vector<std::string>{Sjis("番号")});
}

TEST(KeyRowsetTest, TableNamesCompareExactly) {
  KeyRowset rowset = SampleRowset();
  rowset.SetFilter("TABLE_NAME = 'orders'");
  EXPECT_EQ(VisibleColumns(rowset), std::vector<std::string>{"x"});
  rowset.SetFilter("TABLE_NAME = 'Nothing'");
  EXPECT_EQ(rowset.RecordCount(), 0);
  EXPECT_TRUE(rowset.Eof());
  EXPECT_FALSE(ThrownMessage([&] { rowset.Current(); }).empty());
}

TEST(KeyRowsetTest, OtherFilterFormsAreRefusedAndKeepThePreviousFilter) {
  KeyRowset rowset = SampleRowset();
  rowset.SetFilter("TABLE_NAME = 'Lines'");
  for (const char* bad :
       {"TABLE_NAME = 'Lines", "TABLE_NAME 'Lines'", "COLUMN_NAME = 'ID'", "TABLE_NAME = 'a' AND 1",
        "TABLE_NAME = Lines", "TABLE_NAMES = 'x'", "TABLE_NAME = 'O'Brien'"}) {
    EXPECT_EQ(ThrownMessage([&] { rowset.SetFilter(bad); }),
              Sjis("フィルタ \"") + bad + Sjis("\" は正しくありません"))
        << bad;
  }
  EXPECT_EQ(rowset.RecordCount(), 2);
}

}  // namespace
}  // namespace tarnwick
