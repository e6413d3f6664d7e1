#include <gtest/gtest.h>

#include "data/Connection.h"
#include "data/Dataset.h"
#include "jet/JetMessages.h"
#include "support/TestDatabase.h"
#include "support/ThrownMessage.h"
#include "text/Cp932.h"

namespace tarnwick {
namespace {

using test::ThrownMessage;

class QueryTest : public ::testing::Test {
 protected:
  QueryTest() : query_(db_.Db()) { db_.Exec("CREATE TABLE t (a INTEGER, b TEXT)"); }
  std::string ExecFailure(std::string_view utf8Sql) {
    query_.SetSql(Sjis(utf8Sql));
    return ThrownMessage([&] { query_.ExecSql(); });
  }
  std::string OpenFailure(std::string_view utf8Sql) {
    query_.SetSql(Sjis(utf8Sql));
    return ThrownMessage([&] { query_.Open(); });
  }
  std::string Count() { return db_.Scalar("SELECT count(*) FROM t"); }
  test::TestDatabase db_;
  Query query_;
};

TEST_F(QueryTest, FirstRunsTheStatementAgainAndAClosedQueryHasNoRows) {
  db_.Exec("INSERT INTO t VALUES (1, 'one')");
  query_.SetSql("SELECT b FROM t ORDER BY a");
  query_.Open();
  query_.Next();
  EXPECT_TRUE(query_.Eof());
  EXPECT_TRUE(query_.FieldAt(0).IsNull());  // past the last row there is no value
  db_.Exec("INSERT INTO t VALUES (0, 'zero')");
  query_.First();
  EXPECT_EQ(query_.FieldAt(0).AsString(), "zero");
  query_.Close();
  EXPECT_TRUE(query_.Eof());
  EXPECT_EQ(ThrownMessage([&] { query_.First(); }), Sjis("データセットが開かれていません。"));
}

TEST_F(QueryTest, OneStatementAtATime) {
  const std::string none = Sjis("実行する SQL ステートメントがありません。");
  for (const char* sql : {"", ";", "  \r\n ", "-- only a comment", "/* c */ ; ;"}) {
    EXPECT_EQ(ExecFailure(sql), none) << sql;
    EXPECT_EQ(OpenFailure(sql), none) << sql;
  }
  // More than one: an error, and nothing runs.
  const std::string many = Sjis(
      "SQL ステートメントは 1 つずつ実行してください。\r\nヒント: ステートメントの終わりには ; "
      "を付けます。");
  EXPECT_EQ(ExecFailure("INSERT INTO t VALUES (3, 'x'); INSERT INTO t VALUES (4, 'y')"), many);
  EXPECT_EQ(ExecFailure("INSERT INTO t VALUES (3, 'x'); nonsense"), many);
  EXPECT_EQ(OpenFailure("SELECT a FROM t; DELETE FROM t"), many);
  EXPECT_EQ(Count(), "0");
  // A closing ';', blanks and comments after the statement are fine.
  query_.SetSql("INSERT INTO t VALUES (3, 'x');  -- the third\r\n /* done */ ;");
  query_.ExecSql();
  EXPECT_EQ(Count(), "1");
}

TEST_F(QueryTest, FailuresCarryTheEngineMessageInJapaneseAndOpenRunsOnlyRowReturningStatements) {
  db_.Exec("CREATE TABLE u (k INTEGER PRIMARY KEY)");
  db_.Exec("INSERT INTO u VALUES (1)");
  EXPECT_EQ(ExecFailure("SELEC a FROM t"),
            Sjis("SQL ステートメントが正しくありません ('SELEC' の付近)。'DELETE'、'INSERT'、"
                 "'PROCEDURE'、'SELECT'、または 'UPDATE' を使用してください。\r\nヒント: SELEC "
                 "は SELECT の書き間違いではありませんか。"));
  EXPECT_EQ(ExecFailure("INSERT INTO u VALUES (1)"),
            Sjis("インデックス、主キー、またはリレーションシップで値が重複しているので、テーブル "
                 "'u' を変更できませんでした (フィールド 'k')。\r\nヒント: 'k' が同じ値のレコー"
                 "ドが既にあります。別の値を指定するか、既にあるレコードを UPDATE で変更してくださ"
                 "い。"));
  EXPECT_EQ(OpenFailure("SELECT 表 FROM t"),
            Sjis("フィールド '表' が見つかりません。\r\nヒント: テーブル 't' のフィールドは ? t "
                 "で確かめられます。"));

  const std::string noRows = Sjis("この SQL ステートメントは結果の行を返しません。");
  EXPECT_EQ(OpenFailure("CREATE TABLE never (a INTEGER)"), noRows);
  EXPECT_EQ(OpenFailure("DELETE FROM u"), noRows);
  EXPECT_FALSE(query_.Active());
  EXPECT_EQ(db_.EngineScalar("SELECT count(*) FROM sqlite_master WHERE name = 'never'"), "0");
  EXPECT_EQ(db_.Scalar("SELECT count(*) FROM u"), "1");
  query_.SetSql("SELECT k FROM u");  // running a row-returning statement without rows is fine
  query_.ExecSql();

  // A failure on a later row comes from the move to that row (rows come in insertion order).
  db_.EngineExec("INSERT INTO t VALUES (1, 'one'), (2, 'two')");
  query_.SetSql("SELECT CInt(a * 20000) FROM t");
  query_.Open();
  EXPECT_EQ(query_.FieldAt(0).AsInteger(), 20000);
  EXPECT_EQ(ThrownMessage([&] { query_.Next(); }), Sjis("オーバーフローしました。"));
}

TEST_F(QueryTest, FieldNamesAreNeverEmptyAndNeverRepeat) {
  const std::pair<const char*, std::vector<const char*>> cases[] = {
      {R"(SELECT 1 AS "", 2 AS "", a, a, a AS a_1, b, b AS B, 3 AS COLUMN1 FROM t)",
       {"COLUMN2", "COLUMN3", "a", "a_2", "a_1", "b", "B_1", "COLUMN1"}},
      {"SELECT b AS 名前, b AS 名前, Len(b), 1 + 1, Expr1000 FROM t, (SELECT 1 AS Expr1000)",
       {"名前", "名前_1", "Expr1000", "Expr1001", "Expr1000_1"}}};
  for (const auto& [sql, names] : cases) {
    query_.SetSql(Sjis(sql));
    query_.Open();
    ASSERT_EQ(query_.FieldCount(), static_cast<int>(names.size()));
    for (int i = 0; i < query_.FieldCount(); ++i) {
      EXPECT_EQ(query_.FieldAt(i).Name(), Sjis(names[i]));
      EXPECT_EQ(query_.FieldAt(i).DisplayName(), Sjis(names[i]));
    }
  }
}

}  // namespace
}  // namespace tarnwick
