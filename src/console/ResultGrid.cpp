#include "console/ResultGrid.h"

#include <algorithm>
#include <exception>
#include <new>
#include <vector>

#include "console/CellText.h"
#include "console/DatasetCloser.h"
#include "console/GridCells.h"
#include "console/ReportError.h"
#include "data/Dataset.h"
#include "text/Cp932.h"
#include "text/ResultPane.h"
#include "text/TarnwickError.h"

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

// The failure of a grid that would pass its limits, after `rows` rows were read.
TarnwickError TooLarge(std::size_t rows, const GridLimits& limits) {
  return TarnwickError(Sjis("結果が大きすぎるため中止しました。") + std::to_string(rows) +
                       Sjis(" 行を読んだところで、表示できる上限（") +
                       std::to_string(limits.cells) + Sjis(" セルまたは ") +
                       std::to_string(limits.textBytes >> 20) +
                       Sjis(" MB）に達しました。WHERE 句などで行を絞り込んでください"));
}

// Opens the query and converts every row before anything is written, so that a failure
// while reading leaves no partial grid. `rows` counts the rows read so far.
Grid ReadGrid(Query& query, const GridLimits& limits, std::size_t& rows) {
  query.Open();
  Grid grid;
  std::vector<const Field*> fields;
  std::size_t lineBytes = 0;  // one grid line: every column's width and its '|'
  for (int i = 0; i < query.FieldCount(); ++i) {
    const Field& field = query.FieldAt(i);
    fields.push_back(&field);
    grid.columns.push_back({field.Name().size(), IsLeftAligned(field.Kind())});
    grid.cells.Add(field.Name());
    lineBytes += field.Name().size() + 1;
  }
  std::string cell;
  std::size_t cells = fields.size();
  for (; !query.Eof(); query.Next()) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      CellText(*fields[i], cell);
      // A boolean column is at least as wide as "False", even when it holds only "True".
      const std::size_t width = fields[i]->Kind() == ftBoolean ? 5 : cell.size();
      if (width > grid.columns[i].width) {
        lineBytes += width - grid.columns[i].width;
        grid.columns[i].width = width;
      }
      grid.cells.Add(cell);
    }
    ++rows;
    // The text written is one line per row plus the header and the separator line.
    cells += fields.size();
    if (cells > limits.cells || (rows + 2) * (lineBytes + 2) > limits.textBytes) {
      throw TooLarge(rows, limits);
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
  std::size_t rows = 0;
  try {
    const Grid grid = ReadGrid(context.query, context.gridLimits, rows);
    WriteGrid(grid, context.pane);
    context.pane.AppendLine("OK");
  } catch (const std::bad_alloc&) {
    // The limits keep a grid well below the memory of any machine the program runs on; a
    // machine that is short of memory all the same gets a message, not the exception's name.
    ReportError(context, Sjis("メモリが足りないため中止しました（") + std::to_string(rows) +
                             Sjis(" 行を読んだところ）"));
  } catch (const std::exception& failure) {
    ReportStatementFailure(context, failure);
  }
}

}  // namespace tarnwick
