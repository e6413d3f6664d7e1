#pragma once
// The console on one copy of the class database: each exercise's lines run as the SQL file
// command runs a script, with what the grader needs to know about them kept aside.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/ConsoleContext.h"
#include "console/GridObserver.h"
#include "console/SqlHistory.h"
#include "data/Connection.h"
#include "data/Dataset.h"
#include "grader/ResultRows.h"
#include "text/ResultPane.h"

namespace tarnwick::grader {

// A console text as UTF-8 with LF line breaks, without blanks around it.
std::string Utf8Lines(std::string_view sjis);

struct StatementFailure {
  std::string statement;  // as echoed (UTF-8)
  std::string message;    // as reported after "ERROR! " (UTF-8, LF line breaks)
};

// What running one exercise showed.
struct ExerciseRun {
  std::optional<ResultRows> rows;  // the result of its last statement that gave rows
  std::string rowsStatement;       // that statement (console text)
  std::vector<StatementFailure> failures;
  bool rolledBack = false;  // it left a transaction open, which was rolled back
};

class GradingConsole : private GridObserver, private ResultPane {
 public:
  // Connects to the database file (console text path) under the watch, which must outlive it.
  GradingConsole(const std::string& sjisDatabasePath, StatementWatch& watch);
  ~GradingConsole() override;
  GradingConsole(const GradingConsole&) = delete;
  GradingConsole& operator=(const GradingConsole&) = delete;

  // Runs an exercise's script text; keeps at most `keptRows` rows of each result.
  ExerciseRun Run(std::string_view sjisScript, std::size_t keptRows);

  Connection& Db() { return connection_; }
  Table& TableObject() { return table_; }
  // Closes the connection (before the process forks, or the file is removed).
  void Close();

 private:
  void GridOpened(std::string_view sjisStatement, const std::vector<std::string>& names) override;
  void GridRow(const std::vector<std::string>& cells) override;
  void AppendLine(std::string_view sjisText) override;
  void AppendUtf8Line(std::string_view utf8Text) override;

  Connection connection_;
  Query query_;
  Table table_;
  SqlHistory history_;
  ConsoleContext context_;
  ExerciseRun run_;
  std::size_t keptRows_ = 0;
  std::string lastLine_;  // the pane's last line but one, when an error follows: the echo
};

}  // namespace tarnwick::grader
