#include "gui/QtResultPane.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "gui/PaneText.h"

namespace tarnwick {

bool QtResultPane::EditorEndsOpen() const {
  // The last block is empty exactly when the document is empty or ends in a line break.
  return editor_.document()->lastBlock().length() <= 1;
}

void QtResultPane::AppendLine(std::string_view sjisText) {
  const bool endsOpen = pending_.isEmpty() ? EditorEndsOpen() : pendingEndsOpen_;
  const AppendPlan plan = PlanAppend(endsOpen);
  if (plan.breakBefore) pending_ += QLatin1Char('\n');
  pending_ += FromConsoleText(sjisText);
  if (plan.breakAfter) pending_ += QLatin1Char('\n');
  pendingEndsOpen_ =
      plan.breakAfter ||
      (sjisText.empty() ? plan.breakBefore : EndsInLineBreak(sjisText) || sjisText.back() == '\r');
}

void QtResultPane::Flush() {
  if (pending_.isEmpty()) return;
  QTextDocument& document = *editor_.document();
  QTextCursor cursor(&document);
  cursor.movePosition(QTextCursor::End);
  // The program's own output is not an edit the user can undo; leaving it out of the undo
  // history also spares an undo record for every line of a large result.
  document.setUndoRedoEnabled(false);
  cursor.insertText(pending_);
  document.setUndoRedoEnabled(true);
  pending_.clear();
  editor_.moveCursor(QTextCursor::End);
  editor_.ensureCursorVisible();
}

}  // namespace tarnwick
