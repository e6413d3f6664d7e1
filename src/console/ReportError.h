#pragma once
// How the console reports a statement's failure in the pane.
#include <exception>
#include <string>
#include <string_view>

#include "console/ConsoleContext.h"

namespace tarnwick {

// Appends "ERROR! " and the message (Shift-JIS) followed by an empty line, and counts it.
void ReportError(ConsoleContext& context, std::string_view sjisMessage);

// Reports a statement's failure: the engine's message, or, for a statement that the
// connection's watch stopped, why it was stopped.
void ReportStatementFailure(ConsoleContext& context, const std::exception& failure);

// The message of a run that the user stopped (Esc, the Run button, Ctrl+C), in Shift-JIS.
std::string RunStoppedMessage();

// The message of a statement stopped for running longer than the limit, in Shift-JIS.
std::string TimeoutMessage(double seconds);

}  // namespace tarnwick
