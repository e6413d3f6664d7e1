#pragma once
// Grading one learner's file, in the learner's own process: each exercise of the model answers,
// in their order, on the learner's own copy of the class database.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "grader/Judging.h"
#include "grader/Wire.h"

namespace tarnwick::grader {

struct LearnerTask {
  std::string file;       // the learner's file (system path)
  std::string classCopy;  // the class database as the grading found it (system path)
  std::string workCopy;   // where the learner's copy goes (system path, console text too)
  double timeoutSeconds = 10;
};

using SendRecord = std::function<void(RecordKind kind, std::string_view content)>;

// Reads the learner's file and sends a note when it cannot be read or names no exercise (every
// exercise is then not handed in), or names exercises the model lacks; copies the class
// database; then runs and judges every exercise, sending each outcome as it is known, and a
// sign of life as each statement starts. Throws TarnwickError when the copy cannot be made or
// opened.
void GradeLearner(const LearnerTask& task, const std::vector<ModelExercise>& model,
                  const SendRecord& send);

}  // namespace tarnwick::grader
