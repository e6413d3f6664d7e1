// The binder by construct: result column names, each expression's Jet type, what names stand
// for, and the statements it refuses.
#include <gtest/gtest.h>

#include "FrontEndFixture.h"

namespace tarnwick::test {
namespace {

std::string Names(std::string_view sql) {
  std::string names;
  for (const JetResultColumn& column : Compiled(sql).columns) {
    names += (names.empty() ? "" : ",") + column.name;
  }
  return names;
}

TEST(JetBinderTest, ResultColumnsAreNamedAsJetNamesThem) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      // A column keeps its name as written; AS wins; every other expression is Expr1000, ...
      // counting only the unnamed ones.
      {"SELECT 氏名, 給与 * 2, 入社日 AS 日, 1 + 1, 社員.氏名 FROM 社員",
       "氏名,Expr1000,日,Expr1001,氏名"},
      {"select id, [部署ID] from 社員", "id,部署ID"},
      {"SELECT * FROM 部署", "部署ID,部署名"},
      {"SELECT b.*, 1, s.ID FROM 部署 AS b, 社員 s", "部署ID,部署名,Expr1000,ID"},
      {"SELECT True, 在籍, (SELECT 1) FROM 社員", "Expr1000,在籍,Expr1001"},
      {"SELECT x.n FROM (SELECT 氏名 AS n FROM 社員) AS x", "n"},
      {"SELECT 1 AS a, 2 UNION SELECT 氏名, 3 FROM 社員", "a,Expr1000"},
      {"SELECT 1 AS \"\"", ""},
      {"SELECT Count(*), Sum(給与) AS 計 FROM 社員", "Expr1000,計"},
  };
  for (const auto& [sql, names] : cases) EXPECT_EQ(Names(sql), names) << sql;
}

std::string TypeOf(std::string_view expression) {
  const JetCompiled compiled = Compiled("SELECT " + std::string(expression) + " FROM 社員");
  return std::string(JetTypeName(compiled.columns[0].type.type));
}

TEST(JetBinderTest, ExpressionsTakeJetsTypes) {
  const std::pair<std::string_view, std::string_view> cases[] = {
      // Literals: an integer within LONG, else DOUBLE.
      {"1", "LONG"},
      {"2147483648", "DOUBLE"},
      {"1.5", "DOUBLE"},
      {"'a'", "TEXT"},
      {"#2024/1/1#", "DATETIME"},
      {"NULL", "NULL"},
      {"1 + NULL", "NULL"},
      // + - * widen integers; floating point or text gives DOUBLE; currency stays.
      {"年齢 + 年齢", "BYTE"},
      {"年齢 + 内線", "SHORT"},
      {"内線 * 部署ID", "LONG"},
      {"在籍 + 年齢", "SHORT"},
      {"給与 * 2", "CURRENCY"},
      {"給与 * 1.5", "DOUBLE"},
      {"給与 + 給与", "CURRENCY"},
      {"単価 - 年齢", "DOUBLE"},
      {"氏名 * 2", "DOUBLE"},
      // / is DOUBLE; \ and Mod the wider integer, LONG otherwise; ^ DOUBLE.
      {"部署ID / 2", "DOUBLE"},
      {"部署ID \\ 2", "LONG"},
      {"年齢 Mod 内線", "SHORT"},
      {"単価 Mod 2", "LONG"},
      {"2 ^ 2", "DOUBLE"},
      // & and text + text give TEXT; dates with numbers give dates, two dates a number.
      {"氏名 & 1", "TEXT"},
      {"氏名 + 氏名", "TEXT"},
      {"備考 + 氏名", "MEMO"},
      {"入社日 + 1", "DATETIME"},
      {"1 + 入社日", "DATETIME"},
      {"入社日 - 1", "DATETIME"},
      {"入社日 - 入社日", "DOUBLE"},
      // Comparisons and logic on truth values are YESNO; on integers the logic works bits.
      {"在籍 = 1", "YESNO"},
      {"氏名 Like 'a%'", "YESNO"},
      {"在籍 And 在籍", "YESNO"},
      {"在籍 Or Null", "YESNO"},
      {"Not 在籍", "YESNO"},
      {"部署ID And 3", "LONG"},
      {"Not 内線", "SHORT"},
      {"-在籍", "SHORT"},
      {"-給与", "CURRENCY"},
      // Aggregates: Count LONG, Avg DOUBLE (currency for currency), others their argument's.
      {"Count(*)", "LONG"},
      {"Count(氏名)", "LONG"},
      {"Sum(給与)", "CURRENCY"},
      {"Sum(年齢)", "BYTE"},
      {"Sum(在籍)", "LONG"},
      {"Avg(給与)", "CURRENCY"},
      {"Avg(部署ID)", "DOUBLE"},
      {"Max(入社日)", "DATETIME"},
      {"Min(氏名)", "TEXT"},
      {"First(単価)", "DOUBLE"},
      {"StDev(給与)", "DOUBLE"},
      // Functions: their own types, the argument's, or the common type of the choices.
      {"Left(氏名, 1)", "TEXT"},
      {"Abs(給与)", "CURRENCY"},
      {"IIf(在籍, 1, 2.5)", "DOUBLE"},
      {"IIf(在籍, 氏名, NULL)", "TEXT"},
      {"IIf(在籍, 'a', 1)", "VARIANT"},
      {"Switch(在籍, 年齢, True, 内線)", "SHORT"},
      {"Choose(1, 氏名, 備考)", "MEMO"},
      {"(SELECT Max(給与) FROM 社員)", "CURRENCY"},
      {"Exists (SELECT 1)", "YESNO"},
  };
  for (const auto& [expression, type] : cases) EXPECT_EQ(TypeOf(expression), type) << expression;
}

