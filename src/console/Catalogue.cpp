#include "console/Catalogue.h"

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

#include "console/DatasetCloser.h"
#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/FieldTypeName.h"
#include "text/AsciiCase.h"
#include "text/Cp932.h"
#include "text/ResultPane.h"
#include "text/TextBytes.h"

namespace tarnwick {

namespace {

// The column names start 15 bytes into each type line: the type name, " 型", spaces.
constexpr std::size_t kTypeColumnWidth = 12;

// The names, one to a line, without blank bytes at either end of the whole text.
std::string NameLines(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text.append(name).append("\r\n");
  return std::string(TrimBlanks(text));
}

void DescribeColumns(ConsoleContext& context, std::string_view name) {
  ResultPane& pane = context.pane;
  const std::vector<std::string> names = context.connection.TableNames();
  const bool found = std::ranges::any_of(
      names, [&](const std::string& known) { return EqualsIgnoringAsciiCase(known, name); });
  if (!found) {
    pane.AppendLine(std::string(name) + Sjis(" テーブルは見つかりません"));
    return;
  }
  const std::string heading = std::string(name) + Sjis(" テーブルの項目");
  pane.AppendLine(heading);
  pane.AppendLine(std::string(heading.size(), '-'));

  Table& table = context.table;
  DatasetCloser closer(table);
  table.SetTableName(std::string(name));
  table.Open();
  const std::string typeMark = Sjis(" 型");
  for (int i = 0; i < table.FieldCount(); ++i) {
    const Field& field = table.FieldAt(i);
    const std::string_view type = FieldTypeName(field.Kind());
    std::string line(type);
    line += typeMark;
    line.append(kTypeColumnWidth - type.size(), ' ');
    line += field.Name();
    pane.AppendLine(line);
  }
  pane.AppendLine("---\r\n" + Sjis("データ数は ") + std::to_string(table.RecordCount()) +
                  Sjis(" です"));
}

}  // namespace

void DescribeTable(ConsoleContext& context, std::string_view name) {
  try {
    DescribeColumns(context, name);
  } catch (...) {
    context.pane.AppendLine("OK\r\n");
    throw;
  }
  context.pane.AppendLine("OK\r\n");
}

void ListTableNames(ConsoleContext& context) {
  ResultPane& pane = context.pane;
  try {
    pane.AppendLine(Sjis("テーブル名の一覧"));
    pane.AppendLine(std::string(16, '-'));
    pane.AppendLine(NameLines(context.connection.TableNames()));
    const std::vector<std::string> procedures = context.connection.ProcedureNames();
    if (!procedures.empty()) {
      pane.AppendLine("");
      pane.AppendLine(Sjis("プロシージャ名の一覧"));
      pane.AppendLine(std::string(20, '-'));
      pane.AppendLine(NameLines(procedures));
    }
    pane.AppendLine("OK\r\n");
  } catch (const std::exception&) {
    pane.AppendLine("ERROR");
    ++context.errorsReported;
  }
}

}  // namespace tarnwick
