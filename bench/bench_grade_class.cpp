// tarnwick-grade on a class: 40 students' files of 20 exercises each (queries and changes to
// the tables, right and wrong answers, syntax errors, exercises left out) on a sales database
// of a few thousand rows. Prints the time per student with one process at a time, and the
// speed-up from running several at once (--jobs). Each figure is the median of runs taken in
// turns.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ChildTiming.h"

namespace {

namespace fs = std::filesystem;
using tarnwick::bench::ChildIo;
using tarnwick::bench::Series;

constexpr int kStudents = 40;
constexpr int kRounds = 5;

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Customers, products and 6,000 sales lines, through the console itself.
std::string SalesScript() {
  std::string script =
      "CREATE TABLE 顧客 (顧客ID INTEGER PRIMARY KEY, 氏名 TEXT(20), 地域 TEXT(10), 会員 YESNO);\n"
      "CREATE TABLE 商品 (商品ID INTEGER PRIMARY KEY, 商品名 TEXT(30), 分類 TEXT(10), "
      "単価 CURRENCY);\n"
      "CREATE TABLE 売上 (売上ID INTEGER PRIMARY KEY, 顧客ID INTEGER, 商品ID INTEGER, "
      "数量 INTEGER, 日付 DATETIME);\n";
  const char* regions[] = {"北海道", "東北", "関東", "中部", "近畿", "九州"};
  const char* kinds[] = {"文具", "食品", "家電", "衣料"};
  for (int i = 1; i <= 300; ++i) {
    script += "INSERT INTO 顧客 VALUES (" + std::to_string(i) + ", '顧客" + std::to_string(i) +
              "', '" + regions[i % 6] + "', " + (i % 3 == 0 ? "True" : "False") + ");\n";
  }
  for (int i = 1; i <= 60; ++i) {
    script += "INSERT INTO 商品 VALUES (" + std::to_string(i) + ", '商品" + std::to_string(i) +
              "', '" + kinds[i % 4] + "', " + std::to_string(100 + (i * 37) % 900) + ");\n";
  }
  for (int i = 1; i <= 6000; ++i) {
    script += "INSERT INTO 売上 VALUES (" + std::to_string(i) + ", " +
              std::to_string(1 + (i * 7) % 300) + ", " + std::to_string(1 + (i * 11) % 60) + ", " +
              std::to_string(1 + i % 9) + ", #2024/" + std::to_string(1 + i % 12) + "/" +
              std::to_string(1 + i % 28) + "#);\n";
  }
  return script;
}

// The model answers, and for each a wrong answer a student might give.
struct Exercise {
  const char* model;
  const char* wrong;
};

const Exercise kExercises[] = {
    {"SELECT 氏名 FROM 顧客 WHERE 地域 = '関東';", "SELECT 氏名 FROM 顧客 WHERE 地域 = '近畿';"},
    {"SELECT 商品名, 単価 FROM 商品 ORDER BY 単価 DESC, 商品ID;",
     "SELECT 商品名, 単価 FROM 商品 ORDER BY 単価;"},
    {"SELECT 地域, Count(*) AS 人数 FROM 顧客 GROUP BY 地域;",
     "SELECT 地域, Count(*) FROM 顧客 GROUP BY 地域, 会員;"},
    {"SELECT 分類, Avg(単価) AS 平均 FROM 商品 GROUP BY 分類;",
     "SELECT 分類, Sum(単価) FROM 商品 GROUP BY 分類;"},
    {"SELECT 顧客.氏名, 売上.数量 FROM 顧客 INNER JOIN 売上 ON 顧客.顧客ID = 売上.顧客ID "
     "WHERE 売上.数量 >= 8;",
     "SELECT 顧客.氏名, 売上.数量 FROM 顧客, 売上 WHERE 売上.数量 >= 8;"},
    {"SELECT 商品ID, Sum(数量) AS 合計 FROM 売上 GROUP BY 商品ID ORDER BY Sum(数量) DESC, 商品ID;",
     "SELECT 商品ID, Sum(数量) FROM 売上 GROUP BY 商品ID;"},
    {"UPDATE 商品 SET 単価 = 単価 * 1.1 WHERE 分類 = '食品';",
     "UPDATE 商品 SET 単価 = 単価 * 1.1;"},
    {"SELECT 商品名, 単価 FROM 商品 WHERE 単価 > 800;",
     "SELECT 商品名, 単価 FROM 商品 WHERE 単価 >= 800;"},
    {"SELECT Month(日付) AS 月, Sum(数量) AS 数 FROM 売上 GROUP BY Month(日付);",
     "SELECT Month(日付), Count(*) FROM 売上 GROUP BY Month(日付);"},
    {"INSERT INTO 顧客 VALUES (301, '新規', '沖縄', True);",
     "INSERT INTO 顧客 VALUES (301, '新規', '九州', True);"},
    {"SELECT 氏名 FROM 顧客 WHERE 顧客ID NOT IN (SELECT 顧客ID FROM 売上);",
     "SELECT 氏名 FROM 顧客 WHERE 顧客ID IN (SELECT 顧客ID FROM 売上);"},
    {"SELECT TOP 5 顧客ID, Sum(数量) AS 計 FROM 売上 GROUP BY 顧客ID ORDER BY Sum(数量) DESC, "
     "顧客ID;",
     "SELECT TOP 5 顧客ID, Sum(数量) FROM 売上 GROUP BY 顧客ID ORDER BY 顧客ID;"},
    {"DELETE FROM 売上 WHERE 数量 = 1;", "DELETE FROM 売上 WHERE 数量 <= 2;"},
    {"SELECT Count(*) AS 件数 FROM 売上;", "SELECT Count(*) FROM 顧客;"},
    {"SELECT 分類, Max(単価) AS 最高 FROM 商品 GROUP BY 分類 HAVING Max(単価) > 900;",
     "SELECT 分類, Max(単価) FROM 商品 GROUP BY 分類;"},
    {"SELECT 顧客.地域, Sum(売上.数量 * 商品.単価) AS 金額 FROM (売上 INNER JOIN 顧客 ON "
     "売上.顧客ID = 顧客.顧客ID) INNER JOIN 商品 ON 売上.商品ID = 商品.商品ID GROUP BY 顧客.地域;",
     "SELECT 顧客.地域, Sum(売上.数量) FROM 売上 INNER JOIN 顧客 ON 売上.顧客ID = 顧客.顧客ID "
     "GROUP BY 顧客.地域;"},
    {"UPDATE 顧客 SET 会員 = True WHERE 地域 = '九州';", "UPDATE 顧客 SET 会員 = False;"},
    {"SELECT 氏名 FROM 顧客 WHERE 会員 = True ORDER BY 顧客ID;",
     "SELECT 氏名 FROM 顧客 WHERE 会員 = False ORDER BY 顧客ID;"},
    {"SELECT DISTINCT 分類 FROM 商品;", "SELECT 分類 FROM 商品;"},
    {"SELECT 商品名 & '(' & 分類 & ')' AS 表示 FROM 商品 WHERE 商品ID <= 10;",
     "SELECT 商品名 FROM 商品 WHERE 商品ID <= 10;"},
};
constexpr int kExerciseCount = sizeof kExercises / sizeof kExercises[0];

std::string Answers() {
  std::string answers = "-- 売上データの課題\n";
  for (int e = 0; e < kExerciseCount; ++e) {
    answers += "--@ 問" + std::to_string(e + 1) + "\n" + kExercises[e].model + "\n";
  }
  return answers;
}

// A student's file: mostly right answers, some wrong, a few syntax errors and a few left out,
// in a pattern that differs from student to student.
std::string Student(int student) {
  std::string text = "-- 学籍番号 " + std::to_string(student) + "\n";
  for (int e = 0; e < kExerciseCount; ++e) {
    const int kind = (student * 7 + e * 3) % 10;
    if (kind == 9) continue;
    text += "--@ 問" + std::to_string(e + 1) + "\n";
    if (kind == 7) {
      text += std::string(kExercises[e].wrong) + "\n";
    } else if (kind == 8) {
      text += "SELECT 氏名 地域 FROM 顧客;\n";
    } else {
      text += std::string(kExercises[e].model) + "\n";
    }
  }
  return text;
}

}  // namespace

