#pragma once
// The SQL pane's text as the console's scanners read it (UTF-8, CR LF between lines), with
// positions both ways: a pane position (UTF-16 units) and a byte offset of the script.
#include <QString>
#include <cstddef>
#include <optional>
#include <string>

class QTextDocument;

namespace tarnwick {

// The lines of a document around a position: up to `lines` before its line and after it,
// and where the excerpt begins in the document.
struct PaneExcerpt {
  QString text;
  int begin = 0;
};
PaneExcerpt ExcerptAround(const QTextDocument& document, int position, int lines);

class PaneScript {
 public:
  explicit PaneScript(QString paneText);
  const std::string& Bytes() const { return bytes_; }
  // The byte offset where the character at a pane position begins (the end for the end).
  std::size_t ByteOf(int position) const;
  // The pane position of the character that begins at a byte offset (or the first after it).
  int PositionOf(std::size_t byte) const;

 private:
  QString text_;
  std::string bytes_;
};

// The pane positions [begin, end) of the statement that holds the caret, cut as the splitter
// cuts the pane's text; nothing when the pane holds no statement.
struct PaneRange {
  int begin = 0;
  int end = 0;
};
std::optional<PaneRange> PaneStatementAt(const PaneScript& script, int caret);

}  // namespace tarnwick
