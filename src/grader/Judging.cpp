#include "grader/Judging.h"

#include "text/messages/GraderMessages.h"
#include "text/messages/ProgramMessages.h"

namespace tarnwick::grader {
namespace {

// The rows that the verdict names, with their places.
RowExcerpt Excerpt(const ResultRows& rows, const std::vector<std::size_t>& shown) {
  RowExcerpt excerpt{rows.names, {}, {}};
  for (std::size_t index : shown) {
    excerpt.numbers.push_back(index + 1);
    const auto row = rows.Row(index);
    excerpt.rows.emplace_back(row.begin(), row.end());
  }
  return excerpt;
}

// Why rows differ, for a query's result (table empty) or for a table.
std::string RowsReason(const RowsVerdict& verdict, const ResultRows& model,
                       const ResultRows& learner, const std::string& table) {
  switch (verdict.differ) {
    case RowsDiffer::Columns:
      return table.empty() ? msg::AnswerColumnCount(model.Columns(), learner.Columns())
                           : msg::AnswerTableColumnCount(table, model.Columns(), learner.Columns());
    case RowsDiffer::Count:
      return table.empty() ? msg::AnswerRowCount(model.rowCount, learner.rowCount)
                           : msg::AnswerTableRowCount(table, model.rowCount, learner.rowCount);
    case RowsDiffer::Content:
      return table.empty() ? msg::AnswerRowsDiffer() : msg::AnswerTableRowsDiffer(table);
    case RowsDiffer::Order:
      return msg::AnswerRowOrder();
    case RowsDiffer::No:
      break;
  }
  return {};
}

// Marks the outcome wrong when the rows differ, with the rows that show it.
void JudgeRows(ExerciseOutcome& outcome, const ResultRows& model, const ResultRows& learner,
               const RowOrder& order, const std::string& table = {}) {
  const RowsVerdict verdict = CompareRows(model, learner, order);
  if (verdict.differ == RowsDiffer::No) return;
  outcome.mark = Mark::Wrong;
  outcome.differ = verdict.differ;
  outcome.reason = RowsReason(verdict, model, learner, table);
  outcome.model = Excerpt(model, verdict.modelRows);
  outcome.learner = Excerpt(learner, verdict.learnerRows);
}

// Every table of the model's snapshot with the same rows in the learner's, and no other.
void JudgeTables(ExerciseOutcome& outcome, const TableSnapshot& model,
                 const TableSnapshot& learner) {
  for (const TableRows& modelTable : model) {
    const TableRows* learnerTable = FindTable(learner, modelTable.name);
    if (learnerTable == nullptr) {
      outcome.mark = Mark::Wrong;
      outcome.reason = msg::AnswerTableMissing(modelTable.name);
      return;
    }
    if (!learnerTable->readError.empty() && modelTable.readError.empty()) {
      outcome.mark = Mark::Wrong;
      outcome.reason = msg::AnswerTableUnreadable(modelTable.name, learnerTable->readError);
      return;
    }
    JudgeRows(outcome, modelTable.rows, learnerTable->rows, {}, modelTable.name);
    if (outcome.mark == Mark::Wrong) return;
  }
  for (const TableRows& learnerTable : learner) {
    if (FindTable(model, learnerTable.name) == nullptr) {
      outcome.mark = Mark::Wrong;
      outcome.reason = msg::AnswerTableExtra(learnerTable.name);
      return;
    }
  }
}

}  // namespace

std::size_t RowsToKeep(const ModelExercise& model) {
  return model.rows ? model.rows->rowCount + 1000 : 0;
}

ExerciseOutcome JudgeExercise(const ModelExercise& model, const ExerciseRun& run,
                              const std::function<TableSnapshot()>& readTables) {
  ExerciseOutcome outcome;
  outcome.mark = Mark::Right;
  if (run.rolledBack) outcome.notes.push_back(msg::OpenTransactionRolledBack().text);
  if (!run.failures.empty()) {
    outcome.mark = Mark::Wrong;
    outcome.reason = msg::AnswerStatementFailed();
    outcome.failure = run.failures.front();
  } else if (model.rows) {
    if (!run.rows) {
      outcome.mark = Mark::Wrong;
      outcome.reason = msg::AnswerGivesNoRows();
    } else {
      JudgeRows(outcome, *model.rows, *run.rows, model.order);
    }
  } else {
    JudgeTables(outcome, model.tables, readTables());
  }
  return outcome;
}

}  // namespace tarnwick::grader
