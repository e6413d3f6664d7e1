// tarnwick-grade on a class: 40 students' files of 20 exercises each (queries and changes to
// the tables, right and wrong answers, syntax errors, exercises left out) on the sample
// database 販売管理. Prints the time per student with one process at a time, and the
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

// The model answers, and for each a wrong answer a student might give.
struct Exercise {
  const char* model;
  const char* wrong;
};

const Exercise kExercises[] = {
    {"SELECT 部署名 FROM 部署 WHERE 所在地 = '東京本社';",
     "SELECT 部署名 FROM 部署 WHERE 所在地 = '大阪支店';"},
    {"SELECT 氏名, 基本給 FROM 社員 ORDER BY 基本給 DESC, 社員番号;",
     "SELECT 氏名, 基本給 FROM 社員 ORDER BY 基本給;"},
    {"SELECT 部署コード, Count(*) AS 人数 FROM 社員 GROUP BY 部署コード;",
     "SELECT 部署コード, Count(*) FROM 社員 GROUP BY 部署コード, 性別;"},
    {"SELECT 分類コード, Avg(単価) AS 平均 FROM 商品 GROUP BY 分類コード;",
     "SELECT 分類コード, Sum(単価) FROM 商品 GROUP BY 分類コード;"},
    {"SELECT 社員.氏名, 部署.部署名 FROM 社員 INNER JOIN 部署 ON 社員.部署コード = "
     "部署.部署コード;",
     "SELECT 社員.氏名, 部署.部署名 FROM 社員, 部署;"},
    {"SELECT 商品コード, Sum(数量) AS 合計 FROM 受注明細 GROUP BY 商品コード "
     "ORDER BY Sum(数量) DESC, 商品コード;",
     "SELECT 商品コード, Sum(数量) FROM 受注明細 GROUP BY 商品コード;"},
    {"UPDATE 商品 SET 単価 = 単価 * 1.1 WHERE 分類コード = '06';",
     "UPDATE 商品 SET 単価 = 単価 * 1.1;"},
    {"SELECT 商品名, 単価 FROM 商品 WHERE 単価 > 1000;",
     "SELECT 商品名, 単価 FROM 商品 WHERE 単価 >= 1000;"},
    {"SELECT Year(受注日) AS 年, Count(*) AS 件数 FROM 受注 GROUP BY Year(受注日);",
     "SELECT Month(受注日), Count(*) FROM 受注 GROUP BY Month(受注日);"},
    {"INSERT INTO 分類 VALUES ('07', '電子機器');", "INSERT INTO 分類 VALUES ('07', '電子');"},
    {"SELECT 顧客名 FROM 顧客 WHERE 顧客コード NOT IN (SELECT 顧客コード FROM 受注);",
     "SELECT 顧客名 FROM 顧客 WHERE 顧客コード IN (SELECT 顧客コード FROM 受注);"},
    {"SELECT TOP 5 顧客コード, Count(*) AS 件数 FROM 受注 GROUP BY 顧客コード "
     "ORDER BY Count(*) DESC, 顧客コード;",
     "SELECT TOP 5 顧客コード, Count(*) FROM 受注 GROUP BY 顧客コード ORDER BY 顧客コード;"},
    {"DELETE FROM 受注明細 WHERE 数量 = 1;", "DELETE FROM 受注明細 WHERE 数量 <= 2;"},
    {"SELECT Count(*) AS 件数 FROM 受注;", "SELECT Count(*) FROM 顧客;"},
    {"SELECT 分類コード, Max(単価) AS 最高 FROM 商品 GROUP BY 分類コード HAVING Max(単価) > 5000;",
     "SELECT 分類コード, Max(単価) FROM 商品 GROUP BY 分類コード;"},
    {"SELECT 顧客.都道府県, Sum(受注明細.数量 * 受注明細.単価) AS 金額 FROM (受注 INNER JOIN 顧客 "
     "ON 受注.顧客コード = 顧客.顧客コード) INNER JOIN 受注明細 ON 受注.受注番号 = "
     "受注明細.受注番号 GROUP BY 顧客.都道府県;",
     "SELECT 顧客.都道府県, Sum(受注明細.数量) FROM (受注 INNER JOIN 顧客 ON 受注.顧客コード = "
     "顧客.顧客コード) INNER JOIN 受注明細 ON 受注.受注番号 = 受注明細.受注番号 "
     "GROUP BY 顧客.都道府県;"},
    {"UPDATE 顧客 SET 優良顧客 = True WHERE 与信限度額 >= 5000000;",
     "UPDATE 顧客 SET 優良顧客 = False;"},
    {"SELECT 顧客名 FROM 顧客 WHERE 優良顧客 = True ORDER BY 顧客コード;",
     "SELECT 顧客名 FROM 顧客 WHERE 優良顧客 = False ORDER BY 顧客コード;"},
    {"SELECT DISTINCT 都道府県 FROM 顧客;", "SELECT 都道府県 FROM 顧客;"},
    {"SELECT 商品名 & '（' & 分類コード & '）' AS 表示 FROM 商品 WHERE 商品コード LIKE 'P01%';",
     "SELECT 商品名 FROM 商品 WHERE 商品コード LIKE 'P01%';"},
};
constexpr int kExerciseCount = sizeof kExercises / sizeof kExercises[0];

std::string Answers() {
  std::string answers = "-- 販売管理の課題\n";
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
      text += "SELECT 顧客名 都道府県 FROM 顧客;\n";
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

  const std::string db = TARNWICK_SAMPLE_DATABASE;
  if (!fs::exists(db)) {
    std::fprintf(stderr, "the sample database %s is missing\n", db.c_str());
    fs::remove_all(dir);
    return 1;
  }
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
