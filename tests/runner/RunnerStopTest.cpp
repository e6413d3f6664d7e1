// Stopping tarnwick-run: Ctrl+C (a real SIGINT to the running program) and --timeout.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>

#include "runner/RunTarnwick.h"

namespace tarnwick::test {
namespace {

const std::string kEndless =
    "(WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT x FROM c)";
const std::string kStopped = "ERROR! 実行を中止しました。これより後のSQL文は実行していません。\n";

// Waits until the file has grown past `bytes`, for at most a minute; false when it did not.
bool WaitForGrowth(const std::string& path, std::uintmax_t bytes) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  std::error_code error;
  while (std::chrono::steady_clock::now() < deadline) {
    if (std::filesystem::file_size(path, error) > bytes && !error) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

TEST(RunnerStop, CtrlCStopsTheRunningStatementRollsItBackAndEndsTheRunWith130) {
  RunnerFolder f;
  ASSERT_EQ(f.Run({"--new", "-c", "CREATE TABLE t (a INTEGER);"}).exitStatus, 0);
  const std::string insert = "INSERT INTO t SELECT x FROM " + kEndless + ";";
  RunningProcess run({TARNWICK_RUN_PATH, "--db", f.db, "--compact", "--dialect", "engine", "-c",
                      insert + "\nINSERT INTO t VALUES (1);", "-c", "SELECT 'next input';"});
  // The insert is under way once its rows spill from the engine's cache into the log file.
  ASSERT_TRUE(WaitForGrowth(f.db + "-wal", 4 << 20));
  run.Signal(SIGINT);
  const ProcessResult result = run.Wait();
  EXPECT_EQ(result.exitStatus, 130);
  EXPECT_EQ(result.out, insert + "\n" + kStopped + "\n");
  EXPECT_EQ(result.err, "");
  // Nothing of the stopped statement stayed, and neither later statement ran.
  const ProcessResult count = f.Run({"-c", "SELECT count(*) AS n FROM t;"});
  EXPECT_NE(count.out.find("n|\n-+\n0|\n"), std::string::npos) << count.out;
}

TEST(RunnerStop, TimeoutStopsEveryStatementThatRunsLongerAndTheScriptGoesOn) {
  RunnerFolder f;
  const std::string endless = "SELECT count(*) AS n FROM " + kEndless + ";";
  const auto start = std::chrono::steady_clock::now();
  const ProcessResult result = f.Run({"--new", "--dialect", "engine", "--timeout", "0.3", "-c",
                                      endless + "\nSELECT 'after' AS a;\n" + endless});
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const std::string stopped =
      "ERROR! 実行時間が上限の 0.3 秒を超えたため、このSQL文を中止しました。\nヒント: WHERE "
      "句で行を絞り込むか、--timeout で上限を延ばしてください。\n\n";
  EXPECT_EQ(result.out, endless + "\n" + stopped +
                            "SELECT 'after' AS a;\na    |\n-----+\nafter|\nOK\n" + endless + "\n" +
                            stopped);
  EXPECT_EQ(result.exitStatus, 1);
  EXPECT_GE(seconds, 0.6);  // each statement had its full time

  // Statements within the limit are not touched.
  EXPECT_EQ(f.Run({"--timeout", "30", "-c", "SELECT 1;"}).exitStatus, 0);
}

}  // namespace
}  // namespace tarnwick::test
