#include "grader/GradingConsole.h"

#include <exception>

#include "console/RunScript.h"
#include "data/Udl.h"
#include "text/Cp932.h"
#include "text/TextBytes.h"

namespace tarnwick::grader {
namespace {

constexpr std::string_view kErrorLead = "ERROR! ";

}  // namespace

std::string Utf8Lines(std::string_view sjis) {
  std::string utf8 = SjisToUtf8(TrimBlanks(sjis));
  std::erase(utf8, '\r');
  return utf8;
}

GradingConsole::GradingConsole(const std::string& sjisDatabasePath, StatementWatch& watch)
    : query_(connection_), table_(connection_), context_{*this,  connection_, query_,
                                                         table_, history_,    {}} {
  context_.gridObserver = this;
  // The descriptor's text stays in memory: nothing is written beside the copy.
  connection_.SetConnectionString(InitString(sjisDatabasePath));
  connection_.SetWatch(&watch);
  connection_.Open();
}

GradingConsole::~GradingConsole() { Close(); }

void GradingConsole::Close() {
  query_.Close();
  table_.Close();
  connection_.Close();
}

ExerciseRun GradingConsole::Run(std::string_view sjisScript, std::size_t keptRows) {
  run_ = {};
  keptRows_ = keptRows;
  lastLine_.clear();
  try {
    RunScript(context_, sjisScript);
  } catch (const std::exception& failure) {
    // A failure that ends the script (the table description's) counts as the statement's.
    run_.failures.push_back({Utf8Lines(lastLine_), Utf8Lines(failure.what())});
  }
  query_.Close();
  table_.Close();
  // Changes never committed do not count, and must not reach the next exercise unseen.
  if (connection_.InTransaction()) {
    connection_.Rollback();
    run_.rolledBack = true;
  }
  return std::move(run_);
}

void GradingConsole::GridOpened(std::string_view sjisStatement,
                                const std::vector<std::string>& names) {
  run_.rows.emplace();
  run_.rows->names = names;
  run_.rowsStatement = sjisStatement;
}

void GradingConsole::GridRow(const std::vector<std::string>& cells) {
  ResultRows& rows = *run_.rows;
  if (rows.rowCount++ < keptRows_) rows.cells.insert(rows.cells.end(), cells.begin(), cells.end());
}

// The pane keeps nothing but the failures: an error line follows the echo of its statement.
void GradingConsole::AppendLine(std::string_view sjisText) {
  if (sjisText.starts_with(kErrorLead)) {
    run_.failures.push_back({Utf8Lines(lastLine_), Utf8Lines(sjisText.substr(kErrorLead.size()))});
  }
  lastLine_ = sjisText;
}

void GradingConsole::AppendUtf8Line(std::string_view) { lastLine_.clear(); }

}  // namespace tarnwick::grader
