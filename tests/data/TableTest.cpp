#include <gtest/gtest.h>
#include <sqlite3.h>

#include "data/Connection.h"
#include "data/Dataset.h"
#include "support/TestDatabase.h"
#include "support/ThrownMessage.h"
#include "text/Cp932.h"

namespace tarnwick {
namespace {

using test::TestDatabase;
using test::ThrownMessage;

TEST(TableTest, OpensAllRowsOfATableWhateverItsName) {
  TestDatabase db;
  db.Exec(R"(CREATE TABLE "my ""quoted"" 表" (a INTEGER, b TEXT))");
  db.EngineExec(R"(INSERT INTO "my ""quoted"" 表" VALUES (1, 'x'), (2, 'y'))");
  Table table(db.Db());
  table.SetTableName(Sjis("my \"quoted\" 表"));
  table.Open();
  EXPECT_EQ(table.FieldAt(1).Name() + table.FieldAt(1).AsString(), "bx");
  EXPECT_EQ(table.RecordCount(), 2);
  table.SetTableName("missing");
  const std::string missing = Sjis(
      "入力テーブルまたはクエリ 'missing' が見つかりません。名前が存在し、スペルが正しいかどう"
      "か確認してください。\r\nヒント: テーブルの一覧は ? で確かめられます。");
  EXPECT_EQ(ThrownMessage([&] { table.Open(); }), missing);
  EXPECT_EQ(ThrownMessage([&] { table.RecordCount(); }), missing);
}

TEST(TableTest, AppendingOnAnOpenTableChecksAndKeepsRows) {
  TestDatabase db;
  db.Exec("CREATE TABLE items (id INTEGER PRIMARY KEY, name TEXT)");
  db.EngineExec("INSERT INTO items (id) VALUES (1), (2)");
  Query source(db.Db());
  source.SetSql("SELECT 1 AS id, 'dup' AS name, 5 AS free_id, 3 AS next_id");
  source.Open();
  Table table(db.Db());
  table.SetTableName("items");
  table.Open();
  EXPECT_EQ(ThrownMessage([&] { table.FieldAt(1).Assign(source.FieldAt(1)); }),
            Sjis("行の追加中ではないため、フィールド 'name' に値を設定できません。"));

  // A field of the row being built reads NULL; reading goes back to the current row after.
  table.Append();
  table.FieldAt(0).Assign(source.FieldAt(3));
  table.FieldAt(1).Assign(table.FieldAt(1));
  table.Post();
  EXPECT_EQ(table.RecordCount(), 3);
  ASSERT_FALSE(table.Eof());
  EXPECT_EQ(table.FieldAt(0).AsInteger(), 1);

  table.Append();
  table.FieldAt(0).Assign(source.FieldAt(0));
  EXPECT_EQ(ThrownMessage([&] { table.Post(); }),
            Sjis("インデックス、主キー、またはリレーションシップで値が重複しているので、テーブル "
                 "'items' を変更できませんでした (フィールド 'id')。\r\nヒント: 'id' が同じ値の"
                 "レコードが既にあります。別の値を指定するか、既にあるレコードを UPDATE で変更し"
                 "てください。"));
  EXPECT_TRUE(table.FieldAt(1).IsNull());  // still the row being built, not the current row
  table.Close();                           // drops the row that was refused

  // Starting another row stores the one given values first; an unfinished row is dropped.
  table.Open();
  table.Append();
  table.FieldAt(0).Assign(source.FieldAt(2));
  table.FieldAt(1).Assign(source.FieldAt(1));
  table.Append();
  table.Close();
  EXPECT_EQ(db.EngineScalar("SELECT group_concat(id || ifnull(name, '-')) FROM items"),
            "1-,2-,3-,5dup");
}

TEST(TableTest, AValueOverTheEnginesLengthLimitFailsItsRow) {
  constexpr const char* kNotes = "CREATE TABLE notes (id INTEGER PRIMARY KEY, body TEXT, pic BLOB)";
  TestDatabase source;
  source.Exec(kNotes);
  source.EngineExec(
      "INSERT INTO notes VALUES (1, 'a text of more than sixteen bytes', x'01'),"
      " (2, 'short', x'000102030405060708090a0b0c0d0e0f10'), (3, 'short', x'01')");
  TestDatabase target;
  target.Exec(kNotes);
  Table to(target.Db());
  to.SetTableName("notes");
  to.Open();  // reads the table's columns while the engine can still read its definition
  const int usualLimit = sqlite3_limit(target.Db().Handle(), SQLITE_LIMIT_LENGTH, 16);
  Table from(source.Db());
  from.SetTableName("notes");
  from.Open();
  for (; !from.Eof(); from.Next()) {
    to.Open();  // a refused row stays the row being built; opening again drops it
    to.Append();
    for (int i = 0; i < from.FieldCount(); ++i) to.FieldAt(i).Assign(from.FieldAt(i));
    EXPECT_EQ(ThrownMessage([&] { to.Post(); }),
              from.FieldAt(0).AsInteger() < 3
                  ? Sjis("データが大きすぎるため、格納または処理できません。")
                  : "")
        << "row " << from.FieldAt(0).AsString();
  }
  to.Close();
  sqlite3_limit(target.Db().Handle(), SQLITE_LIMIT_LENGTH, usualLimit);
  // The refused values were not stored as NULL in their place: only the third row is there.
  EXPECT_EQ(target.EngineScalar("SELECT group_concat(id || body || (pic = x'01')) FROM notes"),
            "3short1");
}

}  // namespace
}  // namespace tarnwick
