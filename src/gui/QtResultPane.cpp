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

qsizetype CountLineBreaks(QStringView text) {
  qsizetype count = 0;
  for (qsizetype i = text.indexOf(QLatin1Char('\n')); i >= 0;
       i = text.indexOf(QLatin1Char('\n'), i + 1)) {
    ++count;
  }
  return count;
}

// Turns the line breaks of a large piece of text into line separators, except every
// linesPerBlock-th one and the last character, which stay paragraph breaks.
void GroupLinesIntoBlocks(QString& text, int linesPerBlock) {
  int lines = 0;
  const qsizetype last = text.size() - 1;
  QChar* characters = text.data();
  for (qsizetype i = QStringView(text).indexOf(QLatin1Char('\n')); i >= 0 && i < last;
       i = QStringView(text).indexOf(QLatin1Char('\n'), i + 1)) {
    if (++lines % linesPerBlock != 0) characters[i] = QChar::LineSeparator;
  }
}

}  // namespace

bool QtResultPane::EditorEndsOpen() const {
  const QTextDocument& document = *editor_.document();
  const int characters = document.characterCount();  // counts the closing paragraph break
  return characters <= 1 || IsLineBreak(document.characterAt(characters - 2));
}

void QtResultPane::AppendLine(std::string_view sjisText) {
  Append(FromConsoleText(sjisText), sjisText);
}

void QtResultPane::AppendUtf8Line(std::string_view utf8Text) {
  Append(FromUtf8ConsoleText(utf8Text), utf8Text);
}

void QtResultPane::Append(const QString& text, std::string_view consoleText) {
  const bool endsOpen = pending_.isEmpty() ? EditorEndsOpen() : pendingEndsOpen_;
  const AppendPlan plan = PlanAppend(endsOpen);
  if (plan.breakBefore) pending_ += QLatin1Char('\n');
  pending_ += text;
  if (plan.breakAfter) pending_ += QLatin1Char('\n');
  pendingLines_ += CountLineBreaks(text) + (plan.breakBefore ? 1 : 0) + (plan.breakAfter ? 1 : 0);
  pendingEndsOpen_ = plan.breakAfter || (consoleText.empty() ? plan.breakBefore
                                                             : EndsInLineBreak(consoleText) ||
                                                                   consoleText.back() == '\r');
  if (pending_.size() >= kPendingCharacters) WritePending();
}

void QtResultPane::WritePending() {
  if (pending_.isEmpty()) return;
  if (pendingLines_ > kLinesForBlocks) GroupLinesIntoBlocks(pending_, kLinesPerBlock);
  QTextDocument& document = *editor_.document();
  QTextCursor cursor(&document);
  cursor.movePosition(QTextCursor::End);
  // The program's own output is not an edit the user can undo; leaving it out of the undo
  // history also spares an undo record for every line of a large result.
  document.setUndoRedoEnabled(false);
  cursor.insertText(pending_);
  document.setUndoRedoEnabled(true);
  pending_.resize(0);  // keeps its room for the next piece of a large result
  pendingLines_ = 0;
}

void QtResultPane::Flush() {
  if (pending_.isEmpty()) return;
  WritePending();
  pending_.squeeze();
  editor_.moveCursor(QTextCursor::End);
  editor_.ensureCursorVisible();
}

}  // namespace tarnwick
