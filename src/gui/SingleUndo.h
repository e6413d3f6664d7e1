#pragma once
// One level of undo in the panes. Qt's editor keeps every edit for undo and offers Redo (in
// its right-click menu and on Ctrl+Shift+Z and Ctrl+Y); the window has one undo command,
// whose second use in a row undoes the undo. The panes' right-click menu runs that command
// for its Undo entry and offers no Redo, and the editor's own undo and redo keys do nothing
// (Ctrl+Z reaches the undo command as its shortcut).
#include <QObject>

class QPlainTextEdit;
class QPoint;

namespace tarnwick {

// Undoes the pane's last edit, or, right after an undo, undoes that undo.
void UndoOnce(QPlainTextEdit& pane);
// True when UndoOnce would change the pane.
bool CanUndoOnce(const QPlainTextEdit& pane);

// Gives a pane the right-click menu and the keys described above.
class SingleUndoPane : public QObject {
  Q_OBJECT
 public:
  explicit SingleUndoPane(QPlainTextEdit& pane);
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowMenu(const QPoint& position);
  QPlainTextEdit& pane_;
};

}  // namespace tarnwick
