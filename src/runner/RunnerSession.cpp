#include "runner/RunnerSession.h"

#include <exception>
#include <string>
#include <vector>

#include "console/ConsoleContext.h"
#include "console/RunScript.h"
#include "console/SqlHistory.h"
#include "data/Connection.h"
#include "data/Dataset.h"
#include "files/DatabaseSession.h"
#include "files/DatabaseUi.h"
#include "runner/RunnerDatabase.h"
#include "runner/RunnerScripts.h"
#include "runner/RunnerWatch.h"
#include "runner/StreamingPane.h"
#include "text/Cp932.h"
#include "text/FileAccess.h"
#include "text/TarnwickError.h"
#include "text/messages/ProgramMessages.h"

namespace tarnwick::runner {
namespace {

// The runner has no window: no caption to set and no pointer to show; an error box becomes a
// message on standard error.
class RunnerUi : public DatabaseUi {
 public:
  void SetConnectCaption(std::string_view) override {}
  void BeginBusy() override {}
  void EndBusy() override {}
  void ShowError(std::string_view sjisMessage) override { ReportFailure(sjisMessage); }
};

// Takes the connect and disconnect lines, which the transcript leaves out: whether the
// database could be opened shows in the exit status and on standard error instead.
class DiscardingPane : public ResultPane {
 public:
  void AppendLine(std::string_view) override {}
};

bool IsImport(const RunnerInput& input) { return input.kind == RunnerInput::Kind::ImportDatabase; }

// Every script is read, and every database to import found, before the database is touched,
// so that a misspelt file name neither replaces the database (--new) nor leaves half of the
// work done. Gives the script text of each input, or the console path of a database to import.
std::vector<std::string> PrepareInputs(const std::vector<RunnerInput>& inputs) {
  std::vector<std::string> prepared;
  prepared.reserve(inputs.size());
  for (const RunnerInput& input : inputs) {
    if (IsImport(input)) {
      prepared.push_back(ImportPath(input.utf8));
      continue;
    }
    prepared.push_back(ScriptTextOf(input));
  }
  return prepared;
}

void ReportOpenFailure(const DatabaseSession& session, const RunnerOptions& options,
                       const std::string& message) {
  ReportFailure(message);
  if (options.databasePath && !options.recreateDatabase && !session.MdbName.empty() &&
      !FileExists(session.DatabasePath())) {
    ReportFailure(msg::DatabaseDoesNotExist(SjisToUtf8(session.DatabasePath())).Sjis());
  }
}

// A transaction that the scripts began and never ended is rolled back, never committed behind
// the user's back, and the run says so: the rows it answered OK are not in the database.
bool RollBackOpenTransaction(Connection& connection) {
  if (!connection.InTransaction()) return false;
  connection.Rollback();
  ReportFailure(msg::OpenTransactionRolledBack().Sjis());
  return true;
}

}  // namespace

void ReportFailure(std::string_view sjisMessage) {
  std::fflush(stdout);
  std::string utf8 = SjisToUtf8(sjisMessage);
  while (!utf8.empty() && (utf8.back() == '\n' || utf8.back() == '\r')) utf8.pop_back();
  // A message of several lines (the hint's line last) ends its lines as the terminal does.
  std::erase(utf8, '\r');
  std::fprintf(stderr, "tarnwick-run: %s\n", utf8.c_str());
}

ExitStatus RunSession(const RunnerOptions& options, std::FILE* out) {
  std::vector<std::string> inputs;
  try {
    inputs = PrepareInputs(options.inputs);
  } catch (const TarnwickError& error) {
    ReportFailure(error.what());
    return kCannotRun;
  }

  StreamingPane pane(out, options.sjisOutput ? StreamingPane::Encoding::SjisAsIs
                                             : StreamingPane::Encoding::Utf8Lf);
  RunnerWatch watch(options.timeoutSeconds);
  Connection connection;
  connection.SetWatch(&watch);
  Query query(connection);
  Table table(connection);
  RunnerUi ui;
  DiscardingPane connectMessages;
  DatabaseSession session(connection, query, table, pane, ui);
  session.SetConnectionMessagePane(connectMessages);
  try {
    connection.SetDialect(ChooseDialect(options));
    OpenRunnerDatabase(session, connection, options);
  } catch (const TarnwickError& error) {
    ReportOpenFailure(session, options, error.what());
    return kCannotRun;
  }

  SqlHistory history;
  ConsoleContext context{pane, connection, query, table, history, {}};
  bool runCutShort = false;
  for (std::size_t i = 0; i < inputs.size() && !watch.RunStopRequested(); ++i) {
    // The Run command ends any history browsing; the SQL file command leaves it alone.
    if (options.inputs[i].kind == RunnerInput::Kind::CommandText) history.EndBrowsing();
    try {
      if (IsImport(options.inputs[i])) {
        context.errorsReported += session.ImportDatabase(inputs[i]);
      } else {
        RunScript(context, inputs[i]);
      }
    } catch (const std::exception& failure) {
      ReportFailure(failure.what());
      runCutShort = true;
    }
  }
  query.Close();
  table.Close();
  const bool rolledBack = RollBackOpenTransaction(connection);
  connection.Close();

  // Ctrl+C asked for a quick end: the compaction is left for another run.
  const bool interrupted = watch.RunStopRequested();
  bool compacted = true;
  if (options.compactDatabase && !interrupted) {
    try {
      session.CompactDatabase();
    } catch (const TarnwickError& error) {
      ReportFailure(error.what());
      compacted = false;
    }
  }

  if (!pane.Finish()) {
    ReportFailure(msg::TranscriptNotWritten().Sjis());
    return kCannotRun;
  }
  if (!compacted) return kCannotRun;
  if (interrupted) return kInterrupted;
  return (runCutShort || rolledBack || context.errorsReported > 0) ? kStatementFailed
                                                                   : kAllSucceeded;
}

}  // namespace tarnwick::runner
