#pragma once
// One run of tarnwick-grade: the model answers, then every learner, then the reports.
#include "grader/GraderOptions.h"

namespace tarnwick::grader {

enum GraderStatus : int {
  kGraded = 0,       // grading finished, whatever the marks
  kCannotGrade = 2,  // the class database, the answers or a report file could not be used
  kInterrupted = 130,
};

// Grades the class and writes the table to standard output and the reports asked for;
// failures go to standard error. Returns the exit status.
GraderStatus RunGrader(const GraderOptions& options);

// Writes "tarnwick-grade: " and the message (UTF-8) to standard error.
void ReportToTeacher(std::string_view utf8Message);

}  // namespace tarnwick::grader
