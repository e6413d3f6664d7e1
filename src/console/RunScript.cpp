#include "console/RunScript.h"

#include "console/SplitScript.h"
#include "console/SqlHistory.h"
#include "text/ResultPane.h"
#include "text/TextBytes.h"

namespace tarnwick {

namespace {

// Echoes one statement as the script holds it, then runs it without its comments.
void RunStatement(ConsoleContext& context, std::string statement) {
  context.pane.AppendLine(TrimBlanks(statement));
  StripComments(statement);
  ExecuteStatement(context, statement);
}

}  // namespace

void RunScript(ConsoleContext& context, std::string_view script) {
  SplitScript(script, context.processEvents,
              [&](std::string_view statement) { RunStatement(context, std::string(statement)); });
  context.history.ResetPosition();
}

}  // namespace tarnwick
