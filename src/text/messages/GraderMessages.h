#pragma once
// Messages of tarnwick-grade: why an answer is wrong, what became of a learner's file, and what
// keeps the class from being graded. Texts are UTF-8; names of exercises, tables and files are
// quoted as the learner or teacher wrote them.
#include <cstddef>
#include <string>
#include <string_view>

#include "text/messages/Message.h"

namespace tarnwick::msg {

// Why an answer is wrong (one sentence each).
std::string AnswerStatementFailed();
std::string AnswerGivesNoRows();
std::string AnswerColumnCount(std::size_t model, std::size_t answer);
std::string AnswerRowCount(std::size_t model, std::size_t answer);
std::string AnswerRowsDiffer();
std::string AnswerRowOrder();
std::string AnswerTableMissing(std::string_view table);
std::string AnswerTableExtra(std::string_view table);
std::string AnswerTableColumnCount(std::string_view table, std::size_t model, std::size_t answer);
std::string AnswerTableRowCount(std::string_view table, std::size_t model, std::size_t answer);
std::string AnswerTableRowsDiffer(std::string_view table);
std::string AnswerTableUnreadable(std::string_view table, std::string_view reason);
std::string AnswerNotFinished();

// What became of a learner's file as a whole.
std::string NoExerciseMarkers();
std::string UnknownExercises(std::string_view names);
std::string GradingProcessKilled(int signal, std::string_view signalName);
std::string GradingProcessFailed(int status);
std::string GradingProcessSilent(double seconds);

// What keeps the class from being graded, and the model answers' own troubles.
Message AnswersWithoutExercises(std::string_view path);
Message AnswersRepeatExercise(std::string_view path, std::string_view exercise);
std::string AnswersStatementsBeforeFirst(std::string_view path);
std::string ModelAnswerFailed(std::string_view exercise, std::string_view message);
Message WorkFolderNotMade(std::string_view reason);
Message ReportNotWritten(std::string_view path, std::string_view reason);
std::string GradingInterrupted();

// The score table's words.
std::string ScoreTableLearner();
std::string ScoreTableScore();
std::string ScoreTableNotes();
std::string ScoreTableMissing();  // the CSV's cell of an exercise not handed in
std::string ScoreTableSummary(std::size_t learners, std::size_t exercises);

// The HTML report's headings. `model`: the model answer's side, else the learner's.
std::string ReportTitle();
std::string ReportSources(std::string_view classDatabase, std::string_view answers);
std::string ReportModelTrouble();
std::string ReportAllRight();
std::string ReportLearnerLines();
std::string ReportFailedStatement();
std::string ReportRowsFirst(bool model);
std::string ReportRowsOnly(bool model);
std::string ReportRowsFrom(bool model, std::size_t row);
std::string ReportNoRows();

}  // namespace tarnwick::msg
