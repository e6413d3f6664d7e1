#pragma once
#include <QObject>

class QWidget;

namespace tarnwick {

// Lets the window's command shortcuts win over an editor's own keys. Qt's text editors claim
// several key combinations for themselves (Ctrl+K, Ctrl+A, Ctrl+Z, ...) by accepting the
// shortcut-override event; installed on an editor, this filter stops that for every key
// combination that one of the window's actions has as its shortcut, so the action runs.
class WindowShortcutsFirst : public QObject {
  Q_OBJECT
 public:
  explicit WindowShortcutsFirst(QWidget& window);
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
};

}  // namespace tarnwick
