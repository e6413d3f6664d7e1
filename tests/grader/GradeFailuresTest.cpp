// What goes wrong around a grading: command lines and files the grader cannot use, learners'
// files it cannot read, and learners' processes that crash, hang or are stopped.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "grader/GradeFixture.h"
#include "support/JetSamples.h"

namespace tarnwick::test {
namespace {

const std::string kRight = "--@ 問1\nSELECT 名前, 給与 FROM 社員 WHERE 部署 = '営業';\n";

// The processes whose parent is `parent`.
std::vector<pid_t> ChildrenOf(pid_t parent) {
  std::vector<pid_t> children;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream stat(entry.path() / "stat");
    std::string line;
    std::getline(stat, line);
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos) continue;
    char state = 0;
    int ppid = 0;
    if (std::sscanf(line.c_str() + close + 1, " %c %d", &state, &ppid) == 2 && ppid == parent) {
      children.push_back(std::stoi(name));
    }
  }
  return children;
}

// Waits for the grader's one learner process, for at most a minute.
pid_t LearnerProcess(pid_t grader) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (std::chrono::steady_clock::now() < deadline) {
    const std::vector<pid_t> children = ChildrenOf(grader);
    if (children.size() == 1) return children.front();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return -1;
}

struct BadRun {
  const char* what;
  std::vector<std::string> arguments;  // after the program's name; CLASS and ANSWERS replaced
  const char* message;                 // a part of the one message on standard error
};

TEST(GradeFailures, WhatKeepsTheClassFromBeingGradedEndsWithStatus2AndOneMessage) {
  GradeClass c;
  c.WriteUtf8("s.sql", kRight);
  c.WriteUtf8("nomarks.sql", "SELECT 1;\n");
  c.WriteUtf8("twice.sql", kRight + kRight);
  c.WriteUtf8("notdb.mdb", "just some text, no database");
  const BadRun runs[] = {
      {"no class database", {"--answers", "ANSWERS", "s.sql"}, "--db で指定してください"},
      {"no answers", {"--db", "CLASS", "s.sql"}, "--answers で指定してください"},
      {"no learner", {"--db", "CLASS", "--answers", "ANSWERS"}, "学生のファイルを指定"},
      {"unknown option",
       {"--db", "CLASS", "--answers", "ANSWERS", "--fast", "s.sql"},
       "不明なオプション --fast"},
      {"bad --jobs",
       {"--db", "CLASS", "--answers", "ANSWERS", "--jobs", "0", "s.sql"},
       "--jobs には 1 から"},
      {"bad --timeout",
       {"--db", "CLASS", "--answers", "ANSWERS", "--timeout=-1", "s.sql"},
       "--timeout には 0 より大きい秒数"},
      {"missing class database", {"--db", "none.mdb", "--answers", "ANSWERS", "s.sql"}, "none.mdb"},
      {"class database that is none",
       {"--db", "notdb.mdb", "--answers", "ANSWERS", "s.sql"},
       "notdb.mdb"},
      {"missing answers", {"--db", "CLASS", "--answers", "none.sql", "s.sql"}, "none.sql"},
      {"answers without exercises",
       {"--db", "CLASS", "--answers", "nomarks.sql", "s.sql"},
       "に問題がありません"},
      {"an exercise twice",
       {"--db", "CLASS", "--answers", "twice.sql", "s.sql"},
       "問題 '問1' が二度あります"},
      {"report into no folder",
       {"--db", "CLASS", "--answers", "ANSWERS", "--csv", "no/such/folder.csv", "s.sql"},
       "no/such/folder.csv"},
  };
  for (const BadRun& run : runs) {
    std::vector<std::string> arguments{TARNWICK_GRADE_PATH};
    for (const std::string& argument : run.arguments) {
      arguments.push_back(argument == "CLASS"     ? c.ClassDb()
                          : argument == "ANSWERS" ? c.Answers()
                                                  : argument);
    }
    const ProcessResult result = RunProcess(arguments, {}, c.Dir().Path());
    EXPECT_EQ(result.exitStatus, 2) << run.what;
    EXPECT_EQ(result.out, "") << run.what;
    EXPECT_TRUE(result.err.starts_with("tarnwick-grade: ")) << run.what << ": " << result.err;
    EXPECT_NE(result.err.find(run.message), std::string::npos) << run.what << ": " << result.err;
  }
}

