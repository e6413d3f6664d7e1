#pragma once
// Judging one learner's exercise against the model answer's.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "grader/GradingConsole.h"
#include "grader/ResultRows.h"
#include "grader/TableSnapshot.h"

namespace tarnwick::grader {

// What the model answer of one exercise gave.
struct ModelExercise {
  std::string name;                // as the answers file writes it (UTF-8)
  std::optional<ResultRows> rows;  // the result of its last statement that gave rows
  RowOrder order;                  // how those rows must come
  TableSnapshot tables;            // every table after it, when it gave no rows
  std::vector<StatementFailure> failures;
};

enum class Mark : char { Right = 'o', Wrong = 'x', Missing = '-' };

// Rows of one side, as the report shows them beside the other side's.
struct RowExcerpt {
  std::vector<std::string> names;
  std::vector<std::size_t> numbers;  // each row's place in its result, from 1
  std::vector<std::vector<std::string>> rows;
};

// The judgement of one exercise of one learner, with what the report shows for a wrong one.
struct ExerciseOutcome {
  Mark mark = Mark::Missing;
  std::string reason;                  // why it is wrong: one sentence (UTF-8)
  std::string learnerSql;              // the learner's lines of the exercise (UTF-8)
  StatementFailure failure;            // the first statement that failed, if one did
  RowsDiffer differ = RowsDiffer::No;  // how the rows differ, which the excerpts show
  RowExcerpt model, learner;           // the first rows that differ, side by side
  std::vector<std::string> notes;      // what else happened (a transaction rolled back)
};

// The rows a learner's result keeps for an exercise: enough to tell a longer result.
std::size_t RowsToKeep(const ModelExercise& model);

// Judges a learner's run of the exercise; readTables reads the learner's tables (with the
// model's snapshot) when the exercise gives no rows.
ExerciseOutcome JudgeExercise(const ModelExercise& model, const ExerciseRun& run,
                              const std::function<TableSnapshot()>& readTables);

}  // namespace tarnwick::grader
