#pragma once
#include <QString>

#include "text/ResultPane.h"

class QPlainTextEdit;

namespace tarnwick {

// The window's result pane as the console sees it. Appended lines are collected and written
// into the editor in one piece when Flush is called (at the end of every command and
// whenever events are let through), or as soon as kPendingCharacters have been collected, so
// that a result of many thousand lines costs a few edits of the document instead of one per
// line, and the pane never holds a second copy of a large result besides the editor's. The
// append rule looks at the editor's text plus what is still collected, so the pane reads
// exactly as if every line had gone in at once.
//
// The editor keeps every paragraph as a block of its own, and adding a block costs far more
// than adding its text. A large piece (over kLinesForBlocks lines) therefore goes in with
// kLinesPerBlock lines to a block, the lines inside a block ended by line separators: the
// pane shows, edits, copies and returns (toPlainText) the same lines, and a 100,000-line
// result goes in some ten times faster.
class QtResultPane : public ResultPane {
 public:
  static constexpr qsizetype kLinesForBlocks = 2000;
  static constexpr int kLinesPerBlock = 32;
  static constexpr qsizetype kPendingCharacters = qsizetype{1} << 20;

  explicit QtResultPane(QPlainTextEdit& editor) : editor_(editor) {}

  void AppendLine(std::string_view sjisText) override;
  void AppendUtf8Line(std::string_view utf8Text) override;
  // Writes the collected text at the end of the editor and shows the end of the pane.
  void Flush();
  bool HasPending() const { return !pending_.isEmpty(); }

 private:
  bool EditorEndsOpen() const;
  // `text` is the line as pane text; `consoleText` the same line as it came.
  void Append(const QString& text, std::string_view consoleText);
  // Writes the collected text at the end of the editor.
  void WritePending();

  QPlainTextEdit& editor_;
  QString pending_;
  qsizetype pendingLines_ = 0;  // the line breaks in pending_
  // True when the pane (editor text plus collected text) is empty or ends in a line break.
  bool pendingEndsOpen_ = true;
};

}  // namespace tarnwick
