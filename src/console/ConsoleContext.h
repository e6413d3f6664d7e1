#pragma once
#include <cstddef>
#include <functional>

namespace tarnwick {

class ResultPane;
class Connection;
class Query;
class Table;
class SqlHistory;
class GridObserver;

// How large a query's grid may grow. The grid holds every row before it writes the first
// line, so a result that grows without end (a join without its condition, a recursive
// query) is stopped here, long before memory runs out: at most `cells` cells, and at most
// `textBytes` bytes of grid text (every row padded to the widest cell of each column).
struct GridLimits {
  std::size_t cells = 10'000'000;
  std::size_t textBytes = std::size_t{256} << 20;
};

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
  GridLimits gridLimits{};
  // Shown every query's rows as the grid reads them (nullptr: nobody).
  GridObserver* gridObserver = nullptr;
};

}  // namespace tarnwick
