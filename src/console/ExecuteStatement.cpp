#include <exception>

#include "console/Catalogue.h"
#include "console/ReportError.h"
#include "console/ResultGrid.h"
#include "console/RunScript.h"
#include "console/SqlHistory.h"
#include "data/Dataset.h"
#include "text/ResultPane.h"
#include "text/TextBytes.h"

namespace tarnwick {

namespace {

// The console's own "?" command: "?" alone lists the catalogue, "? a b" describes a and b.
void RunCatalogueCommand(ConsoleContext& context, std::string_view arguments) {
  const std::size_t first = arguments.find_first_not_of(' ');
  if (first == std::string_view::npos || arguments[first] == '\r') {
    ListTableNames(context);
    return;
  }
  for (std::size_t begin = first; begin != std::string_view::npos;
       begin = arguments.find_first_not_of(' ', begin)) {
    const std::size_t space = arguments.find(' ', begin);
    DescribeTable(context, arguments.substr(begin, space - begin));
    begin = space;
  }
}

// Runs a statement that returns no rows and answers "OK" or "ERROR! " with the message.
void ExecuteNonQuery(ConsoleContext& context) {
  try {
    context.query.ExecSql();
  } catch (const std::exception& failure) {
    ReportStatementFailure(context, failure);
    return;
  }
  context.pane.AppendLine("OK\r\n");
}

}  // namespace

void ExecuteStatement(ConsoleContext& context, std::string& statement) {
  context.query.Close();
  statement = std::string(TrimSpaces(statement));
  if (statement.empty()) return;
  context.history.Record(statement);

  if (statement.front() == '?') {
    RunCatalogueCommand(context, std::string_view(statement).substr(1));
    return;
  }
  const std::string_view sql = TrimBlanks(statement);
  if (sql.empty()) return;
  context.query.SetSql(std::string(sql));
  // The front end tells a statement that gives rows, whatever its first word.
  if (context.query.ReturnsRows()) {
    RenderResultGrid(context);
  } else {
    ExecuteNonQuery(context);
  }
}

}  // namespace tarnwick
