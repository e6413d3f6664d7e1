#pragma once
// The model answers, run once on their own copy of the class database.
#include <signal.h>

#include <string>
#include <vector>

#include "grader/Exercises.h"
#include "grader/Judging.h"

namespace tarnwick::grader {

// Runs every exercise of the answers in order on the copy (console text path): the rows of
// each one's last statement that gives rows and their order, else every table after it.
// `stop` (may be null) ends the run when it turns non-zero.
std::vector<ModelExercise> RunModelAnswers(const ExerciseFile& answers, const std::string& copyPath,
                                           double timeoutSeconds,
                                           const volatile sig_atomic_t* stop);

}  // namespace tarnwick::grader
