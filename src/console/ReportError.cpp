#include "console/ReportError.h"

#include <cstdio>

#include "data/Connection.h"
#include "text/Cp932.h"
#include "text/ResultPane.h"
#include "text/messages/ProgramMessages.h"

namespace tarnwick {

void ReportError(ConsoleContext& context, std::string_view sjisMessage) {
  context.pane.AppendLine("ERROR! " + std::string(sjisMessage) + "\r\n");
  ++context.errorsReported;
}

void ReportStatementFailure(ConsoleContext& context, const std::exception& failure) {
  const std::optional<std::string>& stop = context.connection.StopReason();
  ReportError(context, stop ? std::string_view(*stop) : std::string_view(failure.what()));
}

std::string RunStoppedMessage() { return msg::RunStopped().Sjis(); }

std::string TimeoutMessage(double seconds) {
  char number[32];
  std::snprintf(number, sizeof number, "%g", seconds);
  return msg::StatementTimedOut(number).Sjis();
}

}  // namespace tarnwick
