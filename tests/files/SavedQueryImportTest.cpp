// Saved queries of another database created as views: a query reading another query after
// it, and each query the front end refuses listed with its message while the others go on.
#include <gtest/gtest.h>

#include "data/Dataset.h"
#include "files/SavedQueryImport.h"
#include "support/TestDatabase.h"
#include "text/Cp932.h"
#include "text/ResultPane.h"

namespace tarnwick {
namespace {

SavedQuery Select(const std::string& name, const std::string& sql,
                  const std::string& parameters = "") {
  return {Sjis(name), SavedQueryKind::Select, sql, parameters};
}

TEST(SavedQueryImport, ViewsFollowTheQueriesTheyReadAndRefusalsAreListed) {
  test::TestDatabase db;
  db.Exec("CREATE TABLE 得意先 (id LONG, 地域 TEXT(10))");
  db.Exec("INSERT INTO 得意先 VALUES (1, '東')");
  db.Exec("INSERT INTO 得意先 VALUES (2, '西')");
  db.Exec("INSERT INTO 得意先 VALUES (3, '東')");
  const std::vector<SavedQuery> queries = {
      Select("東の件数", "SELECT Count(*) AS 件数 FROM 東の客"),
      Select("東の客", "SELECT id FROM 得意先 WHERE 地域 = \"東\""),
      Select("両方", "SELECT id FROM 東の客\r\nUNION ALL SELECT id FROM 西の客"),
      Select("西の客", "SELECT T.id FROM [得意先] AS T WHERE T.地域 = '西' ORDER BY T.id"),
      Select("消えた表", "SELECT x FROM 取り込まなかった表"),
      Select("壊れた", "SELECT FROM WHERE"),
      Select("地域で", "SELECT id FROM 得意先 WHERE 地域 = [地域名]", "PARAMETERS [地域名] Text;"),
      {Sjis("削除"), SavedQueryKind::Delete, "", ""},
  };
  Query query(db.Db());
  StringPane pane;
  ImportSavedQueries(query, queries, pane);

  const std::string refused = "' は取り込めません (";
  EXPECT_EQ(SjisToUtf8(pane.Text()),
            "クエリ '東の件数' をビューとして取込みました\r\n"
            "クエリ '東の客' をビューとして取込みました\r\n"
            "クエリ '両方' をビューとして取込みました\r\n"
            "クエリ '西の客' をビューとして取込みました\r\n"
            "クエリ '消えた表" +
                refused +
                "入力テーブルまたはクエリ '取り込まなかった表' "
                "が見つかりません。名前が存在し、スペルが正しいかどうか確認してください。)\r\n" +
                "クエリ '壊れた" + refused +
                "SELECT "
                "ステートメントには、予約語、引数名、または句読点のスペルミスがあるか、欠けているも"
                "のがあります ('FROM' の付近)。)\r\n" +
                "クエリ '地域で" + refused + "パラメータクエリはビューにできません)\r\n" +
                "クエリ '削除" + refused + "削除クエリ: アクションクエリはビューにできません)\r\n");
  EXPECT_EQ(db.Scalar("SELECT 件数 FROM 東の件数"), "2");
  EXPECT_EQ(db.Scalar("SELECT Count(*) FROM 両方"), "3");
  EXPECT_EQ(db.Scalar("SELECT id FROM 西の客"), "2");
}

TEST(SavedQueryImport, EachKindOfQueryThatIsNoViewIsListedWithItsReason) {
  test::TestDatabase db;
  const std::pair<SavedQueryKind, std::string> kinds[] = {
      {SavedQueryKind::Crosstab, "クロス集計クエリはビューにできません"},
      {SavedQueryKind::MakeTable, "テーブル作成クエリ: アクションクエリはビューにできません"},
      {SavedQueryKind::Append, "追加クエリ: アクションクエリはビューにできません"},
      {SavedQueryKind::Update, "更新クエリ: アクションクエリはビューにできません"},
      {SavedQueryKind::Delete, "削除クエリ: アクションクエリはビューにできません"},
      {SavedQueryKind::DataDefinition, "データ定義クエリはビューにできません"},
      {SavedQueryKind::PassThrough,
       "パススルークエリは他のデータベースで実行するため、ビューにできません"},
      {SavedQueryKind::Unknown, "種類の分からないクエリです"},
  };
  std::vector<SavedQuery> queries;
  std::string expected;
  for (const auto& [kind, reason] : kinds) {
    queries.push_back({Sjis("q"), kind, "SELECT 1", ""});
    expected += "クエリ 'q' は取り込めません (" + reason + ")\r\n";
  }
  queries.push_back({Sjis("q"), SavedQueryKind::Union, "", ""});
  expected += "クエリ 'q' は取り込めません (クエリの SQL を読み取れません)\r\n";
  Query query(db.Db());
  StringPane pane;
  ImportSavedQueries(query, queries, pane);
  EXPECT_EQ(SjisToUtf8(pane.Text()), expected);
}

}  // namespace
}  // namespace tarnwick
