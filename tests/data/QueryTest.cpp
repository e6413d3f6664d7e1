#include <gtest/gtest.h>

#include "ThrownMessage.h"
#include "data/Connection.h"
#include "data/Cp932.h"
#include "data/Dataset.h"
#include "support/TestDatabase.h"

namespace tarnwick {
namespace {

using test::TestDatabase;
using test::ThrownMessage;

std::vector<std::string> FieldNames(const Dataset& dataset) {
  std::vector<std::string> names;
  for (int i = 0; i < dataset.FieldCount(); ++i) names.push_back(dataset.FieldAt(i).Name());
  return names;
}

class QueryTest : public ::testing::Test {
 protected:
  QueryTest() : query_(db_.Db()) {
    db_.Exec("CREATE TABLE t (a INTEGER, b TEXT)");
    db_.Exec("INSERT INTO t VALUES (1, 'one')");
    db_.Exec("INSERT INTO t VALUES (2, 'two')");
  }
  std::string ExecFailure(std::string_view utf8Sql) {
    query_.SetSql(Sjis(utf8Sql));
    return ThrownMessage([&] { query_.ExecSql(); });
  }
  std::string OpenFailure(std::string_view utf8Sql) {
    query_.SetSql(Sjis(utf8Sql));
    return ThrownMessage([&] { query_.Open(); });
  }
  TestDatabase db_;
  Query query_;
};

TEST_F(QueryTest, OpenStandsOnTheFirstRowAndFirstRunsTheStatementAgain) {
  query_.SetSql("SELECT a, b FROM t ORDER BY a");
  query_.Open();
  ASSERT_TRUE(query_.Active());
  ASSERT_EQ(query_.FieldCount(), 2);
  ASSERT_FALSE(query_.Eof());
  EXPECT_EQ(query_.FieldAt(0).AsInteger(), 1);
  EXPECT_EQ(query_.FieldAt(1).AsString(), "one");
  query_.Next();
  EXPECT_EQ(query_.FieldAt(1).AsString(), "two");
  query_.Next();
  EXPECT_TRUE(query_.Eof());
  EXPECT_TRUE(query_.FieldAt(0).IsNull());  // past the last row there is no value
  query_.Next();                            // stays at the end
  EXPECT_TRUE(query_.Eof());

  db_.Exec("INSERT INTO t VALUES (0, 'zero')");
  query_.First();
  ASSERT_FALSE(query_.Eof());
  EXPECT_EQ(query_.FieldAt(1).AsString(), "zero");

  query_.Close();
  EXPECT_FALSE(query_.Active());
  EXPECT_TRUE(query_.Eof());
  query_.Close();  // no effect
  EXPECT_EQ(ThrownMessage([&] { query_.First(); }), Sjis("データセットが開かれていません"));

  query_.SetSql("SELECT a FROM t WHERE a > 100");
  query_.Open();
  EXPECT_TRUE(query_.Eof());
  EXPECT_EQ(query_.FieldCount(), 1);
}

TEST_F(QueryTest, ATextWithoutAStatementIsAnError) {
  const std::string none = Sjis("実行するSQL文がありません");
  for (const char* sql : {"", ";", "  \r\n ", "-- only a comment", "/* c */ ; ;"}) {
    EXPECT_EQ(ExecFailure(sql), none) << sql;
    EXPECT_EQ(OpenFailure(sql), none) << sql;
  }
}

TEST_F(QueryTest, MoreThanOneStatementIsAnErrorAndNothingRuns) {
  const std::string many = Sjis("SQL文は1つずつ実行してください");
  EXPECT_EQ(ExecFailure("INSERT INTO t VALUES (3, 'x'); INSERT INTO t VALUES (4, 'y')"), many);
  EXPECT_EQ(ExecFailure("DELETE FROM t; nonsense"), many);
  EXPECT_EQ(OpenFailure("SELECT a FROM t; DELETE FROM t"), many);
  EXPECT_EQ(db_.Scalar("SELECT count(*) FROM t"), "2");

  // A closing ';', blanks and comments after the statement are fine.
  query_.SetSql("INSERT INTO t VALUES (3, 'x');  -- the third\r\n /* done */ ;");
  query_.ExecSql();
  EXPECT_EQ(db_.Scalar("SELECT count(*) FROM t"), "3");
}

TEST_F(QueryTest, FailuresCarryTheEngineMessage) {
  EXPECT_EQ(ExecFailure("SELEC a FROM t"), "near \"SELEC\": syntax error");
  EXPECT_EQ(ExecFailure("INSERT INTO nowhere VALUES (1)"), "no such table: nowhere");
  EXPECT_EQ(OpenFailure("SELECT 表 FROM t"), Sjis("no such column: 表"));
  db_.Exec("CREATE TABLE u (k INTEGER PRIMARY KEY)");
  db_.Exec("INSERT INTO u VALUES (1)");
  EXPECT_EQ(ExecFailure("INSERT INTO u VALUES (1)"), "UNIQUE constraint failed: u.k");

  // A failure on a later row comes from the move to that row (rows come in insertion order).
  query_.SetSql("SELECT CASE WHEN a = 2 THEN abs(-9223372036854775807 - 1) ELSE a END FROM t");
  query_.Open();
  EXPECT_EQ(query_.FieldAt(0).AsInteger(), 1);
  EXPECT_EQ(ThrownMessage([&] { query_.Next(); }), "integer overflow");
}

TEST_F(QueryTest, OpenRefusesAStatementWithoutRowsAndDoesNotRunIt) {
  EXPECT_EQ(OpenFailure("CREATE TABLE never (a INTEGER)"),
            Sjis("CommandText は結果セットを返しません。"));
  EXPECT_EQ(OpenFailure("DELETE FROM t"), Sjis("CommandText は結果セットを返しません。"));
  EXPECT_FALSE(query_.Active());
  EXPECT_EQ(db_.Scalar("SELECT count(*) FROM sqlite_master WHERE name = 'never'"), "0");
  EXPECT_EQ(db_.Scalar("SELECT count(*) FROM t"), "2");

  // Running a row-returning statement without a result is fine.
  query_.SetSql("SELECT a FROM t");
  query_.ExecSql();
}

TEST_F(QueryTest, FieldNamesAreNeverEmptyAndNeverRepeat) {
  query_.SetSql(R"(SELECT 1 AS "", 2 AS "", a, a, a AS a_1, b, b AS B, 3 AS COLUMN1 FROM t)");
  query_.Open();
  const std::vector<std::string> expected = {"COLUMN2", "COLUMN3", "a",   "a_2",
                                             "a_1",     "b",       "B_1", "COLUMN1"};
  EXPECT_EQ(FieldNames(query_), expected);

  query_.SetSql(Sjis("SELECT b AS 名前, b AS 名前, count(*), 1 + 1 FROM t"));
  query_.Open();
  const std::vector<std::string> named = {Sjis("名前"), Sjis("名前_1"), "count(*)", "1 + 1"};
  EXPECT_EQ(FieldNames(query_), named);
  EXPECT_EQ(query_.FieldAt(1).DisplayName(), Sjis("名前_1"));
}

}  // namespace
}  // namespace tarnwick
