#include "gui/QtResultPane.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

#include "gui/PaneText.h"

namespace tarnwick {

namespace {

bool IsLineBreak(QChar character) {
  return character == QChar::ParagraphSeparator || character == QChar::LineSeparator;
}

// Turns the line breaks of a large piece of text into line separators, except every
// linesPerBlock-th one and the last character, which stay paragraph breaks.
void GroupLinesIntoBlocks(QString& text, int linesPerBlock) {
  int lines = 0;
  const qsizetype last = text.size() - 1;
  for (qsizetype i = 0; i < last; ++i) {
    if (text[i] != QLatin1Char('\n')) continue;
    if (++lines % linesPerBlock != 0) text[i] = QChar::LineSeparator;
  }
}

}  // namespace

bool QtResultPane::EditorEndsOpen() const {
  const QTextDocument& document = *editor_.document();
  const int characters = document.characterCount();  // counts the closing paragraph break
  return characters <= 1 || IsLineBreak(document.characterAt(characters - 2));
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
  if (pending_.count(QLatin1Char('\n')) > kLinesForBlocks) {
    GroupLinesIntoBlocks(pending_, kLinesPerBlock);
  }
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
