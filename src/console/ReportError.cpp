#include "console/ReportError.h"

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

}  // namespace tarnwick