TEST(GradeFailures, TheTeachersOwnSlipsAreShownAndTheClassIsStillGraded) {
  GradeClass c;
  const std::string answers =
      c.WriteUtf8("slips.sql",
                  "DELETE FROM 社員;\n--@ 問1\nSELECT 名前 FROM 社員 WHERE 部署 = '営業';\n"
                  "--@ 問2\nSELECT 名前 FROM 社員 WHERE;\n");
  c.WriteUtf8("s.sql", "--@ 問1\nSELECT 名前 FROM 社員 WHERE 部署 = '営業';\n");
  const ProcessResult result = RunProcess({TARNWICK_GRADE_PATH, "--db", c.ClassDb(), "--answers",
                                           answers, "--html", c.Dir().File("r.html"), "s.sql"},
                                          {}, c.Dir().Path());
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  // The statement before the first exercise did not run: the employees are all there.
  EXPECT_NE(result.out.find("s   |○ |－ |   1|"), std::string::npos) << result.out;
  EXPECT_NE(result.err.find("より前にあるSQL文は、どの問題にも属さないため実行しません"),
            std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("模範解答の問題 '問2' でSQL文がエラーになりました"), std::string::npos)
      << result.err;
  EXPECT_NE(c.ReadFile("r.html").find("模範解答についての注意"), std::string::npos);
}

TEST(GradeFailures, AFileThatCannotBeReadIsReportedInItsRowAndTheOthersAreGraded) {
  GradeClass c;
  c.WriteUtf8("ok.sql", kRight);
  c.WriteUtf8("nul.sql", std::string("--@ 問1\nSELECT 1;\0\n", 19));
  c.WriteUtf8("plain.sql", "SELECT 名前 FROM 社員;\n");
  std::filesystem::create_directory(c.Dir().File("folder.sql"));
  ProcessResult result;
  const CsvRows rows =
      c.GradeToCsv({"ok.sql", "missing.sql", "nul.sql", "folder.sql", "plain.sql"}, &result);
  EXPECT_EQ(rows.at("ok"), Marks("o----"));
  for (const char* learner : {"missing", "nul", "folder", "plain"}) {
    EXPECT_EQ(rows.at(learner), Marks("-----")) << learner;
  }
  for (const char* note : {"missing.sql\" は開けません", "NUL", "folder.sql\" は開けません",
                           "「--@ 問題名」の行がない"}) {
    EXPECT_NE(result.out.find(note), std::string::npos) << note << "\n" << result.out;
  }
}

TEST(GradeFailures, ALearnersProcessKilledBySignalIsReportedInItsRowAndGradingGoesOn) {
  GradeClass c;
  c.WriteUtf8("crash.sql", kEndlessExercise + "--@ 問2\nSELECT 1;\n");
  c.WriteUtf8("next.sql", kRight);
  RunningProcess grader({TARNWICK_GRADE_PATH, "--db", c.ClassDb(), "--answers", c.Answers(),
                         "--jobs", "1", "--timeout", "60", "crash.sql", "next.sql"},
                        {}, c.Dir().Path());
  const pid_t learner = LearnerProcess(grader.Pid());
  ASSERT_GT(learner, 0);
  kill(learner, SIGSEGV);
  const ProcessResult result = grader.Wait();
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_NE(result.out.find("crash|× |× |× |× |× |   0|採点中のプロセスがシグナル 11 (SIGSEGV) で"),
            std::string::npos)
      << result.out;
  EXPECT_NE(result.out.find("next |○ |－ |－ |－ |－ |   1|"), std::string::npos) << result.out;
}