TEST(JetBinderTest, ColumnsKeepTheirDeclaredTypesThroughQueriesAndUnions) {
  const JetCompiled compiled =
      Compiled("SELECT ID, 氏名, x.日 FROM 社員, (SELECT 入社日 AS 日 FROM 社員 WHERE False) AS x");
  EXPECT_TRUE(compiled.columns[0].type.autoNumber);
  EXPECT_EQ(compiled.columns[1].type.size, 10);
  EXPECT_EQ(compiled.columns[2].type.type, JetType::DateTime);
  // A union's column holds every member's: LONG and DOUBLE give DOUBLE, TEXT and MEMO MEMO.
  const JetCompiled union_ =
      Compiled("SELECT 部署ID, 氏名 FROM 社員 UNION SELECT 1.5, 備考 FROM 社員");
  EXPECT_EQ(union_.columns[0].type.type, JetType::Double);
  EXPECT_EQ(union_.columns[1].type.type, JetType::Memo);
  // A view's column without a Jet type is known only when the statement runs.
  EXPECT_EQ(Compiled("SELECT 年数 FROM 名簿").columns[0].type.type, JetType::Variant);
}

TEST(JetBinderTest, NamesStandForColumnsConstantsAndItems) {
  // A column named No is the column; elsewhere No is False.
  EXPECT_EQ(EngineSqlOf("SELECT No, Yes FROM 番号"),
            "SELECT \"番号\".\"No\" AS \"No\", -1 AS \"Expr1000\" FROM \"番号\"");
  // A subquery sees the columns of the query around it, its own first.
  EXPECT_EQ(EngineSqlOf("SELECT 氏名 FROM 社員 WHERE Exists (SELECT * FROM 部署 WHERE "
                        "部署ID = 社員.部署ID)"),
            "SELECT \"社員\".\"氏名\" AS \"氏名\" FROM \"社員\" WHERE (EXISTS (SELECT "
            "\"部署\".\"部署ID\" AS \"部署ID\", \"部署\".\"部署名\" AS \"部署名\" FROM \"部署\" "
            "WHERE (\"部署\".\"部署ID\" = \"社員\".\"部署ID\")))");
  // ORDER BY takes a column first, then an AS name, then a position.
  EXPECT_EQ(EngineSqlOf("SELECT 給与 * 2 AS 倍 FROM 社員 ORDER BY 倍, 2 - 1"),
            "SELECT jet_cur((\"社員\".\"給与\" * 2)) AS \"倍\" FROM \"社員\" ORDER BY "
            "jet_cur((\"社員\".\"給与\" * 2)), (2 - 1)");
  EXPECT_EQ(EngineSqlOf("SELECT 氏名 AS 部署ID FROM 社員 ORDER BY 部署ID, 1"),
            "SELECT \"社員\".\"氏名\" AS \"部署ID\" FROM \"社員\" ORDER BY \"社員\".\"部署ID\", "
            "\"社員\".\"氏名\" COLLATE NOCASE");
}

