// What tarnwick-run runs (-c texts, script files and standard input, on one session) and the
// transcript it writes: the result pane's lines, in UTF-8 or Shift-JIS.
#include <gtest/gtest.h>

#include "runner/RunTarnwick.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"

namespace tarnwick::test {
namespace {

TEST(RunnerTranscript, DefaultOutputIsUtf8WithLfAndSjisKeepsThePaneBytesOfGridsAndErrors) {
  RunnerFolder f;
  const ProcessResult utf8 = f.Run({"--new", "-c",
                                    "CREATE TABLE 商品 (品名 CHAR(10), 数量 INTEGER);\n"
                                    "INSERT INTO 商品 VALUES ('りんご', 3);\n"
                                    "SELECT * FROM 商品;"});
  EXPECT_EQ(utf8.out,
            "CREATE TABLE 商品 (品名 CHAR(10), 数量 INTEGER);\nOK\n\n"
            "INSERT INTO 商品 VALUES ('りんご', 3);\nOK\n\n"
            "SELECT * FROM 商品;\n品名  |数量|\n------+----+\nりんご|   3|\nOK\n");
  EXPECT_EQ(utf8.exitStatus, 0);

  // The same grid in the pane's own encoding: widths are Shift-JIS bytes, lines end in CR LF;
  // a failure is its message, and the status 1.
  const ProcessResult sjis = f.Run({"--sjis", "-c", "SELECT * FROM 商品;DROP TABLE x;"});
  EXPECT_EQ(sjis.out,
            Sjis("SELECT * FROM 商品;\r\n品名  |数量|\r\n------+----+\r\n"
                 "りんご|   3|\r\nOK\r\nDROP TABLE x;\r\nERROR! 入力テーブルまたはクエリ 'x' が見"
                 "つかりません。名前が存在し、スペルが正しいかどうか確認してください。\r\nヒント:"
                 " テーブルの一覧は ? で確かめられます。\r\n\r\n"));
  EXPECT_EQ(sjis.exitStatus, 1);

  // In UTF-8 a cell's CR LF becomes LF; a lone CR is kept.
  const ProcessResult cells =
      f.Run({"-c", "SELECT 'a' & Chr(13) & Chr(10) & 'b' AS x, 'c' & Chr(13) & 'd' AS y;"});
  EXPECT_EQ(cells.out.find("\r\n"), std::string::npos) << cells.out;
  EXPECT_NE(cells.out.find("a\nb"), std::string::npos) << cells.out;
  EXPECT_NE(cells.out.find("c\rd"), std::string::npos) << cells.out;
}

TEST(RunnerTranscript, TheEnginesTextShowsAsShiftJisHoldsItInEitherEncoding) {
  RunnerFolder f;
  // Characters made by the engine, which no Shift-JIS statement text could hold: each shows as
  // it comes back from Shift-JIS ('¥' as '\', '〜' as '～', an emoji as '?'), and its width is
  // its Shift-JIS length (half-width kana one cell, kanji two).
  const char* sql =
      "SELECT char(165) || 'x' AS a, char(12316) AS b, char(128512) || 'z' AS c, "
      "char(65393) || char(28450) AS d;";
  // The engine's own SQL makes them (char()).
  const ProcessResult utf8 = f.Run({"--new", "--dialect", "engine", "-c", sql});
  EXPECT_EQ(utf8.out, std::string(sql) + "\na |b |c |d  |\n--+--+--+---+\n\\x|～|?z|ｱ漢|\nOK\n");
  EXPECT_EQ(utf8.exitStatus, 0);
  const ProcessResult sjis = f.Run({"--sjis", "--dialect", "engine", "-c", sql});
  EXPECT_EQ(sjis.out, Sjis(std::string(sql) +
                           "\r\na |b |c |d  |\r\n--+--+--+---+\r\n\\x|～|?z|ｱ漢|\r\nOK\r\n"));
}

TEST(RunnerTranscript, CommandTextIsTakenAsThePaneHoldsIt) {
  RunnerFolder f;
  // LF becomes CR LF, so the line comment ends at the line break and SELECT runs.
  const ProcessResult comment = f.Run({"--new", "-c", "-- コメント\nSELECT 1 AS n;"});
  EXPECT_EQ(comment.out, "-- コメント\nSELECT 1 AS n;\nn|\n-+\n1|\nOK\n");
  EXPECT_EQ(comment.exitStatus, 0);

  // Nothing is added at the end: only a line break typed after the last ';' leaves a
  // remainder, echoed as an empty line.
  const ProcessResult trailing = f.Run({"-c", "SELECT 1 AS n;\n", "-c", "SELECT 2 AS n;"});
  EXPECT_EQ(trailing.out,
            "SELECT 1 AS n;\nn|\n-+\n1|\nOK\n"
            "\n"
            "SELECT 2 AS n;\nn|\n-+\n2|\nOK\n");

  // A character that Shift-JIS cannot hold is refused, naming the text and the line, before
  // anything runs; a Shift-JIS -c text (from a Shift-JIS terminal) runs as it is.
  const ProcessResult unspellable =
      f.Run({"-c", "CREATE TABLE x (a INTEGER);", "-c", "SELECT 1;\nSELECT 'café' AS x;"});
  EXPECT_EQ(unspellable.out, "");
  EXPECT_EQ(unspellable.err,
            "tarnwick-run: \"-c\" の 2 行目に変換できない文字があるため読み込めません。\nヒント: "
            "Shift-JIS で表せない文字 (絵文字など) は使えません。ファイルなら、その文字コード "
            "(Shift-JIS、UTF-8 など) も確かめてください。\n");
  EXPECT_EQ(unspellable.exitStatus, 2);
  const ProcessResult sjis = f.Run({"-c", "SELECT '\x83\x65\x83\x58\x83\x67' AS x;"});
  EXPECT_EQ(sjis.out, "SELECT 'テスト' AS x;\nx     |\n------+\nテスト|\nOK\n");
}

TEST(RunnerInputs, EveryKindRunsInCommandLineOrderOnOneConnection) {
  RunnerFolder f;
  // A Shift-JIS script with LF line ends, as an editor may save it. Its temporary table lives
  // only as long as the connection that made it.
  const std::string script = f.dir.File("create.sql");
  WriteWholeFile(script, Sjis("-- 表を作る\nCREATE TEMP TABLE 品 (名 CHAR(8));\n"
                              "INSERT INTO 品 VALUES ('みかん');\n"));
  const ProcessResult result = f.Run({"--new", script, "-", "-c", "SELECT count(*) AS n FROM 品;"},
                                     Sjis("SELECT 名 FROM 品;"));
  EXPECT_EQ(result.out,
            // The file's lines each end in CR LF: the last ';' leaves an empty remainder.
            "-- 表を作る\nCREATE TEMP TABLE 品 (名 CHAR(8));\nOK\n\n"
            "INSERT INTO 品 VALUES ('みかん');\nOK\n\n"
            "\n"
            // Standard input is read like a file, so its last line gains a line break too.
            "SELECT 名 FROM 品;\n名    |\n------+\nみかん|\nOK\n"
            "\n"
            "SELECT count(*) AS n FROM 品;\nn|\n-+\n1|\nOK\n");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.exitStatus, 0);

