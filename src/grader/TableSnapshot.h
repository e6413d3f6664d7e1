#pragma once
// Every table and view of a database with its rows, as the grid would show them: what an
// exercise without rows is judged by.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "grader/ResultRows.h"

namespace tarnwick {
class Connection;
class Table;
}  // namespace tarnwick

namespace tarnwick::grader {

struct TableRows {
  std::string name;       // the engine's name (UTF-8)
  ResultRows rows;        // its columns and rows
  std::string readError;  // why its rows could not be read (UTF-8); empty when they were
};

using TableSnapshot = std::vector<TableRows>;

// The tables and views in catalogue order. With the model's snapshot, a table keeps at most a
// thousand rows more than the model's table of that name has (one the model lacks: none), so
// that a table that grew without end costs little memory; its row count counts them all.
TableSnapshot ReadTables(Connection& connection, Table& table,
                         const TableSnapshot* model = nullptr);

// The model's table of that name (names compare as the engine compares them).
const TableRows* FindTable(const TableSnapshot& snapshot, const std::string& name);

}  // namespace tarnwick::grader
