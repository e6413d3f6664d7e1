#pragma once
// Syntax colours in the SQL pane: keywords, functions, texts, #dates#, numbers and comments.
// An edit recolours only the line (block) it changes, at once. When that changes whether the
// line leaves a block comment open, the lines after it are recoloured afterwards, a few
// milliseconds at a time while the window is idle, so that no keystroke waits for the rest
// of a long script. The result pane is never coloured, and nothing coloured is printed.
#include <QColor>
#include <QSyntaxHighlighter>
#include <QTimer>
#include <limits>

#include "gui/SqlColouring.h"

class QTextDocument;

namespace tarnwick {

class SqlHighlighter : public QSyntaxHighlighter {
  Q_OBJECT
 public:
  // How long one turn of recolouring the following lines may take, in microseconds.
  static constexpr int kFollowUpSlice = 1500;

  explicit SqlHighlighter(QTextDocument* document);
  // The colour of each kind of text: dark enough to read on the pane's white.
  static QColor ColourOf(SqlColour colour);
  // How many times a line has been coloured, and whether lines wait to be recoloured.
  long long BlocksColoured() const { return blocksColoured_; }
  bool FollowUpPending() const { return followUp_.isActive(); }

 protected:
  void highlightBlock(const QString& text) override;

 private:
  // Recolours lines coloured with another start than the line before now leaves open, for
  // one slice of time; goes on in a later turn while any are left.
  void FollowUp();

  QTimer followUp_;
  // The first line that may wait to be recoloured: every line before it is up to date.
  int followFrom_ = std::numeric_limits<int>::max();
  bool followingUp_ = false;
  long long blocksColoured_ = 0;
};

}  // namespace tarnwick
