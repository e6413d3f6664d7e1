#include "gui/PaneLines.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include "gui/PaneText.h"
#include "output/PrintedLines.h"

namespace tarnwick {

namespace {

// Appends the pieces the pane breaks one block (a paragraph, holding one line or several
// separated by line separators) into.
void AppendLaidOutLines(const QTextBlock& block, QAbstractTextDocumentLayout& layout,
                        std::vector<std::string>& lines) {
  layout.blockBoundingRect(block);  // lays the block out if the pane has not done so yet
  const QTextLayout* textLayout = block.layout();
  const QString text = block.text();
  for (int i = 0; i < textLayout->lineCount(); ++i) {
    const QTextLine line = textLayout->lineAt(i);
    QString piece = text.mid(line.textStart(), line.textLength());
    // A line that a line separator ends holds the separator as its last character.
    if (piece.endsWith(QChar::LineSeparator)) piece.chop(1);
    lines.push_back(ToConsoleText(piece));
  }
}

}  // namespace

std::vector<std::string> DisplayedLines(const QPlainTextEdit& pane) {
  if (pane.lineWrapMode() == QPlainTextEdit::NoWrap) {
    return LogLines(ToConsoleText(pane.toPlainText()));
  }
  std::vector<std::string> lines;
  const QTextDocument& document = *pane.document();
  QAbstractTextDocumentLayout& layout = *document.documentLayout();
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const bool emptyLast = !block.next().isValid() && block.text().isEmpty();
    if (!emptyLast) AppendLaidOutLines(block, layout, lines);
  }
  return lines;
}

}  // namespace tarnwick
