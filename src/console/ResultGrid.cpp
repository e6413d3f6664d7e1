#include "console/ResultGrid.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <new>
#include <vector>

#include "console/CellText.h"
#include "console/DatasetCloser.h"
#include "console/GridCells.h"
#include "console/GridObserver.h"
#include "console/ReportError.h"
#include "data/Dataset.h"
#include "text/Cp932.h"
#include "text/ResultPane.h"
#include "text/TarnwickError.h"

namespace tarnwick {

namespace {

struct GridColumn {
  std::size_t width;  // cells (Shift-JIS bytes): the widest of the name and every cell
  bool leftAligned;
};

// The whole result as cells: the header row (the names), then every data row. Every column
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
// while reading leaves no partial grid. `rows` counts the rows read so far. The observer, if
// any, sees the names and every row's cells as they are read.
Grid ReadGrid(Query& query, const GridLimits& limits, std::size_t& rows, GridObserver* observer) {
  query.Open();
  Grid grid;
  std::vector<const Field*> fields;
  std::size_t lineBytes = 0;  // one grid line in Shift-JIS: every column's width and its '|'
  for (int i = 0; i < query.FieldCount(); ++i) {
    const Field& field = query.FieldAt(i);
    fields.push_back(&field);
    const std::size_t width = field.Name().size();
    grid.columns.push_back({width, IsLeftAligned(field.Kind())});
    grid.cells.Add({SjisToUtf8(field.Name()), width});
    lineBytes += width + 1;
  }
  std::vector<std::string> observed;
  if (observer != nullptr) {
    for (const Field* field : fields) observed.push_back(SjisToUtf8(field->Name()));
    observer->GridOpened(query.Sql(), observed);
  }
  std::string room;
  std::size_t cells = fields.size();
  for (; !query.Eof(); query.Next()) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
      GridCell cell = CellText(*fields[i], room);
      // A boolean column is at least as wide as "False", even when it holds only "True".
      const std::size_t width = fields[i]->Kind() == ftBoolean ? 5 : cell.width;
      if (width > grid.columns[i].width) {
        lineBytes += width - grid.columns[i].width;
        grid.columns[i].width = width;
      }
      grid.cells.Add(cell);
      if (observer != nullptr) observed[i].assign(cell.text);
    }
    if (observer != nullptr) observer->GridRow(observed);
    ++rows;
    // The text written is one line per row plus the header and the separator line.
    cells += fields.size();
    if (cells > limits.cells || (rows + 2) * (lineBytes + 2) > limits.textBytes) {
      throw TooLarge(rows, limits);
    }
  }
  return grid;
}

// The grid's lines gathered into pieces of bounded size, each appended to the pane as soon
// as it is full. A piece is its lines joined by CR LF, which the pane shows exactly as the
// same lines appended one by one, since no grid line is empty or ends in a line break.
class PieceWriter {
 public:
  static constexpr std::size_t kPieceBytes = 64 * 1024;

  explicit PieceWriter(ResultPane& pane) : pane_(pane), bytes_(2 * kPieceBytes, '\0') {}

  void BeginLine() {
    if (used_ > 0) Put("\r\n");
  }
  void EndLine() {
    if (used_ >= kPieceBytes) Flush();
  }
  void Flush() {
    if (used_ == 0) return;
    pane_.AppendUtf8Line(std::string_view(bytes_.data(), used_));
    used_ = 0;
  }

  // One cell and its '|': the text, and spaces up to the column's width before it (right
  // aligned) or after it (left aligned).
  void PutCell(const GridCell& cell, std::size_t width, bool leftAligned) {
    const std::size_t padding = width - cell.width;
    char* out = Room(cell.text.size() + padding + 1);
    if (!leftAligned) out = Fill(out, padding, ' ');
    out = std::copy(cell.text.begin(), cell.text.end(), out);
    if (leftAligned) out = Fill(out, padding, ' ');
    *out = '|';
  }
  void PutSeparator(std::size_t width) { Fill(Room(width + 1), width, '-')[0] = '+'; }

 private:
  void Put(std::string_view text) { std::copy(text.begin(), text.end(), Room(text.size())); }
  static char* Fill(char* out, std::size_t count, char byte) {
    std::memset(out, byte, count);
    return out + count;
  }
  // Room for `count` more bytes of the piece, which count as written.
  char* Room(std::size_t count) {
    if (bytes_.size() - used_ < count) bytes_.resize(2 * (used_ + count));
    used_ += count;
    return bytes_.data() + used_ - count;
  }

  ResultPane& pane_;
  std::string bytes_;
  std::size_t used_ = 0;
};

// Writes the lines, releasing the cells as they are written.
void WriteGrid(Grid& grid, ResultPane& pane) {
  GridCells::Reader cells = grid.cells.TakeOut();
  PieceWriter writer(pane);
  writer.BeginLine();
  for (const GridColumn& column : grid.columns) writer.PutCell(cells.Next(), column.width, true);
  writer.EndLine();

  writer.BeginLine();
  for (const GridColumn& column : grid.columns) writer.PutSeparator(column.width);
  writer.EndLine();

  while (!cells.AtEnd()) {
    writer.BeginLine();
    for (const GridColumn& column : grid.columns) {
      writer.PutCell(cells.Next(), column.width, column.leftAligned);
    }
    writer.EndLine();
  }
  writer.Flush();
}

}  // namespace

void RenderResultGrid(ConsoleContext& context) {
  DatasetCloser closer(context.query);
  std::size_t rows = 0;
  try {
    Grid grid = ReadGrid(context.query, context.gridLimits, rows, context.gridObserver);
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