TEST(JetBinderTest, StatementsThatNameWhatIsNotThereOrAreOutOfShapeAreRefused) {
  const std::string notFound = "が見つかりません。";
  const std::string insertCount = "クエリの値の数と追加先のフィールドの数が一致しません。";
  const std::string subquery = "サブクエリは 1 つのフィールドだけを返すように書いてください。";
  const std::string aggregateHint = "集計した結果で絞り込むときは HAVING 句を使います。";
  const std::pair<std::string_view, std::string> cases[] = {
      // A misspelt name: the closest name of the tables in the statement; where to look when
      // none is close.
      {"SELECT 指名 FROM 社員",
       Hinted("フィールド '指名' " + notFound, "'氏名' の書き間違いではありませんか。")},
      {"SELECT 部所ID FROM 社員",
       Hinted("フィールド '部所ID' " + notFound, "'部署ID' の書き間違いではありませんか。")},
      {"SELECT nosuch FROM 社員",
       Hinted("フィールド 'nosuch' " + notFound,
              "テーブル '社員' のフィールドは ? 社員 で確かめられます。")},
      {"SELECT x.氏名 FROM 社員",
       Hinted("フィールド 'x.氏名' " + notFound,
              "テーブル '社員' のフィールドは ? 社員 で確かめられます。")},
      {"SELECT 社員.部署名 FROM 社員, 部署",
       Hinted("フィールド '社員.部署名' " + notFound,
              "テーブル '社員' のフィールドは ? 社員 で確かめられます。")},
      {"SELECT 1 FROM 社員, 部署 WHERE 給料 > 0",
       Hinted("フィールド '給料' " + notFound, "'給与' の書き間違いではありませんか。")},
      {"SELECT 部署ID FROM 社員, 部署",
       Hinted("指定したフィールド '部署ID' は、SQL ステートメントの FROM "
              "句にある複数のテーブルを参照しています。",
              "フィールドの前にテーブル名を付けて、テーブル名.部署ID のように書きます。")},
      {"SELECT * FROM nosuch",
       Hinted("入力テーブルまたはクエリ 'nosuch' "
              "が見つかりません。名前が存在し、スペルが正しいかどうか確認してください。",
              "テーブルの一覧は ? で確かめられます。")},
      {"SELECT * FROM 社貝",
       Hinted("入力テーブルまたはクエリ '社貝' "
              "が見つかりません。名前が存在し、スペルが正しいかどうか確認してください。",
              "'社員' の書き間違いではありませんか。")},
      {"SELECT 1 FROM 社員 AS a, 部署 AS A",
       Hinted("FROM 句で 'A' が 2 回使われています。",
              "同じテーブルを 2 回使うときは、A AS A2 のように別名を付けます。")},
      {"SELECT q.* FROM 社員", "'q.*' のテーブル 'q' が FROM 句にありません。"},
      {"SELECT *", "'*' は SELECT の列の一覧と Count(*) にだけ書けます。"},
      {"SELECT Sum(*) FROM 社員", "関数 'Sum' に使用されている引数の数が正しくありません。"},
      {"SELECT Left(氏名) FROM 社員", "関数 'Left' に使用されている引数の数が正しくありません。"},
      {"SELECT Mid('abc', 1, 2, 3)", "関数 'Mid' に使用されている引数の数が正しくありません。"},
      {"SELECT 氏名 FROM 社員 WHERE Count(*) > 1",
       Hinted("WHERE 句や GROUP BY 句に集計関数 'Count' は使用できません。", aggregateHint)},
      {"SELECT 氏名 FROM 社員 GROUP BY Max(氏名)",
       Hinted("WHERE 句や GROUP BY 句に集計関数 'Max' は使用できません。", aggregateHint)},
      {"SELECT 1 UNION SELECT 1, 2",
       "ユニオン クエリで選択した 2 つのテーブルまたはクエリの列数が一致しません。"},
      {"SELECT (SELECT 1, 2)", subquery},
      {"SELECT 1 WHERE 1 IN (SELECT * FROM 部署)", subquery},
      {"SELECT 氏名 FROM 社員 ORDER BY 2", "ORDER BY の列番号 2 は SELECT の列の範囲外です。"},
      {"SELECT 1 AS a UNION SELECT 2 ORDER BY b", "フィールド 'b' " + notFound},
      {"INSERT INTO 部署 VALUES (1)", insertCount},
      {"INSERT INTO 部署 (部署ID) SELECT 1, 2", insertCount},
      {"INSERT INTO 部署 (部署ID, 部署id) VALUES (1, 2)", "出力先 '部署id' が重複しています。"},
      {"INSERT INTO 部署 (番号) VALUES (1)",
       Hinted("フィールド '番号' " + notFound,
              "テーブル '部署' のフィールドは ? 部署 で確かめられます。")},
      {"INSERT INTO 部署 (部署名前) VALUES (1)",
       Hinted("フィールド '部署名前' " + notFound, "'部署名' の書き間違いではありませんか。")},
      {"UPDATE 部署 SET 名 = 1",
       Hinted("フィールド '名' " + notFound,
              "テーブル '部署' のフィールドは ? 部署 で確かめられます。")},
      {"DELETE FROM 部署 WHERE 氏名 = 'a'",
       Hinted("フィールド '氏名' " + notFound,
              "テーブル '部署' のフィールドは ? 部署 で確かめられます。")},
      {"CREATE INDEX i ON 部署 (nosuch)",
       Hinted("フィールド 'nosuch' " + notFound,
              "テーブル '部署' のフィールドは ? 部署 で確かめられます。")},
      {"CREATE VIEW v (a, b) AS SELECT 1", "ビューの列名の数と SELECT の列の数が一致しません。"},
      {"ALTER TABLE nosuch ADD c LONG",
       Hinted("入力テーブルまたはクエリ 'nosuch' "
              "が見つかりません。名前が存在し、スペルが正しいかどうか確認してください。",
              "テーブルの一覧は ? で確かめられます。")},
  };
  for (const auto& [sql, message] : cases) EXPECT_EQ(RefusalOf(sql), message) << sql;
  // What is there is found whatever the letter case, as the engine finds it.
  for (std::string_view sql :
       {"SELECT 部署名 FROM 部署 AS b WHERE B.部署id = 1", "select S.id from 社員 s order by S.ID",
        "SELECT No, on FROM 番号"}) {
    EXPECT_EQ(RefusalOf(sql), "") << sql;
  }
}

