#pragma once
#include <functional>

namespace tarnwick {

class ResultPane;
class Connection;
class Query;
class Table;
class SqlHistory;

// What the console works on: the window's (or the runner's) pane, connection, query and
// table objects and history, and the caller's way of letting pending events through.
struct ConsoleContext {
  ResultPane& pane;
  Connection& connection;
  Query& query;
  Table& table;
  SqlHistory& history;
  std::function<void()> processEvents;  // may be empty
  // Counts the error reports written to the pane ("ERROR! ..." and the listing's "ERROR").
  int errorsReported = 0;
};

}  // namespace tarnwick
