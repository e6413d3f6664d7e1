#pragma once
// Keeps the end of a pane in view while the reader is at its end: when the pane gets lower
// (the window made smaller, the divider moved) its last lines stay in sight instead of its
// first. A reader who has scrolled up keeps the place.
#include <QObject>

class QPlainTextEdit;

namespace tarnwick {

class ResultPaneFollower : public QObject {
  Q_OBJECT
 public:
  explicit ResultPaneFollower(QPlainTextEdit& pane);

 private:
  QPlainTextEdit& pane_;
  bool atEnd_ = true;
};

}  // namespace tarnwick
