#pragma once
#include <QObject>
#include <QStringList>
#include <functional>

class QMimeData;

namespace tarnwick {

// The local files in dropped data, in the order the data gives them.
QStringList DroppedLocalFiles(const QMimeData* data);

// Files dropped anywhere on the window reach the window's handler, also when they are
// dropped on one of the panes (whose own handling would paste the file names as text).
// Installed on the window and on the panes' viewports; inactive until enabled.
class FileDropFilter : public QObject {
  Q_OBJECT
 public:
  using Handler = std::function<void(const QStringList&)>;
  FileDropFilter(QObject* parent, Handler handler);
  void Enable() { enabled_ = true; }
  bool Enabled() const { return enabled_; }
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Handler handler_;
  bool enabled_ = false;
};

}  // namespace tarnwick
