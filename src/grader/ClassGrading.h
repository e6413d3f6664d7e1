#pragma once
// Grading a class: every learner's file in a process of its own, as many at a time as asked,
// so that one learner's crash or runaway stops nobody else.
#include <signal.h>

#include <cstddef>
#include <string>
#include <vector>

#include "grader/Judging.h"

namespace tarnwick::grader {

struct LearnerReport {
  std::string file;                       // as given on the command line
  std::string name;                       // the file's name without its extension
  std::vector<ExerciseOutcome> outcomes;  // one per exercise, in the answers' order
  std::vector<std::string> notes;         // about the file as a whole (UTF-8)

  std::size_t Score() const;
};

struct ClassSetup {
  std::vector<std::string> files;  // the learners' files (system paths, absolute)
  std::vector<std::string> names;  // the names the report gives them, in the same order
  std::string classCopy;           // the class database as the grading found it
  std::string workFolder;          // where each learner's folder goes
  double timeoutSeconds = 10;
  unsigned jobs = 1;
};

// The learner's name in the report: the file's name without its folder and extension.
std::string LearnerName(const std::string& file);

// Grades every learner against the model. `stop` (may be null): when it turns non-zero, the
// running learners' processes are ended and what is known so far comes back.
std::vector<LearnerReport> GradeClass(const ClassSetup& setup,
                                      const std::vector<ModelExercise>& model,
                                      const volatile sig_atomic_t* stop);

// The processors this process may run on.
unsigned ProcessorCount();

}  // namespace tarnwick::grader
