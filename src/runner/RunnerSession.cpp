#include "runner/RunnerSession.h"

#include <exception>
#include <string>
#include <vector>

#include "console/ConsoleContext.h"
#include "console/RunScript.h"
#include "console/SqlHistory.h"
#include "data/Connection.h"
#include "data/Cp932.h"
#include "data/Dataset.h"
#include "data/FileAccess.h"
#include "data/TarnwickError.h"
#include "runner/RunnerDatabase.h"
#include "runner/RunnerScripts.h"
#include "runner/StreamingPane.h"

namespace tarnwick::runner {
namespace {

// Every script is read before the database is touched, so a misspelt file name neither
// replaces the database (--new) nor leaves half of the work done.
std::vector<std::string> ReadScripts(const std::vector<RunnerInput>& inputs) {
  std::vector<std::string> scripts;
  scripts.reserve(inputs.size());
  for (const RunnerInput& input : inputs) {
    scripts.push_back(ScriptTextOf(input));
    if (input.kind == RunnerInput::Kind::CommandText && !FitsConsoleText(input.utf8)) {
      ReportFailure(Sjis("warning: characters that Shift-JIS cannot represent became '?' in: ") +
                    Utf8ToSjis(input.utf8));
    }
  }
  return scripts;
}

void ReportOpenFailure(const DatabaseNames& names, bool recreate, const std::string& message) {
  ReportFailure(message);
  if (!recreate && !FileExists(names.DatabasePath())) {
    ReportFailure(names.DatabasePath() + " does not exist; --new creates it");
  }
}

}  // namespace

void ReportFailure(std::string_view sjisMessage) {
  std::fflush(stdout);
  std::string utf8 = SjisToUtf8(sjisMessage);
  while (!utf8.empty() && (utf8.back() == '\n' || utf8.back() == '\r')) utf8.pop_back();
  std::fprintf(stderr, "tarnwick-run: %s\n", utf8.c_str());
}

ExitStatus RunSession(const RunnerOptions& options, std::FILE* out) {
  std::vector<std::string> scripts;
  DatabaseNames names;
  try {
    scripts = ReadScripts(options.inputs);
    names = ChooseDatabase(options.databasePath);
  } catch (const TarnwickError& error) {
    ReportFailure(error.what());
    return kCannotRun;
  }

  Connection connection;
  try {
    OpenDatabase(connection, names, options.recreateDatabase);
  } catch (const TarnwickError& error) {
    ReportOpenFailure(names, options.recreateDatabase, error.what());
    return kCannotRun;
  }

  StreamingPane pane(out, options.sjisOutput ? StreamingPane::Encoding::SjisAsIs
                                             : StreamingPane::Encoding::Utf8Lf);
  Query query(connection);
  Table table(connection);
  SqlHistory history;
  ConsoleContext context{pane, connection, query, table, history, {}};
  bool runCutShort = false;
  for (std::size_t i = 0; i < scripts.size(); ++i) {
    // The Run command ends any history browsing; the SQL file command leaves it alone.
    if (options.inputs[i].kind == RunnerInput::Kind::CommandText) history.EndBrowsing();
    try {
      RunScript(context, scripts[i]);
    } catch (const std::exception& failure) {
      ReportFailure(failure.what());
      runCutShort = true;
    }
  }
  query.Close();
  table.Close();
  connection.Close();

  if (!pane.Finish()) {
    ReportFailure("the transcript could not be written");
    return kCannotRun;
  }
  return (runCutShort || context.errorsReported > 0) ? kStatementFailed : kAllSucceeded;
}

}  // namespace tarnwick::runner
