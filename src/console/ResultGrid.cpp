#include "console/ResultGrid.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "console/CellText.h"
#include "console/DatasetCloser.h"
#include "console/GridCells.h"
#include "data/Dataset.h"
#include "text/ResultPane.h"

namespace tarnwick {

namespace {

struct GridColumn {
  std::size_t width;  // bytes: the widest of the name and every cell
  bool leftAligned;
};

// The whole result as text: the header row (the names), then every data row. Every column
// is shown, however many there are.
struct Grid {
  std::vector<GridColumn> columns;
  GridCells cells;
};

// Opens the query and converts every row before anything is written, so that a failure
// while reading leaves no partial grid.
Grid ReadGrid(Query& query) {
  query.Open();
  Grid grid;
  std::vector<const Field*> fields;
  for (int i = 0; i < query.FieldCount(); ++i) {
    const Field& field = query.FieldAt(i);
    fields.push_back(&field);
    grid.columns.push_back({field.Name().size(), IsLeftAligned(field.Kind())});
    grid.cells.Add(field.Name());
  }
  std::string cell;
  for (; !query.Eof(); query.Next()) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      CellText(*fields[i], cell);
      // A boolean column is at least as wide as "False", even when it holds only "True".
      const std::size_t width = fields[i]->Kind() == ftBoolean ? 5 : cell.size();
      grid.columns[i].width = std::max(grid.columns[i].width, width);
      grid.cells.Add(cell);
    }
  }
  return grid;
}

void AppendPadded(std::string& line, std::string_view text, const GridColumn& column,
                  bool leftAligned) {
  const std::size_t padding = column.width - text.size();
  if (!leftAligned) line.append(padding, ' ');
  line += text;
  if (leftAligned) line.append(padding, ' ');
  line += '|';
}

void WriteGrid(const Grid& grid, ResultPane& pane) {
  GridCells::Cursor cursor = grid.cells.Read();
  std::string line;
  for (const GridColumn& column : grid.columns) AppendPadded(line, cursor.Next(), column, true);
  pane.AppendLine(line);

  line.clear();
  for (const GridColumn& column : grid.columns) line.append(column.width, '-') += '+';
  pane.AppendLine(line);

  while (!cursor.AtEnd()) {
    line.clear();
    for (const GridColumn& column : grid.columns) {
      AppendPadded(line, cursor.Next(), column, column.leftAligned);
    }
    pane.AppendLine(line);
  }
}

}  // namespace

void RenderResultGrid(ConsoleContext& context) {
  DatasetCloser closer(context.query);
  try {
    const Grid grid = ReadGrid(context.query);
    WriteGrid(grid, context.pane);
    context.pane.AppendLine("OK");
  } catch (const std::exception& failure) {
    context.pane.AppendLine("ERROR! " + std::string(failure.what()) + "\r\n");
    ++context.errorsReported;
  }
}

}  // namespace tarnwick
