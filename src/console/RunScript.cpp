#include "console/RunScript.h"

#include <exception>

#include "console/ReportError.h"
#include "console/SplitScript.h"
#include "console/SqlHistory.h"
#include "data/Connection.h"
#include "text/ResultPane.h"
#include "text/TextBytes.h"

namespace tarnwick {

namespace {

// Tells the connection's watch that one statement of the script runs, however it ends.
class WatchedStatement {
 public:
  explicit WatchedStatement(Connection& connection) : connection_(connection) {
    connection_.BeginStatement();
  }
  ~WatchedStatement() { connection_.EndStatement(); }
  WatchedStatement(const WatchedStatement&) = delete;
  WatchedStatement& operator=(const WatchedStatement&) = delete;

 private:
  Connection& connection_;
};

// Echoes one statement as the script holds it, then runs it without its comments. Returns
// false when the run ends here because the user stopped it; the pane then says so once.
bool RunStatement(ConsoleContext& context, std::string statement) {
  Connection& connection = context.connection;
  if (connection.RunStopRequested()) {
    ReportError(context, RunStoppedMessage());
    return false;
  }
  context.pane.AppendLine(TrimBlanks(statement));
  StripComments(statement);
  WatchedStatement watched(connection);
  try {
    ExecuteStatement(context, statement);
  } catch (const std::exception&) {
    // A failure that escapes a statement (the table description's) ends the run; once the
    // user has stopped the run, it is the stop and shows as one.
    if (!connection.RunStopRequested()) throw;
    ReportError(context, connection.StopReason().value_or(RunStoppedMessage()));
    return false;
  }
  if (!connection.RunStopRequested()) return true;
  // A statement the stop interrupted has reported it; one that ended first has not.
  if (!connection.StopReason()) ReportError(context, RunStoppedMessage());
  return false;
}

}  // namespace

void RunScript(ConsoleContext& context, std::string_view script) {
  SplitScript(script, context.processEvents, [&](std::string_view statement) {
    return RunStatement(context, std::string(statement));
  });
  context.history.ResetPosition();
}

}  // namespace tarnwick
