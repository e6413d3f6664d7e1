#pragma once
// Syntax colours in the SQL pane: keywords, functions, texts, #dates#, numbers and comments.
// Qt recolours only the block (line) being edited, and the lines after it only while what
// a line leaves open (a block comment, a text) changes, so typing stays instant in a long
// script. The result pane is never coloured, and nothing coloured is ever printed.
#include <QColor>
#include <QSyntaxHighlighter>

#include "gui/SqlColouring.h"

class QTextDocument;

namespace tarnwick {

class SqlHighlighter : public QSyntaxHighlighter {
  Q_OBJECT
 public:
  explicit SqlHighlighter(QTextDocument* document);
  // The colour of each kind of text: dark enough to read on the pane's white.
  static QColor ColourOf(SqlColour colour);
  // How many times a block has been coloured: typing recolours one block.
  long long BlocksColoured() const { return blocksColoured_; }

 protected:
  void highlightBlock(const QString& text) override;

 private:
  long long blocksColoured_ = 0;
};

}  // namespace tarnwick
