#pragma once
// The report for the teacher: the marks, and for every wrong answer why it is wrong.
#include <string>
#include <vector>

#include "grader/Judging.h"
#include "grader/ScoreTable.h"

namespace tarnwick::grader {

struct ReportSources {
  std::string classDatabase;  // as given (UTF-8)
  std::string answers;
  std::vector<std::string> modelTroubles;  // what went wrong in the model answers (UTF-8)
};

// One HTML document (UTF-8): the marks, each learner's × linked to its part below, which shows
// the learner's lines of the exercise, the statement that failed and its message, and the first
// rows that differ beside the model's. Every text is escaped.
std::string HtmlReport(const ClassReport& report, const ReportSources& sources);

// The text with &, <, >, " and ' written as HTML's character references.
std::string HtmlEscape(std::string_view text);

}  // namespace tarnwick::grader
