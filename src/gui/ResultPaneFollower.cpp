#include "gui/ResultPaneFollower.h"

#include <QPlainTextEdit>
#include <QScrollBar>

namespace tarnwick {

ResultPaneFollower::ResultPaneFollower(QPlainTextEdit& pane) : QObject(&pane), pane_(pane) {
  QScrollBar* bar = pane_.verticalScrollBar();
  connect(bar, &QScrollBar::valueChanged, this,
          [this, bar](int value) { atEnd_ = value >= bar->maximum(); });
  // The range grows when the pane gets lower or text comes in; a reader at the end stays there.
  connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int maximum) {
    if (atEnd_) bar->setValue(maximum);
  });
}

}  // namespace tarnwick
