#include "gui/PaneNotice.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <algorithm>

namespace tarnwick {

PaneNotice::PaneNotice(QWidget& pane) : QLabel(&pane), pane_(pane) {
  setObjectName(QStringLiteral("PaneNotice"));
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, QColor(255, 240, 170));
  colours.setColor(QPalette::WindowText, Qt::black);
  setPalette(colours);
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setMargin(4);
  hide();
  hide_.setSingleShot(true);
  hide_.setInterval(kShownMilliseconds);
  connect(&hide_, &QTimer::timeout, this, &QWidget::hide);
  pane_.installEventFilter(this);
}

void PaneNotice::Show(const QString& text) {
  setText(text);
  adjustSize();
  Place();
  show();
  raise();
  hide_.start();
}

// In the lower right corner of the text, clear of the scroll bars.
void PaneNotice::Place() {
  const int inset = 6;
  const auto* area = qobject_cast<const QAbstractScrollArea*>(&pane_);
  const QRect text = area != nullptr ? area->viewport()->geometry() : pane_.rect();
  move(std::max(text.left(), text.right() - width() - inset),
       std::max(text.top(), text.bottom() - height() - inset));
}

bool PaneNotice::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &pane_ && event->type() == QEvent::Resize && isVisible()) Place();
  return QLabel::eventFilter(watched, event);
}

}  // namespace tarnwick
