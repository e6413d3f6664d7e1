#pragma once
#include <QWidget>

namespace tarnwick {

// The height the upper pane takes when the divider is dragged to `requested` pixels, with
// `available` pixels shared by both panes: the lower pane keeps at least 30 pixels, and an
// upper pane of 30 pixels or less closes entirely (height 0).
int DividedHeight(int requested, int available);

// The 3-pixel divider between the SQL pane above it and the result pane below it. Dragging
// it sets the upper pane's height by the rule above; the lower pane takes the rest.
class PaneDivider : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kThickness = 3;
  PaneDivider(QWidget& upper, QWidget& lower, QWidget* parent);
  // Sets the upper pane's height as a drag to that height would.
  void DragTo(int requestedHeight);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  QWidget& upper_;
  QWidget& lower_;
  int pressY_ = 0;
  int pressHeight_ = 0;
};

}  // namespace tarnwick
