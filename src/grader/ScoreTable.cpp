#include "grader/ScoreTable.h"

#include <algorithm>

#include "text/Cp932Table.h"
#include "text/messages/GraderMessages.h"

namespace tarnwick::grader {
namespace {

struct Column {
  std::vector<std::string> cells;  // the heading first, as the grid shows text
  std::vector<std::size_t> widths;
  bool leftAligned = true;
  bool padded = true;  // the notes, last, are as long as they are, with no '|' after them

  void Add(std::string_view utf8) {
    std::string shown;
    AppendThroughSjis(utf8, shown);
    widths.push_back(MeasureUtf8(utf8).width);
    cells.push_back(std::move(shown));
  }
  std::size_t Width() const { return *std::max_element(widths.begin(), widths.end()); }
};

// A text on one line: the notes' line breaks become spaces.
std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

std::vector<Column> Columns(const ClassReport& report) {
  std::vector<Column> columns(report.exercises.size() + 2);
  columns.front().Add(msg::ScoreTableLearner());
  for (std::size_t i = 0; i < report.exercises.size(); ++i) {
    columns[i + 1].Add(report.exercises[i]);
  }
  columns.back().Add(msg::ScoreTableScore());
  columns.back().leftAligned = false;
  const bool notes = std::any_of(report.learners.begin(), report.learners.end(),
                                 [](const LearnerReport& l) { return !l.notes.empty(); });
  if (notes) {
    columns.emplace_back().Add(msg::ScoreTableNotes());
    columns.back().padded = false;
  }
  for (const LearnerReport& learner : report.learners) {
    columns.front().Add(learner.name);
    for (std::size_t i = 0; i < learner.outcomes.size(); ++i) {
      columns[i + 1].Add(MarkSymbol(learner.outcomes[i].mark));
    }
    columns[report.exercises.size() + 1].Add(std::to_string(learner.Score()));
    if (notes) {
      std::string joined;
      for (const std::string& note : learner.notes) joined += (joined.empty() ? "" : " ") + note;
      columns.back().Add(OneLine(joined));
    }
  }
  return columns;
}

// One CSV field.
std::string CsvField(const std::string& text) {
  std::string field = text;
  if (!field.empty() && std::string_view("=+-@\t\r").find(field.front()) != std::string::npos) {
    field.insert(0, "'");
  }
  if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
  std::string quoted = "\"";
  for (char c : field) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

}  // namespace

std::string MarkSymbol(Mark mark) {
  switch (mark) {
    case Mark::Right:
      return "○";
    case Mark::Wrong:
      return "×";
    case Mark::Missing:
      break;
  }
  return "－";
}

std::string ScoreTableText(const ClassReport& report) {
  const std::vector<Column> columns = Columns(report);
  std::string text;
  const std::size_t rows = columns.front().cells.size();
  for (std::size_t row = 0; row < rows; ++row) {
    for (const Column& column : columns) {
      if (!column.padded) {
        text += column.cells[row];
        continue;
      }
      const std::string padding(column.Width() - column.widths[row], ' ');
      const bool left = row == 0 || column.leftAligned;
      text += (left ? column.cells[row] + padding : padding + column.cells[row]) + "|";
    }
    text += '\n';
    if (row > 0) continue;
    for (const Column& column : columns) {
      text += column.padded ? std::string(column.Width(), '-') + "+"
                            : std::string(column.widths.front(), '-');
    }
    text += '\n';
  }
  return text + msg::ScoreTableSummary(report.learners.size(), report.exercises.size()) + "\n";
}

std::string ScoreCsv(const ClassReport& report) {
  std::string csv = "\xEF\xBB\xBF" + CsvField(msg::ScoreTableLearner());
  for (const std::string& exercise : report.exercises) csv += "," + CsvField(exercise);
  csv += "," + CsvField(msg::ScoreTableScore()) + "\r\n";
  for (const LearnerReport& learner : report.learners) {
    csv += CsvField(learner.name);
    for (const ExerciseOutcome& outcome : learner.outcomes) {
      csv += "," +
             (outcome.mark == Mark::Missing ? msg::ScoreTableMissing() : MarkSymbol(outcome.mark));
    }
    csv += "," + std::to_string(learner.Score()) + "\r\n";
  }
  return csv;
}

}  // namespace tarnwick::grader
