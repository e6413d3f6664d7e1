#pragma once
#include <QWidget>

namespace tarnwick {

// The height the upper pane takes when the divider is dragged to `requested` pixels, with
// `available` pixels shared by both panes: the lower pane keeps at least 30 pixels, and an
// upper pane of 30 pixels or less closes entirely (height 0).
int DividedHeight(int requested, int available);

// The upper pane's height for the height it was given by the divider (`wanted`), with
// `available` pixels shared by both panes: when the panes' frame is too low for it, the upper
// pane gives way, down to the lower pane's 30 pixels.
int FittedHeight(int wanted, int available);

// The 3-pixel divider between the SQL pane above it and the result pane below it, both in
// the divider's parent. Dragging it sets the upper pane's height by the rule above; the lower
// pane takes the rest. When the parent shrinks, the upper pane gives way so that the divider
// and the lower pane stay in sight; when it grows again, the upper pane returns to the
// height the divider gave it.
class PaneDivider : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kThickness = 3;
  PaneDivider(QWidget& upper, QWidget& lower, QWidget* parent);
  // Sets the upper pane's height as a drag to that height would.
  void DragTo(int requestedHeight);
  // The upper pane's height as the divider last set it, and setting it again as it was (in
  // a later run), before the panes have their sizes: it is fitted to the room they get.
  int WantedHeight() const { return wanted_; }
  void RestoreWantedHeight(int height);
  bool eventFilter(QObject* watched, QEvent* event) override;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void FitUpperPane();

  QWidget& upper_;
  QWidget& lower_;
  int wanted_;  // the upper pane's height as the divider last set it
  int pressY_ = 0;
  int pressHeight_ = 0;
};

}  // namespace tarnwick
