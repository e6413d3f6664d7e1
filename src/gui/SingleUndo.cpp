#include "gui/SingleUndo.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextDocument>

namespace tarnwick {

void UndoOnce(QPlainTextEdit& pane) {
  // A redo is available only right after an undo (any edit clears it), so a second undo in
  // a row takes the undo back.
  if (pane.document()->isRedoAvailable()) {
    pane.redo();
  } else {
    pane.undo();
  }
}

bool CanUndoOnce(const QPlainTextEdit& pane) {
  return pane.document()->isUndoAvailable() || pane.document()->isRedoAvailable();
}

SingleUndoPane::SingleUndoPane(QPlainTextEdit& pane) : QObject(&pane), pane_(pane) {
  pane_.setContextMenuPolicy(Qt::CustomContextMenu);
  connect(&pane_, &QPlainTextEdit::customContextMenuRequested, this, &SingleUndoPane::ShowMenu);
  pane_.installEventFilter(this);
}

bool SingleUndoPane::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->matches(QKeySequence::Redo) || key->matches(QKeySequence::Undo)) {
      // The override is left to the window's shortcuts (Ctrl+Z); the key itself is eaten.
      if (event->type() == QEvent::ShortcutOverride) return false;
      key->accept();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

void SingleUndoPane::ShowMenu(const QPoint& position) {
  QPointer<QMenu> menu = pane_.createStandardContextMenu(pane_.viewport()->mapToGlobal(position));
  for (QAction* action : menu->actions()) {
    if (action->objectName() == QLatin1String("edit-redo")) {
      menu->removeAction(action);
    } else if (action->objectName() == QLatin1String("edit-undo")) {
      action->disconnect();
      action->setEnabled(CanUndoOnce(pane_));
      connect(action, &QAction::triggered, &pane_, [this] { UndoOnce(pane_); });
    }
  }
  menu->exec(pane_.viewport()->mapToGlobal(position));
  delete menu;
}

}  // namespace tarnwick
