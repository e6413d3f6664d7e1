#include "runner/RunnerWatch.h"

#include "console/ReportError.h"

namespace tarnwick::runner {
namespace {

volatile sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) { interrupted = 1; }

}  // namespace

RunnerWatch::RunnerWatch(std::optional<double> timeoutSeconds) {
  if (timeoutSeconds) {
    limit_ = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
        std::chrono::duration<double>(*timeoutSeconds));
  }
  interrupted = 0;
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  // Writing the transcript goes on after the signal; a second Ctrl+C is the default one.
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  sigaction(SIGINT, &action, &previous_);
}

RunnerWatch::~RunnerWatch() { sigaction(SIGINT, &previous_, nullptr); }

void RunnerWatch::StatementStarted() { statementStart_ = std::chrono::steady_clock::now(); }

void RunnerWatch::StatementEnded() { statementStart_.reset(); }

std::optional<std::string> RunnerWatch::Tick() {
  if (interrupted != 0) return RunStoppedMessage();
  if (limit_ && statementStart_ && std::chrono::steady_clock::now() - *statementStart_ > *limit_) {
    return TimeoutMessage(std::chrono::duration<double>(*limit_).count());
  }
  return std::nullopt;
}

bool RunnerWatch::RunStopRequested() const { return interrupted != 0; }

}  // namespace tarnwick::runner
