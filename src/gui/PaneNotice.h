#pragma once
// A short notice shown for a few seconds in the lower right corner of a pane, over its text:
// the status of the pane, for what is not part of the transcript ("実行中です。Esc で中止で
// きます" when a command must wait for the running statements).
#include <QLabel>
#include <QTimer>

namespace tarnwick {

class PaneNotice : public QLabel {
  Q_OBJECT
 public:
  static constexpr int kShownMilliseconds = 4000;
  explicit PaneNotice(QWidget& pane);
  void Show(const QString& text);
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Place();
  QWidget& pane_;
  QTimer hide_;
};

}  // namespace tarnwick
