// Jet SQL as a learner types it from a textbook, through tarnwick-run: each example of what the
// console used to get wrong, and what it shows now.
#include <gtest/gtest.h>

#include "runner/RunTarnwick.h"

namespace tarnwick::test {
namespace {

const std::string kStaff =
    "CREATE TABLE 社員 (社員ID COUNTER PRIMARY KEY, 氏名 TEXT(20), 入社日 DATETIME, 在籍 YESNO, "
    "給与 CURRENCY);"
    "INSERT INTO 社員 (氏名, 入社日, 在籍, 給与) VALUES ('山田太郎', #2024/04/01#, True, 5040000);"
    "INSERT INTO 社員 (氏名, 入社日, 給与) VALUES ('佐藤花子', #2023/10/15#, 3800000);";

// The transcript of the statements after the table of staff.
std::string Transcript(const std::string& statements) {
  RunnerFolder f;
  EXPECT_EQ(f.Run({"--new", "-c", kStaff}).exitStatus, 0);
  return f.Run({"-c", statements}).out;
}

TEST(RunnerJetSql, AmpersandJoinsTextsAndDatesFunctionsAndTrueWorkAsInJet) {
  EXPECT_EQ(Transcript("SELECT 氏名 & '様' FROM 社員;"),
            "SELECT 氏名 & '様' FROM 社員;\n"
            "Expr1000  |\n----------+\n山田太郎様|\n佐藤花子様|\nOK\n");
  EXPECT_EQ(Transcript("SELECT 氏名 FROM 社員 WHERE 入社日 >= #2024/04/01#;"),
            "SELECT 氏名 FROM 社員 WHERE 入社日 >= #2024/04/01#;\n"
            "氏名    |\n--------+\n山田太郎|\nOK\n");
  EXPECT_EQ(Transcript("SELECT Year(入社日), Left(氏名, 2), Mid(氏名, 3), Len(氏名), "
                       "DateAdd('m', 1, 入社日), Format(給与, '#,##0') FROM 社員;"),
            "SELECT Year(入社日), Left(氏名, 2), Mid(氏名, 3), Len(氏名), "
            "DateAdd('m', 1, 入社日), Format(給与, '#,##0') FROM 社員;\n"
            "Expr1000|Expr1001|Expr1002|Expr1003|Expr1004  |Expr1005 |\n"
            "--------+--------+--------+--------+----------+---------+\n"
            "    2024|山田    |太郎    |       4|2024/05/01|5,040,000|\n"
            "    2023|佐藤    |花子    |       4|2023/11/15|3,800,000|\nOK\n");
  // True is stored as -1.
  EXPECT_EQ(Transcript("SELECT 氏名, 在籍 FROM 社員 WHERE 在籍 = -1;"),
            "SELECT 氏名, 在籍 FROM 社員 WHERE 在籍 = -1;\n"
            "氏名    |在籍 |\n--------+-----+\n山田太郎|True |\nOK\n");
}

TEST(RunnerJetSql, AComputedColumnsKindDoesNotDependOnTheOrderOfRows) {
  RunnerFolder f;
  f.Run({"--new", "-c",
         "CREATE TABLE 明細 (単価 DOUBLE, 数量 LONG, 受注日 DATETIME);"
         "INSERT INTO 明細 VALUES (100, 2, #2012/02/23#);"
         "INSERT INTO 明細 VALUES (99.5, 3, #2012/03/01#);"});
  EXPECT_EQ(f.Run({"-c", "SELECT 単価 * 数量 FROM 明細 ORDER BY 単価 DESC;"}).out,
            "SELECT 単価 * 数量 FROM 明細 ORDER BY 単価 DESC;\n"
            "Expr1000|\n--------+\n  200.00|\n  298.50|\nOK\n");
  EXPECT_EQ(f.Run({"-c", "SELECT 単価 * 数量 FROM 明細 ORDER BY 単価;"}).out,
            "SELECT 単価 * 数量 FROM 明細 ORDER BY 単価;\n"
            "Expr1000|\n--------+\n  298.50|\n  200.00|\nOK\n");
  // Max of a date is a date, shown as one and right-aligned.
  EXPECT_EQ(f.Run({"-c", "SELECT Max(受注日) AS 最終, Count(*) AS 件数 FROM 明細;"}).out,
            "SELECT Max(受注日) AS 最終, Count(*) AS 件数 FROM 明細;\n"
            "最終      |件数|\n----------+----+\n2012/03/01|   2|\nOK\n");
}

TEST(RunnerJetSql, AValueThatDoesNotFitItsColumnIsRefusedAndEverySelectStillShowsTheTable) {
  RunnerFolder f;
  f.Run({"--new", "-c", "CREATE TABLE 受注 (数量 LONG, 受注日 DATETIME);"});
  const ProcessResult refused = f.Run({"-c",
                                       "INSERT INTO 受注 VALUES ('xyz', #2012/02/28#);"
                                       "INSERT INTO 受注 VALUES (1, '2012-02-30');"
                                       "INSERT INTO 受注 VALUES ('3', '2012-02-29');"
                                       "SELECT * FROM 受注;"});
  EXPECT_EQ(refused.out,
            "INSERT INTO 受注 VALUES ('xyz', #2012/02/28#);\nERROR! 型が一致しません。フィール"
            "ド '数量' に 'xyz' は格納できません。\nヒント: '数量' は数値型のフィールドです。数値"
            "は ' で囲まずに 300000 のように書きます。\n\n"
            "INSERT INTO 受注 VALUES (1, '2012-02-30');\nERROR! 型が一致しません。フィールド '受"
            "注日' に '2012-02-30' は格納できません。\nヒント: '受注日' は日付/時刻型のフィールド"
            "です。日付は #2024/04/01# のように # で囲んで書きます。\n\n"
            "INSERT INTO 受注 VALUES ('3', '2012-02-29');\nOK\n\n"
            "SELECT * FROM 受注;\n数量|受注日    |\n----+----------+\n   3|2012/02/29|\nOK\n");
  EXPECT_EQ(refused.exitStatus, 1);
}

TEST(RunnerJetSql, NullShowsAsAnEmptyCellInEveryKind) {
  RunnerFolder f;
  const ProcessResult result =
      f.Run({"--new", "-c",
             "CREATE TABLE n (i LONG, b YESNO, d DOUBLE, m CURRENCY, t DATETIME, s TEXT(5));"
             "INSERT INTO n (i) VALUES (NULL);"
             "SELECT i, b, d, m, t, s, i + 1 AS x, IIf(b, Null, Null) AS y FROM n;"});
  // A YESNO column is never NULL: it holds False.
  EXPECT_EQ(result.out.substr(result.out.find("SELECT i, b")),
            "SELECT i, b, d, m, t, s, i + 1 AS x, IIf(b, Null, Null) AS y FROM n;\n"
            "i|b    |d|m|t|s|x|y|\n-+-----+-+-+-+-+-+-+\n |False| | | | | | |\nOK\n");
}

}  // namespace
}  // namespace tarnwick::test
