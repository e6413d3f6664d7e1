// Jet's statement forms through tarnwick-run, each group on a database of its own: a statement,
// then what the transcript shows for it, in order.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "runner/RunTarnwick.h"

namespace tarnwick::test {
namespace {

using Steps = std::vector<std::pair<std::string, std::string>>;

const std::string kStaff =
    "CREATE TABLE 部署 (部署ID LONG PRIMARY KEY, 部署名 TEXT(10));"
    "CREATE TABLE 社員 (社員ID COUNTER(100, 5) PRIMARY KEY, 氏名 TEXT(10), 給与 LONG, "
    "部署ID LONG REFERENCES 部署 (部署ID));"
    "INSERT INTO 部署 VALUES (1, '営業');"
    "INSERT INTO 部署 VALUES (2, '総務');"
    "INSERT INTO 社員 (氏名, 給与, 部署ID) VALUES ('山田', 300, 1);"
    "INSERT INTO 社員 (氏名, 給与, 部署ID) VALUES ('佐藤', 250, 1);"
    "INSERT INTO 社員 (氏名, 給与, 部署ID) VALUES ('鈴木', 250, 2);"
    "INSERT INTO 社員 (氏名, 給与, 部署ID) VALUES ('高橋', 200, 2);";

const std::string kOk = "OK\n\n";

// Runs each step's statement alone on the database, expecting its transcript.
void ExpectStepsOn(const RunnerFolder& f, const Steps& steps) {
  for (const auto& [sql, shown] : steps) {
    EXPECT_EQ(f.Run({"-c", sql}).out, sql + "\n" + shown) << sql;
  }
}

// The same on a new database made by the set-up.
void ExpectSteps(const std::string& setup, const Steps& steps) {
  RunnerFolder f;
  ASSERT_EQ(f.Run({"--new", "-c", setup}).exitStatus, 0);
  ExpectStepsOn(f, steps);
}

TEST(RunnerJetForms, QueriesTopTiesQuantifiedSubqueriesAndUnionOrderedAsAWhole) {
  ExpectSteps(
      kStaff,
      {
          // Rows tied with the last one all come; without ORDER BY the first n.
          {"SELECT TOP 2 氏名 FROM 社員 ORDER BY 給与 DESC;",
           "氏名|\n----+\n山田|\n佐藤|\n鈴木|\nOK\n"},
          {"SELECT TOP 1 氏名 FROM 社員;", "氏名|\n----+\n山田|\nOK\n"},
          {"SELECT TOP 25 PERCENT 氏名 FROM 社員 ORDER BY 給与;", "氏名|\n----+\n高橋|\nOK\n"},
          {"SELECT DISTINCTROW 部署名 FROM 部署 INNER JOIN 社員 ON 部署.部署ID = 社員.部署ID;",
           "部署名|\n------+\n営業  |\n総務  |\nOK\n"},
          {"SELECT 氏名 FROM 社員 WHERE 給与 >= ALL (SELECT 給与 FROM 社員 WHERE 部署ID = 1);",
           "氏名|\n----+\n山田|\nOK\n"},
          {"SELECT 氏名 FROM 社員 WHERE 給与 < ANY (SELECT 給与 FROM 社員 WHERE 部署ID = 2);",
           "氏名|\n----+\n高橋|\nOK\n"},
          // Statements that give rows whatever their first word.
          {"(SELECT 部署名 FROM 部署) UNION (SELECT 氏名 FROM 社員 WHERE 給与 > 250) ORDER BY 1;",
           "部署名|\n------+\n営業  |\n山田  |\n総務  |\nOK\n"},
          {"SELECT*FROM 部署;",
           "部署ID|部署名|\n------+------+\n     1|営業  |\n     2|総務  |\nOK\n"},
      });
}

TEST(RunnerJetForms, SelectIntoUpdateAndDeleteThroughAJoinChangeOnlyWhatTheyName) {
  ExpectSteps(
      kStaff,
      {
          {"SELECT 氏名, 給与 * 1.5 AS 新給与 INTO 昇給 FROM 社員 WHERE 部署ID = 1;", kOk},
          {"SELECT * FROM 昇給;", "氏名|新給与|\n----+------+\n山田|450.00|\n佐藤|375.00|\nOK\n"},
          {"SELECT 氏名 INTO 昇給 FROM 社員;",
           "ERROR! テーブル '昇給' は既に存在します。\nヒント: "
           "別の名前を付けるか、作り直すなら先に "
           "DROP TABLE 昇給 で削除します。\n\n"},
          {"UPDATE 社員 INNER JOIN 部署 ON 社員.部署ID = 部署.部署ID SET 社員.給与 = 社員.給与 + 1 "
           "WHERE 部署.部署名 = '総務';",
           kOk},
          {"DELETE 社員.* FROM 社員 INNER JOIN 部署 ON 社員.部署ID = 部署.部署ID WHERE 部署.部署名 "
           "= "
           "'営業';",
           kOk},
          {"SELECT 社員ID, 氏名, 給与 FROM 社員;",
           "社員ID|氏名|給与|\n------+----+----+\n   110|鈴木| 251|\n   115|高橋| 201|\nOK\n"},
          {"DELETE * FROM 昇給;", kOk},
          {"SELECT Count(*) AS n FROM 昇給;", "n|\n-+\n0|\nOK\n"},
      });
}

TEST(RunnerJetForms, ACrosstabHasAColumnForEachPivotValueInOrderOrAsListed) {
  ExpectSteps(
      kStaff,
      {
          {"TRANSFORM Sum(給与) SELECT 部署ID FROM 社員 GROUP BY 部署ID PIVOT 給与;",
           "部署ID|200|250|300|\n------+---+---+---+\n     1|   |250|300|\n     2|200|250|   "
           "|\nOK\n"},
          {"TRANSFORM Count(*) SELECT 部署ID FROM 社員 GROUP BY 部署ID PIVOT 氏名 IN ('高橋', "
           "'山田', '田中');",
           "部署ID|高橋|山田|田中|\n------+----+----+----+\n     1|    |   1|    |\n     2|   1|   "
           " |    "
           "|\nOK\n"},
          // Values of the list that are no plain literal: named as the grid shows them.
          {"TRANSFORM Count(*) SELECT 部署ID FROM 社員 GROUP BY 部署ID PIVOT 給与 - 250 IN (-50, "
           "0, "
           "Null);",
           "部署ID|-50|0|<>|\n------+---+-+--+\n     1|   |1|  |\n     2|  1|1|  |\nOK\n"},
          // An aggregate in a subquery of the cell's value counts the subquery's own rows, not
          // those of the cell's pivot value.
          {"TRANSFORM Sum(給与) + (SELECT Count(*) FROM 部署) SELECT 部署ID FROM 社員 GROUP BY "
           "部署ID PIVOT 給与;",
           "部署ID|200|250|300|\n------+---+---+---+\n     1|   |252|302|\n     2|202|252|   "
           "|\nOK\n"},
      });
}

TEST(RunnerJetForms, AProcedureRunsWithItsValuesAndAParameterWithoutOneIsRefused) {
  ExpectSteps(
      kStaff,
      {
          {"CREATE PROCEDURE 給与以上 (下限 LONG) AS SELECT 氏名 FROM 社員 WHERE 給与 >= 下限;",
           kOk},
          {"EXECUTE 給与以上 260;", "氏名|\n----+\n山田|\nOK\n"},
          {"EXECUTE 給与以上;",
           "ERROR! パラメータが少なすぎます。1 を指定してください。\nヒント: パラメータ '下限' に値"
           "がありません。CREATE PROCEDURE で保存し、EXECUTE プロシージャ名 値 のように値を渡して"
           "実行します。\n\n"},
          {"EXECUTE 給与以上 1, 2;",
           "ERROR! EXECUTE の値の数が、プロシージャ '給与以上' "
           "のパラメータの数と一致しません。\n\n"},
          {"?",
           "テーブル名の一覧\n----------------\n部署\n社員\n\nプロシージャ名の一覧\n"
           "--------------------\n給与以上\nOK\n\n"},
          {"DROP PROCEDURE 給与以上;", kOk},
          {"EXECUTE 給与以上 1;",
           "ERROR! 入力テーブルまたはクエリ '給与以上' "
           "が見つかりません。名前が存在し、スペルが正しい"
           "かどうか確認してください。\n\n"},
      });
}

TEST(RunnerJetForms, AlterColumnKeepsEveryRowConvertedOrRefusesTheWholeChange) {
  ExpectSteps(
      "CREATE TABLE 商品 (コード TEXT(5) PRIMARY KEY, 価格 TEXT(10));"
      "INSERT INTO 商品 VALUES ('A1', '100');"
      "INSERT INTO 商品 VALUES ('B2', '2,500');",
      {
          {"ALTER TABLE 商品 ALTER COLUMN 価格 LONG;", kOk},
          {"INSERT INTO 商品 VALUES ('C3', '時価');",
           "ERROR! 型が一致しません。フィールド '価格' に '時価' は格納できません。\nヒント: "
           "'価格' "
           "は数値型のフィールドです。数値は ' で囲まずに 300000 のように書きます。\n\n"},
          {"ALTER TABLE 商品 ALTER COLUMN 価格 TEXT(10);", kOk},
          {"INSERT INTO 商品 VALUES ('C3', '時価');", kOk},
          {"ALTER TABLE 商品 ALTER COLUMN 価格 LONG;",
           "ERROR! 型が一致しません。フィールド '価格' に '時価' は格納できません。\nヒント: "
           "'価格' "
           "は数値型のフィールドです。数値は ' で囲まずに 300000 のように書きます。\n\n"},
          {"ALTER TABLE 商品 ALTER COLUMN コード TEXT(1);",
           "ERROR! フィールドのサイズが小さすぎます。追加しようとしたデータが長すぎるため、フィール"
           "ド 'コード' に格納できません。\nヒント: 'コード' に入るのは 1 "
           "文字までです。短くするか、"
           "ALTER TABLE でフィールドを大きくしてください。\n\n"},
          {"SELECT * FROM 商品;",
           "コード|価格|\n------+----+\nA1    |100 |\nB2    |2500|\nC3    |時価|\nOK\n"},
      });
}

TEST(RunnerJetForms, CounterNumbersFromItsStartByItsStepBesideAnyKeyAndAddsNoUniqueness) {
  ExpectSteps(
      "CREATE TABLE 商品 (コード TEXT(5));"
      "INSERT INTO 商品 VALUES ('A1');"
      "INSERT INTO 商品 VALUES ('B2');"
      "CREATE TABLE 明細 (注文 LONG, 行 LONG, 連番 COUNTER, CONSTRAINT pk PRIMARY KEY (注文, 行));",
      {
          // Added to a table with rows: they take numbers in their order.
          {"ALTER TABLE 商品 ADD COLUMN 番号 COUNTER(10, 10);", kOk},
          {"INSERT INTO 商品 (コード) VALUES ('C3');", kOk},
          {"INSERT INTO 商品 (コード, 番号) VALUES ('D4', 100);", kOk},
          {"INSERT INTO 商品 (コード) VALUES ('E5');", kOk},
          {"SELECT * FROM 商品;",
           "コード|番号|\n------+----+\nA1    |  10|\nB2    |  20|\nC3    |  30|\nD4    | 100|\nE5 "
           "   "
           "| 110|\nOK\n"},
          {"INSERT INTO 明細 (注文, 行) VALUES (1, 1);", kOk},
          {"INSERT INTO 明細 (注文, 行, 連番) VALUES (1, 2, 1);", kOk},
          {"INSERT INTO 明細 (注文, 行) VALUES (2, 1);", kOk},
          {"SELECT * FROM 明細;",
           "注文|行|連番|\n----+--+----+\n   1| 1|   1|\n   1| 2|   1|\n   2| 1|   2|\nOK\n"},
          {"? 明細",
           "明細 テーブルの項目\n-------------------\nINTEGER 型     注文\nINTEGER 型     "
           "行\nCOUNTER 型     連番\n---\nデータ数は 3 です\nOK\n\n"},
      });
}

TEST(RunnerJetForms, AnImportBringsEveryRowProcedureAndRelationship) {
  RunnerFolder f;
  const std::string source = f.dir.File("source.mdb");
  ASSERT_EQ(
      RunTarnwick({"--db", source, "--new", "-c",
                   kStaff + "CREATE TABLE 明細 (注文 LONG, 行 LONG, 連番 COUNTER, CONSTRAINT pk "
                            "PRIMARY KEY (注文, 行));"
                            "INSERT INTO 明細 (注文, 行) VALUES (1, 1);"
                            "INSERT INTO 明細 (注文, 行, 連番) VALUES (1, 2, 1);"
                            "CREATE VIEW 組合せ AS SELECT 社員.社員ID, 部署.部署名 FROM 社員, 部署;"
                            "CREATE PROCEDURE 部署の社員 (番号 LONG) AS SELECT 氏名 FROM 社員 "
                            "WHERE 部署ID = 番号;"})
          .exitStatus,
      0);
  EXPECT_EQ(f.Run({"--new", "--import", source}).out,
            "部署テーブルを取込みました\n社員テーブルを取込みました\n明細テーブルを取込みました\n"
            "組合せテーブルを取込みました\n部署の社員プロシージャを取込みました\nOK\n\n");
  ExpectStepsOn(f, {
                       // A view whose rows repeat a COUNTER's value keeps every row.
                       {"SELECT Count(*) AS n, Count(社員ID) - Count(*) AS d FROM 組合せ;",
                        "n|d|\n-+-+\n8|0|\nOK\n"},
                       {"SELECT * FROM 明細;",
                        "注文|行|連番|\n----+--+----+\n   1| 1|   1|\n   1| 2|   1|\nOK\n"},
                       {"INSERT INTO 明細 (注文, 行) VALUES (2, 1);", kOk},
                       {"SELECT Max(連番) AS m FROM 明細;", "m|\n-+\n2|\nOK\n"},
                       {"EXECUTE 部署の社員 2;", "氏名|\n----+\n鈴木|\n高橋|\nOK\n"},
                       {"DELETE FROM 部署 WHERE 部署ID = 1;",
                        "ERROR! テーブル '社員' "
                        "にリレーションシップが設定されたレコードがあるので、レコードの削除"
                        "または変更はできません。\nヒント: 先に '社員' "
                        "の関連するレコードを削除するか、別の値に変"
                        "更してください。\n\n"},
                   });
}

}  // namespace
}  // namespace tarnwick::test
