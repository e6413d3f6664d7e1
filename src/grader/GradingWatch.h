#pragma once
// What watches over the statements of a grading run: a statement that runs longer than the
// limit is stopped (it fails, its changes undone, and the exercise goes on with the next
// statement); every statement that starts is a sign of life for whoever waits on the run.
#include <signal.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "data/StatementWatch.h"

namespace tarnwick::grader {

class GradingWatch : public StatementWatch {
 public:
  // `stop` (may be null) turns non-zero when the whole run is to end (Ctrl+C).
  GradingWatch(double timeoutSeconds, std::function<void()> onStatement,
               const volatile sig_atomic_t* stop = nullptr);

  void StatementStarted() override;
  void StatementEnded() override;
  std::optional<std::string> Tick() override;
  bool RunStopRequested() const override;

 private:
  double seconds_;
  std::chrono::steady_clock::duration limit_;
  std::function<void()> onStatement_;
  const volatile sig_atomic_t* stop_;
  std::optional<std::chrono::steady_clock::time_point> statementStart_;
};

}  // namespace tarnwick::grader