  // Standard input is the script when none is named.
  const ProcessResult input = f.Run({}, "SELECT 7 AS n;\r\nSELECT 8 AS m");
  EXPECT_EQ(input.out, "SELECT 7 AS n;\nn|\n-+\n7|\nOK\nSELECT 8 AS m\nm|\n-+\n8|\nOK\n");
  EXPECT_EQ(input.exitStatus, 0);
}

TEST(RunnerInputs, FailureThatEndsARunIsReportedAndTheNextInputStillRuns) {
  RunnerFolder f;
  // Describing a view whose table is gone fails past the console; the rest of that -c text
  // does not run, the next -c does.
  const ProcessResult result = f.Run(
      {"--new", "-c", "CREATE TABLE t (a INTEGER); CREATE VIEW v AS SELECT a FROM t; DROP TABLE t;",
       "-c", "? v ; SELECT 2 AS never;", "-c", "SELECT 3 AS n;"});
  EXPECT_EQ(result.out.find("never|"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("SELECT 3 AS n;\nn|\n-+\n3|\nOK\n"), std::string::npos) << result.out;
  EXPECT_EQ(result.err.rfind("tarnwick-run: ", 0), 0u) << result.err;
  EXPECT_EQ(result.exitStatus, 1);
}

}  // namespace
}  // namespace tarnwick::test
