#pragma once
// The class's marks: the table on standard output, and the same as a CSV file for spreadsheets.
#include <string>
#include <vector>

#include "grader/ClassGrading.h"

namespace tarnwick::grader {

struct ClassReport {
  std::vector<std::string> exercises;  // the exercises' names, in the answers' order
  std::vector<LearnerReport> learners;
};

// The mark of an outcome as the table shows it: ○, × or －.
std::string MarkSymbol(Mark mark);

// The table in the result grid's form (UTF-8, LF line ends): a row per learner, a column per
// exercise, then the score; a notes column when any learner's file has notes; then a line that
// sums up. Columns line up as the grid's do in a fixed-pitch font, where a character that
// Shift-JIS writes in two bytes takes two cells (names show as the grid shows text).
std::string ScoreTableText(const ClassReport& report);

// UTF-8 with a byte-order mark, CR LF line ends: the header 学生,<exercises>,得点, then a row
// per learner with ○, × or 未提出 and the score. Fields are quoted where they must be, and a
// field that a spreadsheet would take for a formula (=, +, -, @ first) begins with an
// apostrophe.
std::string ScoreCsv(const ClassReport& report);

}  // namespace tarnwick::grader
