#pragma once
// One run of tarnwick-run: read the inputs, open the database, run every input in order.
#include <cstdio>

#include "runner/RunnerOptions.h"

namespace tarnwick::runner {

enum ExitStatus : int {
  kAllSucceeded = 0,
  kStatementFailed = 1,  // a statement or a grid reported an error, a run was cut short, or
                         // a transaction left open was rolled back
  kCannotRun = 2,        // the database, a script or the output could not be used
  kInterrupted = 130,    // Ctrl+C stopped the run, as a shell counts SIGINT
};

// Runs the inputs and writes the transcript to `out`; failures of the run itself go to
// standard error. Returns the exit status.
ExitStatus RunSession(const RunnerOptions& options, std::FILE* out);

// Writes "tarnwick-run: " and a console-text message (converted to UTF-8) to standard error,
// after what the transcript holds so far.
void ReportFailure(std::string_view sjisMessage);

}  // namespace tarnwick::runner
