// The mistakes learners make, through tarnwick-run: for each, the transcript shows Jet's message
// for it in Japanese, naming what the learner typed, and a hint that says what to do.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <utility>

#include "runner/RunTarnwick.h"
#include "support/Hinted.h"
#include "support/OrdinaryUser.h"
#include "support/OtherProgram.h"
#include "text/FileAccess.h"

namespace tarnwick::test {
namespace {

const std::string kTextbook =
    "CREATE TABLE 部署 (部署ID LONG PRIMARY KEY, 部署名 TEXT(10) NOT NULL);"
    "CREATE TABLE 社員 (社員ID LONG PRIMARY KEY, 氏名 TEXT(4) NOT NULL, 給与 LONG, 年齢 BYTE, "
    "部署ID LONG REFERENCES 部署 (部署ID), 入社日 DATETIME);"
    "INSERT INTO 部署 VALUES (1, '営業');"
    "INSERT INTO 社員 VALUES (1, '山田', 300000, 30, 1, #2024/04/01#);"
    "CREATE INDEX 氏名順 ON 社員 (氏名);";

// A hint's line as the transcript shows it (UTF-8, LF).
std::string Lf(const std::string& message) {
  std::string text = message;
  for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at)) {
    text.erase(at, 1);
  }
  return text;
}

