// A whole class through the real program: the mistakes a teacher meets, each learner graded on
// a copy of its own, in parallel, and the three reports.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "grader/GradeFixture.h"
#include "text/Cp932Table.h"

namespace tarnwick::test {
namespace {

const std::string kRight1 = "--@ 問1\nSELECT 名前, 給与 FROM 社員 WHERE 部署 = '営業';\n";
const std::string kRight2 = "--@ 問2\nSELECT 名前, 給与 FROM 社員 ORDER BY 給与 DESC;\n";
const std::string kRight3 = "--@ 問3\nUPDATE 社員 SET 給与 = 給与 + 10000 WHERE 部署 = '総務';\n";
const std::string kRight4 =
    "--@ 問4\nSELECT 名前, 給与 FROM 社員 WHERE 給与 >= 280000 ORDER BY 名前;\n";
const std::string kRight5 =
    "--@ 問5\nSELECT 社員.名前, 部署.階 FROM 社員, 部署 WHERE 社員.部署 = 部署.名 AND 部署.階 >= "
    "2;\n";

class ClassOfEight : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    c_ = new GradeClass();
    // Answers written differently: aliases, a double-quoted text, another row order, ties
    // broken the other way, IN for =, a subquery for the join, no ';' at the end. Shift-JIS
    // with CR LF, as an editor on Windows saves it.
    c_->WriteSjis("別解.sql",
                  "-- 出席番号 1\n"
                  "--@ 問1\nSELECT s.名前 AS 氏名, s.給与 AS 月給 FROM 社員 AS s\n"
                  "WHERE s.部署 = \"営業\" ORDER BY s.給与;\n"
                  "--@ 問2\nSELECT 名前, 給与 FROM 社員 ORDER BY 給与 DESC, id DESC;\n"
                  "--@ 問3\nUPDATE 社員 SET 給与 = 給与 + 10000 WHERE 部署 IN ('総務');\n"
                  "--@ 問4\nSELECT e.名前, e.給与 FROM 社員 e WHERE e.給与 >= 280000 "
                  "ORDER BY e.名前;\n"
                  "--@ 問5\nSELECT 名前, (SELECT 階 FROM 部署 WHERE 部署.名 = 社員.部署) AS 階\n"
                  "FROM 社員 WHERE 部署 IN (SELECT 名 FROM 部署 WHERE 階 >= 2)");
    c_->WriteUtf8("逆順.sql", kRight1 + "--@ 問2\nSELECT 名前, 給与 FROM 社員 ORDER BY 給与;\n" +
                                  kRight3 + kRight4 + kRight5);
    // The update that changes every row spoils the next exercise too.
    c_->WriteUtf8(
        "更新しすぎ.sql",
        kRight1 + kRight2 + "--@ 問3\nUPDATE 社員 SET 給与 = 給与 + 10000;\n" + kRight4 + kRight5);
    // A syntax error; a "?" before a right answer changes nothing.
    c_->WriteUtf8("構文.sql", "--@ 問1\nSELECT 名前 給与 FROM 社員 WHERE 部署 = '営業';\n" +
                                  kRight2 + kRight3 + kRight4 + "--@ 問5\n? 社員;\n" +
                                  kRight5.substr(kRight5.find('\n') + 1));
    // 問2 missing; the other names typed with the input method: full-width digits, spaces.
    c_->WriteUtf8("未提出.sql", "\xEF\xBB\xBF--@ 問１\r\n" + kRight1.substr(9) +
                                    "  -- @ 問３ \r\n" + kRight3.substr(9) + "--@　問 4\n" +
                                    kRight4.substr(9) + kRight5);
    c_->WriteUtf8("暴走.sql",
                  kEndlessExercise + kRight1.substr(9) + kRight2 + kRight3 + kRight4 + kRight5);
    c_->WriteUtf8("削除.sql",
                  "--@ 問1\nDROP TABLE 社員;\n" + kRight2 + kRight3 + kRight4 + kRight5);
    // A transaction never committed: its update does not count.
    c_->WriteUtf8("取り消し.sql", kRight1 + kRight2 + "--@ 問3\nBEGIN TRANSACTION;\n" +
                                      kRight3.substr(9) + kRight4 + kRight5);
    classBytes_ = c_->ReadFile("class.mdb");
    const std::string html = c_->Dir().File("report.html");
    rows_ = new CsvRows(c_->GradeToCsv(
        {"--html", html, "--timeout", "1", "--jobs", "3", "別解.sql", "逆順.sql", "更新しすぎ.sql",
         "構文.sql", "未提出.sql", "暴走.sql", "削除.sql", "取り消し.sql"},
        &result_));
    html_ = c_->ReadFile("report.html");
  }
  static void TearDownTestSuite() {
    delete rows_;
    delete c_;
  }

