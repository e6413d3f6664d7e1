#include "grader/ResultRows.h"

#include <algorithm>
#include <numeric>

namespace tarnwick::grader {
namespace {

bool RowLess(const ResultRows& a, std::size_t i, const ResultRows& b, std::size_t j) {
  const auto left = a.Row(i);
  const auto right = b.Row(j);
  return std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end());
}

bool RowEqual(const ResultRows& a, std::size_t i, const ResultRows& b, std::size_t j) {
  const auto left = a.Row(i);
  const auto right = b.Row(j);
  return std::equal(left.begin(), left.end(), right.begin(), right.end());
}

// The rows [begin, end) of a result, sorted by their cells.
std::vector<std::size_t> SortedRows(const ResultRows& rows, std::size_t begin, std::size_t end) {
  std::vector<std::size_t> order(end - begin);
  std::iota(order.begin(), order.end(), begin);
  std::sort(order.begin(), order.end(),
            [&](std::size_t i, std::size_t j) { return RowLess(rows, i, rows, j); });
  return order;
}

// The first `shown` of the rows, in their order in the result.
std::vector<std::size_t> FirstOf(std::vector<std::size_t> rows, std::size_t shown) {
  std::sort(rows.begin(), rows.end());
  if (rows.size() > shown) rows.resize(shown);
  return rows;
}

std::vector<std::size_t> Leading(std::size_t from, std::size_t count, std::size_t shown) {
  std::vector<std::size_t> rows;
  for (std::size_t i = from; i < count && rows.size() < shown; ++i) rows.push_back(i);
  return rows;
}

// The rows that one side has and the other lacks (counting repeated rows), comparing the
// model's rows [begin, end) with the learner's rows at the same places.
RowsVerdict Unmatched(const ResultRows& model, const ResultRows& learner, std::size_t begin,
                      std::size_t modelEnd, std::size_t learnerEnd) {
  const std::vector<std::size_t> m = SortedRows(model, begin, modelEnd);
  const std::vector<std::size_t> l = SortedRows(learner, begin, learnerEnd);
  RowsVerdict verdict;
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < m.size() || j < l.size()) {
    if (j == l.size() || (i < m.size() && RowLess(model, m[i], learner, l[j]))) {
      verdict.modelRows.push_back(m[i++]);
    } else if (i == m.size() || RowLess(learner, l[j], model, m[i])) {
      verdict.learnerRows.push_back(l[j++]);
    } else {
      ++i;
      ++j;
    }
  }
  return verdict;
}

// The end of the block of rows from `begin` that share their sort keys in the model's result.
std::size_t BlockEnd(const ResultRows& model, const RowOrder& order, std::size_t begin) {
  if (order.keyColumns.empty()) return begin + 1;
  std::size_t end = begin + 1;
  for (; end < model.KeptRows(); ++end) {
    const auto first = model.Row(begin);
    const auto row = model.Row(end);
    const bool sameKeys = std::all_of(order.keyColumns.begin(), order.keyColumns.end(),
                                      [&](std::size_t c) { return first[c] == row[c]; });
    if (!sameKeys) break;
  }
  return end;
}

}  // namespace

RowsVerdict CompareRows(const ResultRows& model, const ResultRows& learner, const RowOrder& order,
                        std::size_t shown) {
  if (model.Columns() != learner.Columns()) {
    return {RowsDiffer::Columns, Leading(0, model.KeptRows(), shown),
            Leading(0, learner.KeptRows(), shown)};
  }
  RowsVerdict verdict = Unmatched(model, learner, 0, model.KeptRows(), learner.KeptRows());
  if (model.rowCount != learner.rowCount || !verdict.modelRows.empty() ||
      !verdict.learnerRows.empty()) {
    verdict.differ = model.rowCount != learner.rowCount ? RowsDiffer::Count : RowsDiffer::Content;
    verdict.modelRows = FirstOf(std::move(verdict.modelRows), shown);
    verdict.learnerRows = FirstOf(std::move(verdict.learnerRows), shown);
    return verdict;
  }
  if (!order.ordered) return {};
  // The same rows: each block of rows with equal keys must hold the same rows on both sides.
  for (std::size_t begin = 0; begin < model.KeptRows();) {
    const std::size_t end = BlockEnd(model, order, begin);
    const bool sameBlock = end - begin == 1
                               ? RowEqual(model, begin, learner, begin)
                               : Unmatched(model, learner, begin, end, end).modelRows.empty();
    if (!sameBlock) {
      return {RowsDiffer::Order, Leading(begin, model.KeptRows(), shown),
              Leading(begin, learner.KeptRows(), shown)};
    }
    begin = end;
  }
  return {};
}

}  // namespace tarnwick::grader
