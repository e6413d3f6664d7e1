#include "grader/TableSnapshot.h"

#include <exception>
#include <limits>

#include "console/CellText.h"
#include "console/DatasetCloser.h"
#include "data/Connection.h"
#include "data/Dataset.h"
#include "jet/JetLexer.h"
#include "text/Cp932.h"

namespace tarnwick::grader {
namespace {

// The rows beyond the model's that a learner's table keeps, to show what it holds too many.
constexpr std::size_t kRowsBeyondModel = 1000;

ResultRows ReadRows(Table& table, std::size_t keptRows) {
  table.Open();
  DatasetCloser closer(table);
  ResultRows rows;
  for (int i = 0; i < table.FieldCount(); ++i) {
    rows.names.push_back(SjisToUtf8(table.FieldAt(i).Name()));
  }
  rows.rowCount = static_cast<std::size_t>(table.RecordCount());
  std::string room;
  for (std::size_t row = 0; row < keptRows && !table.Eof(); ++row, table.Next()) {
    for (int i = 0; i < table.FieldCount(); ++i) {
      rows.cells.emplace_back(CellText(table.FieldAt(i), room).text);
    }
  }
  return rows;
}

}  // namespace

TableSnapshot ReadTables(Connection& connection, Table& table, const TableSnapshot* model) {
  TableSnapshot snapshot;
  for (std::string& name : connection.EngineTableNames()) {
    std::size_t keptRows = std::numeric_limits<std::size_t>::max();
    if (model != nullptr) {
      const TableRows* modelTable = FindTable(*model, name);
      keptRows = modelTable != nullptr ? modelTable->rows.rowCount + kRowsBeyondModel : 0;
    }
    TableRows entry{std::move(name), {}, {}};
    try {
      table.SetEngineTableName(entry.name);
      entry.rows = ReadRows(table, keptRows);
    } catch (const std::exception& failure) {
      entry.readError = SjisToUtf8(failure.what());
    }
    snapshot.push_back(std::move(entry));
  }
  return snapshot;
}

const TableRows* FindTable(const TableSnapshot& snapshot, const std::string& name) {
  for (const TableRows& table : snapshot) {
    if (SameJetName(table.name, name)) return &table;
  }
  return nullptr;
}

}  // namespace tarnwick::grader