  static GradeClass* c_;
  static CsvRows* rows_;
  static ProcessResult result_;
  static std::string html_;
  static std::string classBytes_;
};

GradeClass* ClassOfEight::c_ = nullptr;
CsvRows* ClassOfEight::rows_ = nullptr;
ProcessResult ClassOfEight::result_;
std::string ClassOfEight::html_;
std::string ClassOfEight::classBytes_;

TEST_F(ClassOfEight, EachLearnerGetsTheMarksTheirAnswersDeserve) {
  const CsvRows expected = {
      {"学生", {"問1", "問2", "問3", "問4", "問5", "得点"}},
      {"別解", Marks("ooooo")},
      {"逆順", Marks("oxooo")},
      {"更新しすぎ", Marks("ooxxo")},
      {"構文", Marks("xoooo")},
      {"未提出", Marks("o-ooo")},
      {"暴走", Marks("xoooo")},
      {"削除", Marks("xxxxx")},
      {"取り消し", Marks("ooxoo")},
  };
  EXPECT_EQ(*rows_, expected);
  EXPECT_EQ(result_.err, "");
}

TEST_F(ClassOfEight, TheTableOnStandardOutputLinesUpInGridCells) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = result_.out.find('\n', start)) != std::string::npos;
       start = end + 1) {
    lines.push_back(result_.out.substr(start, end - start));
  }
  ASSERT_EQ(lines.size(), 11u) << result_.out;
  EXPECT_EQ(lines[0], "学生      |問1|問2|問3|問4|問5|得点|");
  EXPECT_EQ(lines[1], "----------+---+---+---+---+---+----+");
  EXPECT_EQ(lines[2], "別解      |○ |○ |○ |○ |○ |   5|");
  EXPECT_EQ(lines[6], "未提出    |○ |－ |○ |○ |○ |   4|");
  for (std::size_t i = 2; i < 10; ++i) {
    EXPECT_EQ(MeasureUtf8(lines[i]).width, MeasureUtf8(lines[0]).width) << lines[i];
  }
  EXPECT_EQ(lines[10], "学生 8 人、問題 5 問を採点しました。");
}

TEST_F(ClassOfEight, TheReportSaysWhyEachWrongAnswerIsWrong) {
  for (const char* expected :
       {// the syntax error's statement and message
        "クエリ式 &#39;名前 給与&#39; の構文エラー",
        // the runaway statement stopped at the limit
        "実行時間が上限の 1 秒を超えたため、このSQL文を中止しました。",
        // the wrong order, with the first rows side by side
        "行の順序が違います", "模範解答の 1 行目から", "解答の 1 行目から",
        // the update of every row, and what it spoilt
        "テーブル &#39;社員&#39; の行の内容が違います。", "模範解答にだけある行",
        "<td>田中</td><td>開発</td><td>300000</td>", "解答にだけある行",
        "<td>田中</td><td>開発</td><td>310000</td>",
        // the dropped table
        "行を返すSQL文 (SELECT など) がありません。",
        // the transaction left open
        "問3: 確定していないトランザクションを取り消しました (ROLLBACK)。"}) {
    EXPECT_NE(html_.find(expected), std::string::npos) << expected;
  }
  // A learner with every answer right has no wrong answer to show.
  const std::size_t right = html_.find("<h2>別解</h2>");
  ASSERT_NE(right, std::string::npos);
  EXPECT_EQ(html_.substr(right, html_.find("</section>", right) - right).find("<h3>"),
            std::string::npos);
}

TEST_F(ClassOfEight, TheClassDatabaseIsLeftAsItWasAndNothingIsWrittenBesideIt) {
  EXPECT_TRUE(c_->ReadFile("class.mdb") == classBytes_);
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(c_->Dir().Path())) {
    files.push_back(entry.path().filename().string());
  }
  std::sort(files.begin(), files.end());
  const std::vector<std::string> expected = {
      "answers.sql",  "class.mdb",  "marks.csv", "report.html",    "別解.sql", "削除.sql",
      "取り消し.sql", "未提出.sql", "暴走.sql",  "更新しすぎ.sql", "構文.sql", "逆順.sql"};
  std::vector<std::string> sorted = expected;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(files, sorted);
  // Another grading of the same class finds the same database: the dropped table is there.
  c_->WriteUtf8("また.sql", kRight1);
  EXPECT_EQ(c_->GradeToCsv({"また.sql"})["また"], Marks("o----"));
}

}  // namespace
}  // namespace tarnwick::test
