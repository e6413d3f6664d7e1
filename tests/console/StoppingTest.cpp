// Stopping a run and a statement through the connection's watch, and the grid's limits.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ConsoleSession.h"
#include "console/ReportError.h"
#include "data/StatementWatch.h"

namespace tarnwick::test {
namespace {

// A statement that never ends by itself, and an endless result, in the engine's own SQL (the
// tests' connections run it).
const std::string kEndless =
    "(WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT x FROM c)";
const std::string kEndlessInsert = "INSERT INTO t SELECT x FROM " + kEndless + ";";
const std::string kEndlessSelect = "SELECT x FROM " + kEndless + ";";

// Stops the run (as Esc does) or only the statement (as a time limit does) at a given tick
// of the engine, or asks for the run's end before it begins.
struct ScriptedWatch : StatementWatch {
  enum class Stop { None, RunAtTick, StatementAtTick, RunBeforeStart } stop = Stop::None;
  int atTick = 3;
  int ticks = 0;
  int statements = 0;
  bool runStopped = false;

  void StatementStarted() override { ++statements; }
  std::optional<std::string> Tick() override {
    ++ticks;
    if (ticks < atTick || stop == Stop::None) return std::nullopt;
    if (stop == Stop::RunAtTick) {
      runStopped = true;
      return RunStoppedMessage();
    }
    return Sjis("時間切れ");
  }
  bool RunStopRequested() const override { return runStopped || stop == Stop::RunBeforeStart; }
};

const std::string kStopped =
    "ERROR! 実行を中止しました。これより後のSQL文は実行していません。\r\n\r\n";

TEST(Stopping, TheWatchStopsAStatementWhichIsRolledBackAndTheRunEndsOrGoesOn) {
  const struct {
    ScriptedWatch::Stop stop;
    std::string script;
    std::string pane;
    int errors;
  } cases[] = {
      // The user's stop: the running statement reports it, nothing after it runs.
      {ScriptedWatch::Stop::RunAtTick, kEndlessInsert + "SELECT 'after';",
       kEndlessInsert + "\r\n" + kStopped, 1},
      // A stop of the statement alone: its reason is its error, and the script goes on.
      {ScriptedWatch::Stop::StatementAtTick, kEndlessInsert + "INSERT INTO t VALUES (5);",
       kEndlessInsert + "\r\nERROR! 時間切れ\r\n\r\nINSERT INTO t VALUES (5);\r\nOK\r\n\r\n", 1},
      {ScriptedWatch::Stop::StatementAtTick, kEndlessSelect,
       kEndlessSelect + "\r\nERROR! 時間切れ\r\n\r\n", 1},
      // Asked before the run begins: one report, no statement runs.
      {ScriptedWatch::Stop::RunBeforeStart, "INSERT INTO t VALUES (1);SELECT 1", kStopped, 1},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.script);
    ConsoleSession console;
    console.database.Db().SetDialect(SqlDialect::Engine);
    console.database.Exec("CREATE TABLE t (x INTEGER)");
    ScriptedWatch watch;
    watch.stop = test.stop;
    console.database.Db().SetWatch(&watch);
    console.Run(test.script);
    EXPECT_EQ(console.Pane(), test.pane);
    EXPECT_EQ(console.context.errorsReported, test.errors);
    // The endless insert left nothing behind; the statement after a statement stop ran.
    const bool goesOn = test.stop == ScriptedWatch::Stop::StatementAtTick &&
                        test.script.find("VALUES (5)") != std::string::npos;
    EXPECT_EQ(console.database.Scalar("SELECT count(*) FROM t"), goesOn ? "1" : "0");
    EXPECT_FALSE(console.database.Db().InTransaction());
    EXPECT_FALSE(console.query.Active());
    console.database.Db().SetWatch(nullptr);
  }
}

TEST(Stopping, AStopBetweenStatementsEndsTheRunWithOneReport) {
  // The user stops while the script is scanned (pending events let through): the statement
  // that has run keeps its outcome, the next one does not start.
  ConsoleSession console;
  ScriptedWatch watch;
  console.database.Db().SetWatch(&watch);
  console.context.processEvents = [&] { watch.runStopped = true; };
  std::string script;
  for (int i = 0; i < 300; ++i) script += "SELECT 1;\r\n";
  console.Run(script);
  const std::string pane = console.Pane();
  EXPECT_EQ(pane.substr(pane.size() - kStopped.size()), kStopped);
  EXPECT_EQ(pane.find("ERROR!"), pane.size() - kStopped.size());
  // 1000 scanned bytes let events through: the 91st statement is the first not run.
  EXPECT_EQ(watch.statements, 91);
  EXPECT_EQ(console.history.Position(), 0);
  console.database.Db().SetWatch(nullptr);
}

TEST(ResultGridLimits, AResultThatWouldPassTheLimitsIsRefusedWithTheRowsRead) {
  const struct {
    GridLimits limits;
    std::string script;
    std::string pane;
  } cases[] = {
      // Cells: 1 for the header, then one per row.
      {{10, 1 << 20},
       kEndlessSelect,
       kEndlessSelect + "\r\nERROR! 結果が大きすぎるため中止しました。10 行を読んだところで、"
                        "表示できる上限（10 セルまたは 1 MB）に達しました。WHERE 句などで行を"
                        "絞り込んでください\r\n\r\n"},
      // Text: every row padded to the widest cell. A long cell in the third row makes the
      // grid too wide at once.
      {{1000, 3 << 20},
       "SELECT CASE WHEN x = 3 THEN printf('%.*c', 200000, 'a') ELSE 'b' END AS v "
       "FROM " +
           kEndless + " LIMIT 20;",
       ""},
      // Within the limits the grid is written.
      {{4, 1 << 20},
       "SELECT x FROM " + kEndless + " LIMIT 3;",
       "SELECT x FROM " + kEndless + " LIMIT 3;\r\nx|\r\n-+\r\n1|\r\n2|\r\n3|\r\nOK\r\n"},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.script);
    ConsoleSession console;
    console.database.Db().SetDialect(SqlDialect::Engine);
    console.context.gridLimits = test.limits;
    console.Run(test.script);
    if (test.pane.empty()) {
      // 200,000 bytes a line for 23 lines pass 3 MB on the 14th row.
      EXPECT_NE(
          console.Pane().find("ERROR! 結果が大きすぎるため中止しました。14 行を読んだところで"),
          std::string::npos)
          << console.Pane().substr(0, 300);
    } else {
      EXPECT_EQ(console.Pane(), test.pane);
    }
    EXPECT_FALSE(console.query.Active());
  }
}

}  // namespace
}  // namespace tarnwick::test
