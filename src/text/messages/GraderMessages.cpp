#include "text/messages/GraderMessages.h"

#include <cstdio>

namespace tarnwick::msg {
namespace {

std::string Number(std::size_t value) { return std::to_string(value); }

}  // namespace

std::string AnswerStatementFailed() { return "SQL文がエラーになりました。"; }

std::string AnswerGivesNoRows() { return "行を返すSQL文 (SELECT など) がありません。"; }

std::string AnswerColumnCount(std::size_t model, std::size_t answer) {
  return "列の数が違います（模範解答 " + Number(model) + " 列、解答 " + Number(answer) + " 列）。";
}

std::string AnswerRowCount(std::size_t model, std::size_t answer) {
  return "行の数が違います（模範解答 " + Number(model) + " 行、解答 " + Number(answer) + " 行）。";
}

std::string AnswerRowsDiffer() { return "行の内容が違います。"; }

std::string AnswerRowOrder() {
  return "行の順序が違います（模範解答は ORDER BY で並べています）。";
}

std::string AnswerTableMissing(std::string_view table) {
  return "テーブル " + Quoted(table) + " がありません。";
}

std::string AnswerTableExtra(std::string_view table) {
  return "模範解答にないテーブル " + Quoted(table) + " があります。";
}

std::string AnswerTableColumnCount(std::string_view table, std::size_t model, std::size_t answer) {
  return "テーブル " + Quoted(table) + " の" + AnswerColumnCount(model, answer);
}

std::string AnswerTableRowCount(std::string_view table, std::size_t model, std::size_t answer) {
  return "テーブル " + Quoted(table) + " の" + AnswerRowCount(model, answer);
}

std::string AnswerTableRowsDiffer(std::string_view table) {
  return "テーブル " + Quoted(table) + " の" + AnswerRowsDiffer();
}

std::string AnswerTableUnreadable(std::string_view table, std::string_view reason) {
  return "テーブル " + Quoted(table) + " を読めません。" + std::string(reason);
}

std::string AnswerNotFinished() { return "採点が最後まで終わりませんでした。"; }

std::string NoExerciseMarkers() { return "「--@ 問題名」の行がないため、どの問題も未提出です。"; }

std::string UnknownExercises(std::string_view names) {
  return "模範解答にない問題 " + std::string(names) + " は採点していません。";
}

std::string GradingProcessKilled(int signal, std::string_view signalName) {
  return "採点中のプロセスがシグナル " + std::to_string(signal) + " (" + std::string(signalName) +
         ") で終わりました。";
}

std::string GradingProcessFailed(int status) {
  return "採点中のプロセスが終了コード " + std::to_string(status) + " で終わりました。";
}

std::string GradingProcessSilent(double seconds) {
  char number[32];
  std::snprintf(number, sizeof number, "%g", seconds);
  return std::string("採点中のプロセスが ") + number + " 秒のあいだ応答しないため、中止しました。";
}

Message AnswersWithoutExercises(std::string_view path) {
  return {"模範解答 " + QuotedPath(path) + " に問題がありません。",
          "問題のSQLの前に「--@ 問1」のような行を書きます。"};
}

Message AnswersRepeatExercise(std::string_view path, std::string_view exercise) {
  return {"模範解答 " + QuotedPath(path) + " に問題 " + Quoted(exercise) + " が二度あります。",
          "問題の名前はそれぞれ別のものにしてください。"};
}

std::string AnswersStatementsBeforeFirst(std::string_view path) {
  return "模範解答 " + QuotedPath(path) +
         " の最初の「--@」の行より前にあるSQL文は、どの問題にも属さないため実行しません。";
}

std::string ModelAnswerFailed(std::string_view exercise, std::string_view message) {
  return "模範解答の問題 " + Quoted(exercise) +
         " でSQL文がエラーになりました: " + std::string(message);
}

Message WorkFolderNotMade(std::string_view reason) {
  return {"作業用の一時フォルダを作れません。" + std::string(reason),
          "環境変数 TMPDIR で書き込めるフォルダを指定してください。"};
}

Message ReportNotWritten(std::string_view path, std::string_view reason) {
  return {"ファイル " + QuotedPath(path) + " に書き込めません。" + std::string(reason), {}};
}

std::string GradingInterrupted() { return "採点を中止しました。"; }

std::string ScoreTableLearner() { return "学生"; }
std::string ScoreTableScore() { return "得点"; }
std::string ScoreTableNotes() { return "備考"; }
std::string ScoreTableMissing() { return "未提出"; }

std::string ScoreTableSummary(std::size_t learners, std::size_t exercises) {
  return "学生 " + Number(learners) + " 人、問題 " + Number(exercises) + " 問を採点しました。";
}

std::string ReportTitle() { return "採点レポート"; }

std::string ReportSources(std::string_view classDatabase, std::string_view answers) {
  return "クラスのデータベース " + QuotedPath(classDatabase) + "、模範解答 " + QuotedPath(answers);
}

std::string ReportModelTrouble() { return "模範解答についての注意"; }
std::string ReportAllRight() { return "× の問題はありません。"; }
std::string ReportLearnerLines() { return "解答のSQL"; }
std::string ReportFailedStatement() { return "エラーになった文"; }

std::string ReportRowsFirst(bool model) {
  return std::string(model ? "模範解答" : "解答") + "の最初の行";
}

std::string ReportRowsOnly(bool model) {
  return std::string(model ? "模範解答" : "解答") + "にだけある行";
}

std::string ReportRowsFrom(bool model, std::size_t row) {
  return std::string(model ? "模範解答" : "解答") + "の " + Number(row) + " 行目から";
}

std::string ReportNoRows() { return "（なし）"; }

}  // namespace tarnwick::msg
