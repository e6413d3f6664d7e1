#include "grader/GradingWatch.h"

#include "console/ReportError.h"

namespace tarnwick::grader {

GradingWatch::GradingWatch(double timeoutSeconds, std::function<void()> onStatement,
                           const volatile sig_atomic_t* stop)
    : seconds_(timeoutSeconds),
      limit_(std::chrono::duration_cast<std::chrono::steady_clock::duration>(
          std::chrono::duration<double>(timeoutSeconds))),
      onStatement_(std::move(onStatement)),
      stop_(stop) {}

void GradingWatch::StatementStarted() {
  statementStart_ = std::chrono::steady_clock::now();
  if (onStatement_) onStatement_();
}

void GradingWatch::StatementEnded() { statementStart_.reset(); }

std::optional<std::string> GradingWatch::Tick() {
  if (RunStopRequested()) return RunStoppedMessage();
  if (statementStart_ && std::chrono::steady_clock::now() - *statementStart_ > limit_) {
    return TimeoutMessage(seconds_);
  }
  return std::nullopt;
}

bool GradingWatch::RunStopRequested() const { return stop_ != nullptr && *stop_ != 0; }

}  // namespace tarnwick::grader