// Jet's checks of a grouped query and of SELECT DISTINCT: the column each refusal names, or ""
// for a query Jet runs.
TEST(JetBinderTest, GroupedQueriesAndDistinctSortOnlyByWhatTheyGroupOrShow) {
  const std::string grouped = "集計関数の一部として指定された式 '";
  const std::string distinct = "ORDER BY 句 (";
  const std::pair<std::string_view, std::string> cases[] = {
      {"SELECT 部署ID, Count(*) FROM 社員 GROUP BY 部署ID", ""},
      {"SELECT 社員.部署ID, Count(*) FROM 社員 GROUP BY 部署ID", ""},
      {"SELECT 部署ID, Count(*) FROM 社員 AS s GROUP BY s.部署ID", ""},
      {"SELECT Year(入社日), Count(*) FROM 社員 GROUP BY Year(入社日)", ""},
      {"SELECT 部署ID, Sum(給与) FROM 社員 GROUP BY 部署ID HAVING Sum(給与) > 1 ORDER BY "
       "Sum(給与) DESC",
       ""},
      {"SELECT Count(*), 1 + 1, Max(給与) - Min(給与) FROM 社員", ""},
      {"SELECT 部署ID FROM 社員 GROUP BY 部署ID, 氏名", ""},
      {"SELECT 部署名, (SELECT Count(*) FROM 社員 WHERE 社員.部署ID = 部署.部署ID) FROM 部署", ""},
      {"SELECT 部署名 FROM 部署 WHERE 部署ID IN (SELECT 部署ID FROM 社員 GROUP BY 部署ID HAVING "
       "Count(*) > 1)",
       ""},
      {"SELECT 部署ID, 氏名 FROM 社員 GROUP BY 部署ID", grouped + "氏名'"},
      {"SELECT 氏名, Count(*) FROM 社員", grouped + "氏名'"},
      {"SELECT 部署ID, 給与 + Sum(給与) FROM 社員 GROUP BY 部署ID", grouped + "給与'"},
      {"SELECT Year(入社日) FROM 社員 GROUP BY Month(入社日)", grouped + "入社日'"},
      {"SELECT 部署ID FROM 社員 GROUP BY 部署ID HAVING 給与 > 1", grouped + "給与'"},
      {"SELECT 部署ID FROM 社員 GROUP BY 部署ID ORDER BY 氏名", grouped + "氏名'"},
      {"SELECT s.部署ID FROM 社員 AS s GROUP BY s.部署ID ORDER BY s.氏名", grouped + "s.氏名'"},
      {"SELECT DISTINCT 氏名 FROM 社員 ORDER BY 氏名 DESC", ""},
      {"SELECT DISTINCT 氏名 AS n FROM 社員 ORDER BY n", ""},
      {"SELECT DISTINCT 給与 * 2 FROM 社員 ORDER BY 給与 * 2", ""},
      {"SELECT DISTINCT 氏名 FROM 社員 ORDER BY 給与", distinct + "給与)"},
      {"SELECT DISTINCT 氏名 FROM 社員 ORDER BY Len(氏名)", distinct + "Len(氏名))"},
  };
  for (const auto& [sql, refusal] : cases) {
    const std::string message = RefusalOf(sql);
    EXPECT_EQ(message.substr(0, refusal.size()), refusal) << sql;
    EXPECT_EQ(message.empty(), refusal.empty()) << sql << "\n" << message;
  }
}

}  // namespace
}  // namespace tarnwick::test
