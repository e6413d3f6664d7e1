#pragma once
// Seeing a query's result as its grid reads it, besides the lines the pane receives: the way
// the grader compares a learner's results with the model answers'.
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class GridObserver {
 public:
  virtual ~GridObserver() = default;
  // A query's grid has opened its rows: the statement as it runs (console text) and the
  // column names (UTF-8), as the header shows them.
  virtual void GridOpened(std::string_view sjisStatement,
                          const std::vector<std::string>& names) = 0;
  // One data row: each cell's text (UTF-8) exactly as the grid shows it.
  virtual void GridRow(const std::vector<std::string>& cells) = 0;
};

}  // namespace tarnwick
