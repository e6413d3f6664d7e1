#include "gui/PaneNotice.h"

#include <QEvent>

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

void PaneNotice::Place() {
  const int inset = 6;
  int x = pane_.width() - width() - inset - 16;  // clear of the scroll bar
  move(std::max(0, x), std::max(0, pane_.height() - height() - inset));
}

bool PaneNotice::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &pane_ && event->type() == QEvent::Resize && isVisible()) Place();
  return QLabel::eventFilter(watched, event);
}

}  // namespace tarnwick
