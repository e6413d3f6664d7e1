#pragma once
// What watches over tarnwick-run's statements: Ctrl+C (SIGINT) stops the running statement
// and ends the run; --timeout stops any statement of a script that runs longer than the
// limit, and the script goes on with the next one.
#include <signal.h>

#include <chrono>
#include <optional>
#include <string>

#include "data/StatementWatch.h"

namespace tarnwick::runner {

class RunnerWatch : public StatementWatch {
 public:
  // Catches SIGINT for the watch's lifetime; a second Ctrl+C ends the program at once.
  explicit RunnerWatch(std::optional<double> timeoutSeconds);
  ~RunnerWatch() override;
  RunnerWatch(const RunnerWatch&) = delete;
  RunnerWatch& operator=(const RunnerWatch&) = delete;

  void StatementStarted() override;
  void StatementEnded() override;
  std::optional<std::string> Tick() override;
  // True once Ctrl+C was pressed.
  bool RunStopRequested() const override;

 private:
  std::optional<std::chrono::steady_clock::duration> limit_;
  std::optional<std::chrono::steady_clock::time_point> statementStart_;
  struct sigaction previous_ {};
};

}  // namespace tarnwick::runner
