// What the front end refuses in Jet's statement forms, before anything runs: SQL of other
// databases with Jet's form as the hint, and definitions, crosstabs, procedures and changes
// through a join that Jet does not take.
#include <gtest/gtest.h>

#include "FrontEndFixture.h"
#include "support/Hinted.h"

namespace tarnwick::test {
namespace {

TEST(JetFormRefusalsTest, EachIsRefusedWithJetsMessageAndWhatToWriteInstead) {
  const std::string top = "TOP 句の値が正しくありません。";
  const std::string topHint =
      "TOP の後には 1 以上の整数を書きます。PERCENT を付けるときは 100 以下の数です。";
  const std::string field = "フィールド定義の構文エラーです ('";
  const std::pair<std::string_view, std::string> cases[] = {
      // Other databases' SQL.
      {"SELECT 給与 % 2 FROM 社員",
       Hinted("'%' は Jet SQL では使えません。", "割り算の余りは Mod で求めます: 7 Mod 3")},
      {"SELECT * FROM 社員 WHERE 給与 == 1",
       Hinted("'==' は Jet SQL では使えません。", "「等しい」は = と書きます。")},
      {"SELECT * FROM 社員 FULL JOIN 部署 ON 社員.部署ID = 部署.部署ID",
       Hinted("JOIN 操作の構文エラーです ('FULL' の付近)。",
              "Jet SQL には FULL JOIN がありません。LEFT JOIN と RIGHT JOIN を UNION でつなぎま"
              "す。")},
      {"SELECT 部署ID FROM 社員 EXCEPT SELECT 部署ID FROM 部署",
       Hinted("'EXCEPT' は Jet SQL では使えません。",
              "一方にしかない行は NOT IN (SELECT ...) を使った WHERE 句で取り出します。")},
      {"SELECT CAST(給与 AS TEXT) FROM 社員",
       Hinted("式に未定義関数 'CAST' があります。",
              "型を変えるときは CInt、CLng、CDbl、CStr、CDate などの関数を使います。")},
      {"SELECT Lenn(氏名) FROM 社員",
       Hinted("式に未定義関数 'Lenn' があります。", "'Len' の書き間違いではありませんか。")},
      {"CREATE TABLE t (a LONG PRIMARY KEY AUTOINCREMENT)",
       Hinted(field + "PRIMARY KEY AUTOINCREMENT' の付近)。",
              "自動で番号を振る列は COUNTER 型にします。")},
      {"CREATE TABLE t (a)",
       Hinted(field + "a' の付近)。",
              "フィールド名 a の後に TEXT(50) や LONG のように型を書きます。")},
      // Definitions.
      {"CREATE TABLE t (a COUNTER, b COUNTER)",
       "オートナンバー型 (COUNTER) のフィールドは、1 つのテーブルに 1 つだけです。"},
      {"CREATE TABLE t (a LONG PRIMARY KEY, b LONG, CONSTRAINT k PRIMARY KEY (b))",
       "主キーは既に存在します。"},
      {"CREATE TABLE t (a LONG REFERENCES 番号 (No))",
       "主テーブル '番号' の参照フィールドに対する主キーまたは固有インデックスが見つかりません。"},
      {"CREATE TABLE t (a LONG, b LONG, CONSTRAINT f FOREIGN KEY (a, b) REFERENCES 部署 (部署ID))",
       "FOREIGN KEY のフィールドの数と REFERENCES のフィールドの数が一致しません。"},
      {"DROP INDEX nosuch ON 部署", "インデックス 'nosuch' が見つかりません。"},
      // Queries and changes.
      {"SELECT TOP 0 氏名 FROM 社員", Hinted(top, topHint)},
      {"SELECT TOP 150 PERCENT 氏名 FROM 社員", Hinted(top, topHint)},
      {"UPDATE 社員 INNER JOIN 部署 ON 社員.部署ID = 部署.部署ID SET 社員.給与 = 1, 部署.部署名 = "
       "'x'",
       "1 つの UPDATE ステートメントで値を設定できるのは、1 つのテーブルのフィールドだけです。"},
      {"UPDATE 社員 SET ID = 5",
       Hinted("フィールド 'ID' は更新できません。",
              "'ID' はオートナンバー型 (COUNTER) です。番号はレコードを追加したときに自動で振ら"
              "れ、後から変更できません。")},
      {"DELETE FROM 社員 INNER JOIN 部署 ON 社員.部署ID = 部署.部署ID",
       Hinted("削除するレコードを含むテーブルを指定してください。",
              "結合したテーブルから削除するときは DELETE 社員.* FROM 社員 INNER JOIN ... のように"
              "書きます。")},
      {"SELECT 氏名 INTO 部署 FROM 社員",
       Hinted("テーブル '部署' は既に存在します。",
              "別の名前を付けるか、作り直すなら先に DROP TABLE 部署 で削除します。")},
      // Crosstabs and procedures.
      {"TRANSFORM 給与 SELECT 部署ID FROM 社員 GROUP BY 部署ID PIVOT 氏名",
       Hinted("TRANSFORM の後の式に集計関数がありません。",
              "TRANSFORM Sum(給与) SELECT ... のように、集計関数 (Sum、Count など) を書きます。")},
      {"TRANSFORM Sum(給与) SELECT 部署ID FROM 社員 PIVOT 氏名",
       Hinted("クロス集計クエリの SELECT に GROUP BY 句がありません。",
              "行見出しにするフィールドを GROUP BY 句に書きます。")},
      {"PARAMETERS a LONG, a TEXT; SELECT a FROM 社員", "パラメータ 'a' が 2 回宣言されています。"},
      {"CREATE PROCEDURE p AS CREATE TABLE x (a LONG)",
       "プロシージャにできるのは SELECT、TRANSFORM、INSERT、UPDATE、DELETE の各ステートメント"
       "です。"},
      {"EXECUTE nosuch 1",
       "入力テーブルまたはクエリ 'nosuch' が見つかりません。名前が存在し、スペルが正しいかどうか"
       "確認してください。"},
  };
  for (const auto& [sql, message] : cases) EXPECT_EQ(RefusalOf(sql), message) << sql;
}

}  // namespace
}  // namespace tarnwick::test
