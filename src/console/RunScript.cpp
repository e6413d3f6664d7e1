#include "console/RunScript.h"

#include <exception>

#include "console/ReportError.h"
#include "console/SqlHistory.h"
#include "data/Connection.h"
#include "text/AsciiCase.h"
#include "text/ResultPane.h"
#include "text/TextBytes.h"

namespace tarnwick {

namespace {

constexpr int kPositionsPerEventPump = 1000;

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

// Lets pending events through after every 1000 examined positions of one scan.
class EventPump {
 public:
  explicit EventPump(const std::function<void()>& processEvents) : processEvents_(processEvents) {}
  void CountPosition() {
    if (++count_ < kPositionsPerEventPump) return;
    if (processEvents_) processEvents_();
    count_ = 0;
  }

 private:
  const std::function<void()>& processEvents_;
  int count_ = 0;
};

// Jet's "PARAMETERS a LONG, ...; statement" is one statement: its first ';' does not end it.
bool OpensWithParameters(std::string_view text) {
  constexpr std::string_view kWord = "PARAMETERS";
  std::size_t begin = 0;
  while (begin < text.size() && IsBlankByte(text[begin])) ++begin;
  return text.size() > begin + kWord.size() &&
         EqualsIgnoringAsciiCase(text.substr(begin, kWord.size()), kWord) &&
         (IsBlankByte(text[begin + kWord.size()]) || text[begin + kWord.size()] == '[');
}

}  // namespace

void RunScript(ConsoleContext& context, std::string_view script) {
  script = script.substr(0, script.find('\0'));
  const std::size_t end = script.size();
  auto nextIs = [&](std::size_t position, char byte) {
    return position + 1 < end && script[position + 1] == byte;
  };

  EventPump pump(context.processEvents);
  std::size_t statementStart = 0;
  bool inQuote = false;
  bool parametersRead = false;  // the ';' after a PARAMETERS declaration has been passed
  for (std::size_t position = 0; position < end; ++position) {
    pump.CountPosition();
    const char byte = script[position];
    if (byte == '-' && nextIs(position, '-')) {
      // A line comment: the scan goes on at the LF of the next CR LF.
      const std::size_t lineBreak = script.find("\r\n", position);
      if (lineBreak == std::string_view::npos) break;
      position = lineBreak;
    } else if (byte == '/' && nextIs(position, '*')) {
      // A block comment: the scan goes on at the '/' of the next "*/".
      const std::size_t closing = script.find("*/", position);
      if (closing == std::string_view::npos) break;
      position = closing;
    } else if (byte == '"') {
      if (!inQuote) {
        inQuote = true;
      } else if (nextIs(position, '"')) {
        ++position;  // a doubled quote stays inside the literal
      } else {
        inQuote = false;
      }
    } else if (byte == ';' && !inQuote) {
      if (!parametersRead &&
          OpensWithParameters(script.substr(statementStart, position - statementStart))) {
        parametersRead = true;
        continue;
      }
      parametersRead = false;
      const std::size_t start = statementStart;
      statementStart = position + 1;
      if (!RunStatement(context, std::string(script.substr(start, statementStart - start)))) {
        statementStart = end;  // stopped: the rest of the script does not run
        break;
      }
    }
  }
  // The text after the last ';' (a comment that ran to the end included) is one more statement.
  if (statementStart < end) RunStatement(context, std::string(script.substr(statementStart)));
  context.history.ResetPosition();
}

}  // namespace tarnwick
