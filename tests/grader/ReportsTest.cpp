// The reports' forms: the marks table's alignment, the CSV's fields, and the records the
// learners' processes send.
#include <gtest/gtest.h>

#include <string>

#include "grader/ScoreTable.h"
#include "grader/Wire.h"

namespace tarnwick::grader {
namespace {

LearnerReport Learner(const std::string& name, const std::string& marks) {
  LearnerReport learner{name + ".sql", name, {}, {}};
  for (char mark : marks) learner.outcomes.emplace_back().mark = static_cast<Mark>(mark);
  return learner;
}

TEST(ScoreTable, ColumnsLineUpInCellsWhateverTheNamesAreWrittenIn) {
  ClassReport report{{"問1", "Q2"}, {Learner("ｱｲ", "ox"), Learner("yamada", "-o")}};
  report.learners[1].notes = {"一つ目。", "二つ目。"};
  EXPECT_EQ(ScoreTableText(report),
            "学生  |問1|Q2|得点|備考\n"
            "------+---+--+----+----\n"
            "ｱｲ    |○ |×|   1|\n"
            "yamada|－ |○|   1|一つ目。 二つ目。\n"
            "学生 2 人、問題 2 問を採点しました。\n");
}

TEST(ScoreCsv, FieldsAreQuotedAndFormulasDisarmed) {
  const ClassReport report{
      {"問1", "問,2"},
      {Learner("=HYPERLINK(\"x\")", "o-"), Learner("+1", "xo"), Learner("山田", "--")}};
  EXPECT_EQ(ScoreCsv(report),
            "\xEF\xBB\xBF学生,問1,\"問,2\",得点\r\n"
            "\"'=HYPERLINK(\"\"x\"\")\",○,未提出,1\r\n"
            "'+1,×,○,1\r\n"
            "山田,未提出,未提出,0\r\n");
}

TEST(Wire, AnOutcomeComesThroughWholeAndACutRecordIsRefused) {
  ExerciseOutcome outcome;
  outcome.mark = Mark::Wrong;
  outcome.reason = "行の数が違います。";
  outcome.learnerSql = "SELECT *\nFROM 社員;";
  outcome.failure = {"SELECT 1;", "ERROR"};
  outcome.differ = RowsDiffer::Count;
  outcome.model = {{"名前", "給与"}, {1, 3}, {{"佐藤", "300000"}, {"", "0"}}};
  outcome.learner = {{"a"}, {}, {}};
  outcome.notes = {"取り消しました。"};
  std::string pipe = FrameRecord(RecordKind::Alive, {}) +
                     FrameRecord(RecordKind::Outcome, EncodeOutcome(7, outcome));
  // The bytes come in pieces: a record is taken only once it is whole.
  std::string received = pipe.substr(0, 9);
  ASSERT_EQ(TakeRecord(received)->kind, RecordKind::Alive);
  EXPECT_EQ(TakeRecord(received), std::nullopt);
  received += pipe.substr(9);
  const std::optional<Record> record = TakeRecord(received);
  ASSERT_TRUE(record);
  EXPECT_TRUE(received.empty());
  std::size_t exercise = 0;
  const ExerciseOutcome back = DecodeOutcome(record->content, exercise);
  EXPECT_EQ(exercise, 7u);
  EXPECT_EQ(back.mark, outcome.mark);
  EXPECT_EQ(back.reason, outcome.reason);
  EXPECT_EQ(back.learnerSql, outcome.learnerSql);
  EXPECT_EQ(back.failure.message, outcome.failure.message);
  EXPECT_EQ(back.differ, outcome.differ);
  EXPECT_EQ(back.model.rows, outcome.model.rows);
  EXPECT_EQ(back.model.numbers, outcome.model.numbers);
  EXPECT_EQ(back.learner.names, outcome.learner.names);
  EXPECT_EQ(back.notes, outcome.notes);
  for (std::size_t cut = 0; cut < record->content.size(); cut += 3) {
    EXPECT_THROW(DecodeOutcome(record->content.substr(0, cut), exercise), std::runtime_error)
        << cut;
  }
}

}  // namespace
}  // namespace tarnwick::grader
