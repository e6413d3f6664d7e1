#pragma once
// A small class for tarnwick-grade: a class database of employees and departments, the
// teacher's answers, and learners' files, in a fresh folder.
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "support/ChildProcess.h"
#include "support/TempDir.h"

namespace tarnwick::test {

// An exercise 問1 whose statement has no end in sight: 13 copies of the six-row table joined
// without a condition.
inline const std::string kEndlessExercise =
    "--@ 問1\nSELECT count(*) FROM 社員 a, 社員 b, 社員 c, 社員 d, 社員 e, 社員 f, 社員 g, "
    "社員 h, 社員 i, 社員 j, 社員 k, 社員 l, 社員 m WHERE a.給与 + m.給与 > 0;\n";

// The rows of a CSV report by learner: each learner's cells after the name.
using CsvRows = std::map<std::string, std::vector<std::string>>;

class GradeClass {
 public:
  GradeClass();

  const TempDir& Dir() const { return dir_; }
  const std::string& ClassDb() const { return classDb_; }
  // Writes a file of the folder: the text as UTF-8, or converted to Shift-JIS with CR LF.
  std::string WriteUtf8(const std::string& name, std::string_view text) const;
  std::string WriteSjis(const std::string& name, std::string_view utf8Text) const;
  // The model answers used by default (answers.sql).
  const std::string& Answers() const { return answers_; }

  // Runs tarnwick-grade with --db and --answers and the arguments.
  ProcessResult Grade(std::vector<std::string> arguments) const;
  // Runs it with a CSV report and gives the report's rows.
  CsvRows GradeToCsv(std::vector<std::string> arguments, ProcessResult* result = nullptr) const;
  std::string ReadFile(const std::string& name) const;

 private:
  TempDir dir_;
  std::string classDb_;
  std::string answers_;
};

// Splits a CSV report (BOM, CR LF) into its rows; the header row comes under "学生".
CsvRows ParseCsv(std::string_view csv);

// The five exercises' marks as the CSV writes them, for comparing a whole row at once.
std::vector<std::string> Marks(std::string_view fiveMarks);

}  // namespace tarnwick::test
