#include "gui/PaneDivider.h"

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

PaneDivider::PaneDivider(QWidget& upper, QWidget& lower, QWidget* parent)
    : QWidget(parent), upper_(upper), lower_(lower) {
  setObjectName(QStringLiteral("Splitter1"));
  setFixedHeight(kThickness);
  setCursor(Qt::SizeVerCursor);
  setAutoFillBackground(true);
}

void PaneDivider::DragTo(int requestedHeight) {
  const int available = upper_.height() + lower_.height();
  upper_.setFixedHeight(DividedHeight(requestedHeight, available));
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