TEST(GradeFailures, ALearnersProcessThatStopsAnsweringIsEndedAfterThreeTimeoutsAndTenSeconds) {
  GradeClass c;
  c.WriteUtf8("stuck.sql", kEndlessExercise);
  RunningProcess grader({TARNWICK_GRADE_PATH, "--db", c.ClassDb(), "--answers", c.Answers(),
                         "--timeout", "0.2", "stuck.sql"},
                        {}, c.Dir().Path());
  const pid_t learner = LearnerProcess(grader.Pid());
  ASSERT_GT(learner, 0);
  // Stopped, it cannot even see its own time limit go by.
  kill(learner, SIGSTOP);
  const auto start = std::chrono::steady_clock::now();
  const ProcessResult result = grader.Wait();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_NE(result.out.find("10.6 秒のあいだ応答しないため、中止しました"), std::string::npos)
      << result.out;
  EXPECT_GT(seconds, 9.0);
  EXPECT_LT(seconds, 30.0);
}

TEST(GradeFailures, CtrlCEndsTheLearnersProcessesAndLeavesNoWorkFolder) {
  GradeClass c;
  c.WriteUtf8("endless.sql", kEndlessExercise);
  const std::string tmp = c.Dir().File("tmp");
  std::filesystem::create_directory(tmp);
  RunningProcess grader({"/usr/bin/env", "TMPDIR=" + tmp, TARNWICK_GRADE_PATH, "--db", c.ClassDb(),
                         "--answers", c.Answers(), "--timeout", "60", "endless.sql"},
                        {}, c.Dir().Path());
  const pid_t learner = LearnerProcess(grader.Pid());
  ASSERT_GT(learner, 0);
  grader.Signal(SIGINT);
  const ProcessResult result = grader.Wait();
  EXPECT_EQ(result.exitStatus, 130);
  EXPECT_EQ(result.err, "tarnwick-grade: 採点を中止しました。\n");
  EXPECT_NE(kill(learner, 0), 0) << "the learner's process lives on";
  EXPECT_TRUE(std::filesystem::is_empty(tmp));
}

TEST(GradeFailures, TheReportEscapesWhatLearnersWrite) {
  GradeClass c;
  c.WriteUtf8("<b>&amp.sql", "--@ 問1\nSELECT '<script>alert(1)</script>' & \"'\" AS x;\n");
  const ProcessResult result = c.Grade({"--html", c.Dir().File("r.html"), "<b>&amp.sql"});
  ASSERT_EQ(result.exitStatus, 0) << result.err;
  const std::string html = c.ReadFile("r.html");
  EXPECT_EQ(html.find("<script>"), std::string::npos);
  EXPECT_EQ(html.find("<b>"), std::string::npos);
  EXPECT_NE(html.find("&lt;b&gt;&amp;amp"), std::string::npos);
  EXPECT_NE(html.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
}

TEST(GradeFailures, AJetClassDatabaseIsImportedAndOnlyRead) {
  REQUIRE_JET_SAMPLES();
  GradeClass c;
  const std::string jet = CopyOfSample(c.Dir(), "compIndexTestV1997.mdb", "access.mdb");
  const std::string before = c.ReadFile("access.mdb");
  const std::string answers = c.WriteUtf8(
      "jet.sql", "--@ 件数\nSELECT count(*) FROM Table1;\n--@ 削除\nDELETE FROM Table1;\n");
  c.WriteUtf8("a.sql",
              "--@ 件数\nSELECT count(*) AS n FROM Table1;\n--@ 削除\n"
              "DELETE FROM Table1 WHERE True;\n");
  const ProcessResult result = RunProcess(
      {TARNWICK_GRADE_PATH, "--db", jet, "--answers", answers, "a.sql"}, {}, c.Dir().Path());
  EXPECT_EQ(result.exitStatus, 0) << result.err;
  EXPECT_NE(result.out.find("a   |○  |○  |   2|"), std::string::npos) << result.out;
  EXPECT_TRUE(c.ReadFile("access.mdb") == before);
}

}  // namespace
}  // namespace tarnwick::test