TEST(RunnerLearnerMistakes, EachStatementGetsJetsMessageNamingWhatWasTypedAndAHint) {
  const std::string syntax = "の構文エラー: 演算子がありません。";
  const std::string selectWords =
      "SELECT ステートメントには、予約語、引数名、または句読点のスペルミスがあるか、欠けている"
      "ものがあります";
  const std::string notFound =
      "が見つかりません。名前が存在し、スペルが正しいかどうか確認してください。";
  const std::string mismatch = "型が一致しません。フィールド ";
  const std::string number =
      "は数値型のフィールドです。数値は ' で囲まずに 300000 のように書きます。";
  const std::string date = "日付は #2024/04/01# のように # で囲んで書きます。";
  const std::string needsParent =
      "テーブル '部署' にリレーションシップが設定されたレコードが必要なので、レコードの追加または"
      "変更はできません。";
  const std::string parentHint =
      "参照先のテーブル '部署' にない値を指定しています。先に参照先にレコードを追加するか、参照"
      "先にある値を指定してください。";
  const std::pair<std::string, std::string> cases[] = {
      // Reading the statement.
      {"SELECT 氏名 給与 FROM 社員;",
       Hinted("クエリ式 '氏名 給与' " + syntax,
              "フィールドとフィールドの間にはコンマが必要です: 氏名, 給与。別名を付けるときは 氏名 "
              "AS 給与 と書きます。")},
      {"SELECT 氏名, 給与 社員;", Hinted("クエリ式 '給与 社員' " + syntax,
                                         "FROM がありません。フィールドの一覧の後に FROM "
                                         "とテーブル名を書きます: 給与 FROM 社員")},
      {"SELECT 氏名, FROM 社員;",
       Hinted(
           selectWords + " ('FROM' の付近)。",
           "FROM の前のコンマ (,) を取ってください。最後のフィールドの後にコンマは付けません。")},
      {"SELECT * FORM 社員;",
       Hinted(selectWords + " ('FORM' の付近)。", "FORM は FROM の書き間違いではありませんか。")},
      {"SELCT * FROM 社員;",
       Hinted("SQL ステートメントが正しくありません ('SELCT' の付近)。'DELETE'、'INSERT'、"
              "'PROCEDURE'、'SELECT'、または 'UPDATE' を使用してください。",
              "SELCT は SELECT の書き間違いではありませんか。")},
      {"SELECT * FROM 社員 ORDER 氏名;", Hinted("ORDER BY 句の構文エラーです ('氏名' の付近)。",
                                                "ORDER の後には BY を書きます: ORDER BY 氏名")},
      {"SELECT * FROM 社員 WHERE;", "WHERE 句の構文エラーです (文が途中で終わっています)。"},
      {"CREATE TABLE 注文 (Order LONG);",
       Hinted("フィールド定義の構文エラーです ('Order' の付近)。",
              "Order は SQL の予約語です。名前に使うときは [Order] のように角かっこで囲みます。")},
      {"SELECT * FROM 社員 WHERE 氏名 = '山田;",
       Hinted("文字列の構文エラーです。'山田 で始まる文字列の引用符 ' が閉じられていません。",
              "文字列は '山田' のように同じ引用符で囲みます。文字列の中の ' は '' と 2 つ重ねて書"
              "きます。")},
      {"SELECT Len(氏名 FROM 社員;",
       Hinted("クエリ式 'Len(氏名' の構文エラー: 閉じかっこ ')' がありません。",
              "開きかっこ ( の数だけ閉じかっこ ) が必要です。")},
      {"SELECT [氏名 FROM 社員;",
       Hinted("名前の構文エラーです。[氏名 で始まる名前の角かっこ [ ] が閉じられていません。",
              "名前は [氏名] のように [ と ] で囲みます。")},
      {"SELECT * FROM 社員 WHERE 入社日 > #2024/04/01;",
       Hinted("日付の構文エラーです。#2024/04/01 で始まる日付の # が閉じられていません。", date)},
      {"SELECT * FROM 社員 WHERE 入社日 > 2024年4月1日;",
       Hinted("クエリ式 '入社日 > 2024年4月1日' " + syntax, date)},
      {"SELECT * FROM 社員 WHERE 入社日 > #2024/02/30#;",
       "日付の構文エラーです。#2024/02/30# は正しい日付ではありません。"},
      // Names.
      {"SELECT 氏名 FROM 社貝;", Hinted("入力テーブルまたはクエリ '社貝' " + notFound,
                                        "'社員' の書き間違いではありませんか。")},
      {"DROP TABLE 社貝;", Hinted("入力テーブルまたはクエリ '社貝' " + notFound,
                                  "'社員' の書き間違いではありませんか。")},
      {"SELECT 指名 FROM 社員;",
       Hinted("フィールド '指名' が見つかりません。", "'氏名' の書き間違いではありませんか。")},
      {"SELECT 社員.指名 FROM 社員;", Hinted("フィールド '社員.指名' が見つかりません。",
                                             "'氏名' の書き間違いではありませんか。")},
      {"INSERT INTO 社員 (社員ID, 指名) VALUES (8, '田中');",
       Hinted("フィールド '指名' が見つかりません。", "'氏名' の書き間違いではありませんか。")},
      {"SELECT * FROM 社員 WHERE 部署 = 1;",
       Hinted("フィールド '部署' が見つかりません。",
              "テーブル '社員' のフィールドは ? 社員 で確かめられます。")},
      {"SELECT Lenn(氏名) FROM 社員;",
       Hinted("式に未定義関数 'Lenn' があります。", "'Len' の書き間違いではありませんか。")},
      {"SELECT 部署ID FROM 社員, 部署;",
       Hinted("指定したフィールド '部署ID' は、SQL ステートメントの FROM 句にある複数のテーブルを"
              "参照しています。",
              "フィールドの前にテーブル名を付けて、テーブル名.部署ID のように書きます。")},
      {"SELECT \"給与\" * 2 FROM 社員;",
       Hinted("型が一致しません。",
              "\"給与\" は文字列です。フィールドやテーブルの名前を囲むときは [給与] のように角かっ"
              "こを使います。")},
      {"CREATE TABLE 社員 (社員ID LONG);",
       Hinted("テーブル '社員' は既に存在します。",
              "別の名前を付けるか、作り直すなら先に DROP TABLE 社員 で削除します。")},
      {"CREATE INDEX 氏名順 ON 社員 (氏名);", "インデックス '氏名順' は既に存在します。"},
      {"CREATE TABLE 重複 (a LONG, a TEXT);",
       "同じフィールド 'a' を 2 回以上定義することはできません。"},
      // Shape.
      {"SELECT Left(氏名) FROM 社員;", "関数 'Left' に使用されている引数の数が正しくありません。"},
      {"SELECT 氏名 FROM 社員 WHERE Max(給与) > 1;",
       Hinted("WHERE 句や GROUP BY 句に集計関数 'Max' は使用できません。",
              "集計した結果で絞り込むときは HAVING 句を使います。")},
      {"SELECT 氏名 FROM 社員 UNION SELECT 部署ID, 部署名 FROM 部署;",
       "ユニオン クエリで選択した 2 つのテーブルまたはクエリの列数が一致しません。"},
      {"INSERT INTO 部署 VALUES (5);", "クエリの値の数と追加先のフィールドの数が一致しません。"},
      // Values and keys.
      {"INSERT INTO 社員 VALUES (1, '田中', 250000, 25, 1, #2024/04/01#);",
       Hinted(
           "インデックス、主キー、またはリレーションシップで値が重複しているので、テーブル '社員'"
           " を変更できませんでした (フィールド '社員ID')。",
           "'社員ID' が同じ値のレコードが既にあります。別の値を指定するか、既にあるレコードを "
           "UPDATE で変更してください。")},
      {"INSERT INTO 社員 (社員ID, 給与) VALUES (2, 250000);",
       Hinted("フィールド '社員.氏名' には Null 値を入力できません。このフィールドに値を入力してく"
              "ださい。",
              "'氏名' は値が必要なフィールド (NOT NULL) です。INSERT INTO で省略したフィールドは "
              "Null になるので、'氏名' の値も指定してください。")},
      {"INSERT INTO 社員 VALUES (3, '田中', 'abc', 25, 1, #2024/04/01#);",
       Hinted(mismatch + "'給与' に 'abc' は格納できません。", "'給与' " + number)},
      {"UPDATE 社員 SET 給与 = '三十万' WHERE 社員ID = 1;",
       Hinted(mismatch + "'給与' に '三十万' は格納できません。", "'給与' " + number)},
      {"INSERT INTO 社員 (社員ID, 氏名, 入社日) VALUES (6, '田中', '2024/13/45');",
       Hinted(mismatch + "'入社日' に '2024/13/45' は格納できません。",
              "'入社日' は日付/時刻型のフィールドです。" + date)},
      {"INSERT INTO 社員 VALUES (4, '田中一二三四五', 250000, 25, 1, #2024/04/01#);",
       Hinted("フィールドのサイズが小さすぎます。追加しようとしたデータが長すぎるため、フィールド "
              "'氏名' に格納できません。",
              "'氏名' に入るのは 4 文字までです。短くするか、ALTER TABLE でフィールドを大きくしてく"
              "ださい。")},
      {"INSERT INTO 社員 (社員ID, 氏名, 年齢) VALUES (7, '田中', 300);",
       Hinted("オーバーフローしました。フィールド '年齢' に '300' は格納できません。",
              "'年齢' に入るのは 0 ～ 255 の整数です。")},
      {"SELECT 1 / 0 AS x FROM 社員;", "0 で除算しました。"},
      // Relationships.
      {"INSERT INTO 社員 VALUES (5, '田中', 250000, 25, 9, #2024/04/01#);",
       Hinted(needsParent, parentHint)},
      {"UPDATE 社員 SET 部署ID = 9 WHERE 社員ID = 1;", Hinted(needsParent, parentHint)},
      {"DELETE FROM 部署 WHERE 部署ID = 1;",
       Hinted("テーブル '社員' にリレーションシップが設定されたレコードがあるので、レコードの削除"
              "または変更はできません。",
              "先に '社員' の関連するレコードを削除するか、別の値に変更してください。")},
      {"DROP TABLE 部署;",
       Hinted("テーブル '部署' はリレーションシップで使用されているので、削除できません。",
              "先に参照しているテーブル '社員' を削除するか、そのテーブルのリレーションシップ "
              "(FOREIGN KEY) を削除してください。")},
      // Jet's own checks of a query.
      {"SELECT 部署ID, 氏名, Count(*) FROM 社員 GROUP BY 部署ID;",
       Hinted("集計関数の一部として指定された式 '氏名' を含んでいないクエリを実行しようとしました"
              "。",
              "集計するクエリでは、氏名 を GROUP BY 句に加えるか、Count(氏名) や First(氏名) のよ"
              "うに集計関数の中に書きます。")},
      {"SELECT DISTINCT 部署ID FROM 社員 ORDER BY 給与;",
       Hinted("ORDER BY 句 (給与) が DISTINCT と矛盾しています。",
              "DISTINCT を使うときは、並べ替える 給与 を SELECT の列にも加えます。")},
      {"PARAMETERS 最低 LONG; SELECT 氏名 FROM 社員 WHERE 給与 >= 最低;",
       Hinted("パラメータが少なすぎます。1 を指定してください。",
              "パラメータ '最低' に値がありません。CREATE PROCEDURE で保存し、EXECUTE プロシー"
              "ジャ名 値 のように値を渡して実行します。")},
      {"SELECT 給与 * 2 AS 倍 FROM 社員 WHERE 倍 > 1;",
       Hinted("フィールド '倍' が見つかりません。",
              "'倍' は SELECT の列に付けた別名です。WHERE 句や GROUP BY 句では別名は使えないので、"
              "元の式 給与 * 2 を書きます。")},
      {"UPDATE 社員 SET 給与 = (SELECT Max(給与) FROM 社員);",
       Hinted("更新可能なクエリであることが必要です。",
              "集計した値で更新するときは、先に SELECT ... INTO で集計結果をテーブルに保存し、その"
              "テーブルと INNER JOIN して UPDATE します。")},
      // SQL of other databases, with Jet's form.
      {"SELECT 氏名 FROM 社員 LIMIT 3;",
       Hinted("'LIMIT' は Jet SQL では使えません。",
              "件数を絞るときは SELECT TOP 3 * FROM 社員 ORDER BY 給与 DESC のように TOP を使い"
              "ます。")},
      {"SELECT 氏名 FROM 社員 ORDER BY 給与 OFFSET 1;",
       Hinted("'OFFSET' は Jet SQL では使えません。",
              "Jet SQL には OFFSET がありません。TOP と ORDER BY で絞ります。")},
      {"SELECT 氏名 || '様' FROM 社員;", Hinted("'||' は Jet SQL では使えません。",
                                                "文字列をつなぐときは & を使います: 氏名 & '様'")},
      {"SELECT * FROM 社員 WHERE 給与 != 0;",
       Hinted("'!=' は Jet SQL では使えません。", "「等しくない」は <> と書きます。")},
      {"SELECT CASE WHEN 給与 > 0 THEN 1 END FROM 社員;",
       Hinted("'CASE' は Jet SQL では使えません。",
              "条件で値を選ぶときは IIf(条件, 真の値, 偽の値) か Switch(条件1, 値1, 条件2, 値2, "
              "...) を使います。")},
      {"SELECT COALESCE(給与, 0) FROM 社員;",
       Hinted("式に未定義関数 'COALESCE' があります。",
              "Null の代わりの値は IIf(IsNull(式), 代わりの値, 式) で書きます。")},
      {"SELECT Count(DISTINCT 部署ID) FROM 社員;",
       Hinted("'Count(DISTINCT ...)' は Jet SQL では使えません。",
              "重複を除いた件数は SELECT Count(*) FROM (SELECT DISTINCT ...) のようにサブクエリで"
              "数えます。")},
      {"SELECT * FROM 社員 JOIN 部署 ON 社員.部署ID = 部署.部署ID;",
       Hinted("JOIN 操作の構文エラーです ('JOIN' の付近)。",
              "結合は INNER JOIN、LEFT JOIN、RIGHT JOIN のいずれかに ON を付けて書きます。")},
      {"SELECT * FROM 社員 AS a INNER JOIN 社員 AS b ON a.社員ID = b.社員ID INNER JOIN 部署 ON "
       "a.部署ID = 部署.部署ID;",
       Hinted("JOIN 操作の構文エラーです ('INNER' の付近)。",
              "3 つ以上のテーブルの結合は、FROM (社員 INNER JOIN 部署 ON ...) INNER JOIN 支店 ON "
              "... のように先の結合をかっこで囲みます。")},
      {"INSERT INTO 部署 VALUES (2, '総務'), (3, '開発');",
       Hinted("INSERT INTO ステートメントの構文エラーです (',' の付近)。",
              "INSERT INTO で一度に追加できるのは 1 行です。行ごとに INSERT INTO を書くか、INSERT "
              "INTO ... SELECT を使います。")},
      {"CREATE TABLE 支店 AS SELECT * FROM 部署;",
       Hinted("CREATE TABLE ステートメントの構文エラーです ('AS' の付近)。",
              "クエリの結果から表を作るときは SELECT ... INTO 新しい表 FROM ... を使います。")},
      {"CREATE TABLE 支店 (名前 VARCHAR2(10));",
       Hinted("フィールド定義の構文エラーです ('VARCHAR2' の付近)。",
              "文字列の列は TEXT(50) のように TEXT 型で定義します。")},
  };
  RunnerFolder f;
  ASSERT_EQ(f.Run({"--new", "-c", kTextbook}).exitStatus, 0);
  for (const auto& [sql, message] : cases) {
    const ProcessResult result = f.Run({"-c", sql});
    EXPECT_EQ(result.out, sql + "\nERROR! " + Lf(message) + "\n\n");
    EXPECT_EQ(result.exitStatus, 1) << sql;
  }
  // Nothing that was refused changed the database.
  const std::string counts =
      "SELECT Count(*) AS n, Sum(給与) AS s, (SELECT Count(*) FROM 部署) AS d FROM 社員;";
  EXPECT_EQ(f.Run({"-c", counts}).out, counts + "\nn|s     |d|\n-+------+-+\n1|300000|1|\nOK\n");
}

