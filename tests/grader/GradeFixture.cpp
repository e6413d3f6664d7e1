#include "grader/GradeFixture.h"

#include <gtest/gtest.h>

#include "support/TestDatabase.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"

namespace tarnwick::test {

// Salaries tie at 300000 and at 250000, so that ORDER BY 給与 leaves ties open.
GradeClass::GradeClass() {
  classDb_ = MakeDatabaseWith(
      dir_.File("class.mdb"),
      {"CREATE TABLE 部署 (名 TEXT(10) PRIMARY KEY, 階 INTEGER)",
       "INSERT INTO 部署 VALUES ('営業', 1)", "INSERT INTO 部署 VALUES ('総務', 2)",
       "INSERT INTO 部署 VALUES ('開発', 3)",
       "CREATE TABLE 社員 (id INTEGER PRIMARY KEY, 名前 TEXT(20), 部署 TEXT(10), 給与 CURRENCY)",
       "INSERT INTO 社員 VALUES (1, '佐藤', '営業', 300000)",
       "INSERT INTO 社員 VALUES (2, '鈴木', '総務', 250000)",
       "INSERT INTO 社員 VALUES (3, '高橋', '営業', 280000)",
       "INSERT INTO 社員 VALUES (4, '田中', '開発', 300000)",
       "INSERT INTO 社員 VALUES (5, '伊藤', '開発', 250000)",
       "INSERT INTO 社員 VALUES (6, '渡辺', '総務', 220000)"});
  // The last statement without its ';', as the SQL pane allows.
  answers_ = WriteUtf8("answers.sql",
                       "-- 第3回 課題\n"
                       "--@ 問1\nSELECT 名前, 給与 FROM 社員 WHERE 部署 = '営業';\n"
                       "--@ 問2\nSELECT 名前, 給与 FROM 社員 ORDER BY 給与 DESC;\n"
                       "--@ 問3\nUPDATE 社員 SET 給与 = 給与 + 10000 WHERE 部署 = '総務';\n"
                       "--@ 問4\nSELECT 名前, 給与 FROM 社員 WHERE 給与 >= 280000 ORDER BY 名前;\n"
                       "--@ 問5\nSELECT 社員.名前, 部署.階 FROM 社員 INNER JOIN 部署\n"
                       "  ON 社員.部署 = 部署.名 WHERE 部署.階 >= 2\n");
}

std::string GradeClass::WriteUtf8(const std::string& name, std::string_view text) const {
  const std::string path = dir_.File(name);
  WriteWholeNativeFile(path, text);
  return path;
}

std::string GradeClass::WriteSjis(const std::string& name, std::string_view utf8Text) const {
  std::string crlf;
  for (char c : utf8Text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return WriteUtf8(name, Utf8ToSjis(crlf));
}

ProcessResult GradeClass::Grade(std::vector<std::string> arguments) const {
  arguments.insert(arguments.begin(),
                   {TARNWICK_GRADE_PATH, "--db", classDb_, "--answers", answers_});
  return RunProcess(arguments, {}, dir_.Path());
}

CsvRows GradeClass::GradeToCsv(std::vector<std::string> arguments, ProcessResult* result) const {
  const std::string csv = dir_.File("marks.csv");
  arguments.insert(arguments.begin(), {"--csv", csv});
  const ProcessResult run = Grade(arguments);
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  if (result != nullptr) *result = run;
  return ParseCsv(ReadFile("marks.csv"));
}

std::string GradeClass::ReadFile(const std::string& name) const {
  return ReadWholeNativeFile(dir_.File(name));
}

CsvRows ParseCsv(std::string_view csv) {
  CsvRows rows;
  EXPECT_TRUE(csv.starts_with("\xEF\xBB\xBF")) << "no byte-order mark";
  csv.remove_prefix(std::min<std::size_t>(3, csv.size()));
  while (!csv.empty()) {
    const std::size_t end = csv.find("\r\n");
    EXPECT_NE(end, std::string_view::npos) << "a line without CR LF";
    std::string_view line = csv.substr(0, end);
    csv.remove_prefix(std::min(end + 2, csv.size()));
    std::vector<std::string> cells;
    for (std::size_t comma; (comma = line.find(',')) != std::string_view::npos;) {
      cells.emplace_back(line.substr(0, comma));
      line.remove_prefix(comma + 1);
    }
    cells.emplace_back(line);
    const std::string name = cells.front();
    cells.erase(cells.begin());
    rows[name] = cells;
  }
  return rows;
}

std::vector<std::string> Marks(std::string_view fiveMarks) {
  std::vector<std::string> marks;
  int score = 0;
  for (char mark : fiveMarks) {
    marks.push_back(mark == 'o' ? "○" : mark == 'x' ? "×" : "未提出");
    score += mark == 'o';
  }
  marks.push_back(std::to_string(score));
  return marks;
}

}  // namespace tarnwick::test