int main() {
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern =
      std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/tarnwick-bench-grade-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) return 2;
  const fs::path dir = pattern;

  WriteText(dir / "sales.sql", SalesScript());
  const std::string db = (dir / "sales.mdb").string();
  Series setup;
  setup.Run({TARNWICK_RUN_PATH, "--db", db, "--new", (dir / "sales.sql").string()}, {});
  if (setup.failed) {
    std::fprintf(stderr, "the sales database could not be made\n");
    fs::remove_all(dir);
    return 1;
  }
  fs::remove(dir / "sales.udl");
  WriteText(dir / "answers.sql", Answers());
  std::vector<std::string> students;
  for (int s = 1; s <= kStudents; ++s) {
    const fs::path file = dir / ("student" + std::to_string(s) + ".sql");
    WriteText(file, Student(s));
    students.push_back(file.string());
  }

  const long processors = sysconf(_SC_NPROCESSORS_ONLN);
  std::vector<int> jobs = {1, 2};
  if (processors > 2) jobs.push_back(static_cast<int>(processors));
  std::vector<Series> series(jobs.size());
  const ChildIo io{"/dev/null", (dir / "table.txt").string()};
  for (int round = 0; round < kRounds; ++round) {
    for (std::size_t j = 0; j < jobs.size(); ++j) {
      std::vector<std::string> argv = {
          TARNWICK_GRADE_PATH,    "--db", db, "--answers", (dir / "answers.sql").string(), "--jobs",
          std::to_string(jobs[j])};
      argv.insert(argv.end(), students.begin(), students.end());
      series[j].Run(argv, io);
    }
  }

  std::printf("tarnwick-grade: %d students x %d exercises, %ld processors, median of %d rounds\n",
              kStudents, kExerciseCount, processors, kRounds);
  std::printf("%-10s %10s %14s %10s %12s\n", "--jobs", "seconds", "per student", "speed-up",
              "peak (MB)");
  bool failed = false;
  for (std::size_t j = 0; j < jobs.size(); ++j) {
    const double seconds = series[j].Median();
    failed = failed || series[j].failed;
    std::printf("%-10d %10.3f %12.1f ms %9.2fx %12.1f\n", jobs[j], seconds,
                1000 * seconds / kStudents, series[0].Median() / seconds,
                series[j].peakKb / 1024.0);
  }
  fs::remove_all(dir);
  return failed ? 1 : 0;
}