TEST(RunnerLearnerMistakes, AFileThatIsLockedReadOnlyNoDatabaseOrMissingSaysSoAndWhatToDo) {
  RunnerFolder f;
  ASSERT_EQ(f.Run({"--new", "-c", kTextbook}).exitStatus, 0);
  const std::string insert = "INSERT INTO 部署 VALUES (2, '総務');";

  // Another program holds the write lock past the wait.
  {
    const OtherProgram writer(f.db, "BEGIN IMMEDIATE; DELETE FROM 社員;");
    ASSERT_TRUE(writer.Ready());
    EXPECT_EQ(
        f.Run({"-c", insert}).out,
        insert + "\nERROR! 更新できません。データベース \"" + f.db +
            "\" は現在ロックされています。\nヒント: ほかのプログラム (別の Tarnwick や "
            "tarnwick-run など) がこのデータベースを使っています。そちらの処理が終わってから、"
            "もう一度実行してください。\n\n");
  }

  // A file that is no database, to import.
  const std::string notes = f.dir.File("notes.mdb");
  WriteWholeFile(notes, "a learner's notes, not a database");
  EXPECT_EQ(f.Run({"--import", notes}).out,
            "Error! notes.mdbファイルへの接続に失敗しました\nファイル \"" + notes +
                "\" はデータベースではありません。\nヒント: Tarnwick のデータベースファイルを選ん"
                "でください。Access のファイルは取り込んで使います。\n\n\n");

  // A script that is not there, and a folder named as a script.
  const std::string missing = f.dir.File("missing.sql");
  const ProcessResult noScript = f.Run({missing});
  EXPECT_EQ(noScript.err, "tarnwick-run: ファイル \"" + missing +
                              "\" は開けません。ファイルが見つかりません。\nヒント: ファイル名と"
                              "フォルダ名が正しいか確かめてください。\n");
  EXPECT_EQ(noScript.exitStatus, 2);
  const std::string folder = f.dir.Path().string();
  EXPECT_EQ(f.Run({folder}).err, "tarnwick-run: ファイル \"" + folder +
                                     "\" は開けません。指定された名前はフォルダです。\nヒント: フォ"
                                     "ルダではなくファイルの名前を指定してください。\n");

  // A database file the user may only read (checked as an ordinary user: root writes anyway).
  ASSERT_EQ(chmod(f.dir.Path().c_str(), 0777), 0);
  ASSERT_EQ(chmod(f.db.c_str(), 0444), 0);
  ASSERT_EQ(chmod(f.dir.File("a.udl").c_str(), 0666), 0);  // the runner writes it anew
  EXPECT_TRUE(RunAsOrdinaryUser([&] {
    EXPECT_EQ(
        f.Run({"-c", insert}).out,
        "読み取り専用で開きました\n" + insert + "\nERROR! データベース \"" + f.db +
            "\" は読み取り専用なので、更新できません。\nヒント: ファイルかフォルダに書き込みの"
            "許可がありません。読み取り専用を解除するか、書き込めるフォルダにコピーしてから"
            "開いてください。\n\n");
  }));
}

}  // namespace
}  // namespace tarnwick::test
