#include "gui/PaneDivider.h"

#include <QEvent>
#include <QLayout>
#include <QMouseEvent>
#include <algorithm>

namespace tarnwick {

namespace {
constexpr int kMinimumPane = 30;
}

int DividedHeight(int requested, int available) {
  const int height = std::min(requested, available - kMinimumPane);
  return height <= kMinimumPane ? 0 : height;
}

int FittedHeight(int wanted, int available) {
  return std::clamp(wanted, 0, std::max(0, available - kMinimumPane));
}

PaneDivider::PaneDivider(QWidget& upper, QWidget& lower, QWidget* parent)
    : QWidget(parent), upper_(upper), lower_(lower), wanted_(upper.minimumHeight()) {
  setObjectName(QStringLiteral("Splitter1"));
  setFixedHeight(kThickness);
  setCursor(Qt::SizeVerCursor);
  setAutoFillBackground(true);
  parent->installEventFilter(this);
}

void PaneDivider::DragTo(int requestedHeight) {
  const int available = upper_.height() + lower_.height();
  wanted_ = DividedHeight(requestedHeight, available);
  upper_.setFixedHeight(wanted_);
}

void PaneDivider::RestoreWantedHeight(int height) {
  wanted_ = std::max(0, height);
  FitUpperPane();
}

bool PaneDivider::eventFilter(QObject* watched, QEvent* event) {
  if (watched == parentWidget() && event->type() == QEvent::Resize) FitUpperPane();
  return QWidget::eventFilter(watched, event);
}

void PaneDivider::FitUpperPane() {
  const int available = parentWidget()->contentsRect().height() - kThickness;
  const int height = FittedHeight(wanted_, available);
  if (height == upper_.height() && height == upper_.minimumHeight()) return;
  upper_.setFixedHeight(height);
  // The panes take their new heights now, not one layout pass after the resize.
  if (QLayout* layout = parentWidget()->layout()) layout->activate();
}

void PaneDivider::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  pressY_ = qRound(event->globalPosition().y());
  pressHeight_ = upper_.height();
}

void PaneDivider::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return QWidget::mouseMoveEvent(event);
  DragTo(pressHeight_ + qRound(event->globalPosition().y()) - pressY_);
}

}  // namespace tarnwick
