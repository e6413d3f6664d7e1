#pragma once
// The rows of one result, each cell as the grid shows it, and how two results are compared.
#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace tarnwick::grader {

struct ResultRows {
  std::vector<std::string> names;  // the column names (UTF-8)
  std::vector<std::string> cells;  // the kept rows one after another, a cell per column (UTF-8)
  std::size_t rowCount = 0;        // every row of the result, also those not kept

  std::size_t Columns() const { return names.size(); }
  std::size_t KeptRows() const { return names.empty() ? 0 : cells.size() / names.size(); }
  std::span<const std::string> Row(std::size_t index) const {
    return std::span<const std::string>(cells).subspan(index * Columns(), Columns());
  }
};

// In what order the rows of a result must come. Without ORDER BY any order will do; with it
// the rows must come as the model's do, except that rows with equal sort keys may come in any
// order among themselves: the key columns, when every ORDER BY term is a column of the result.
struct RowOrder {
  bool ordered = false;
  std::vector<std::size_t> keyColumns;  // empty: every row's place counts
};

enum class RowsDiffer { No, Columns, Count, Content, Order };

// How a learner's rows stand to the model's, and the rows that show it best: the first rows of
// each when the columns differ, the rows that only one side has when the rows differ, and the
// rows from the first one out of place when only the order differs. Row indices, in order.
struct RowsVerdict {
  RowsDiffer differ = RowsDiffer::No;
  std::vector<std::size_t> modelRows;
  std::vector<std::size_t> learnerRows;
};

// Compares a learner's result with the model's. The learner's result must keep at least one row
// more than the model's has, so that a longer result shows as one. `shown`: the most rows of
// each side named in the verdict.
RowsVerdict CompareRows(const ResultRows& model, const ResultRows& learner, const RowOrder& order,
                        std::size_t shown = 5);

}  // namespace tarnwick::grader
