#include "gui/WindowShortcutsFirst.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

namespace tarnwick {

WindowShortcutsFirst::WindowShortcutsFirst(QWidget& window) : QObject(&window), window_(window) {}

bool WindowShortcutsFirst::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride) return QObject::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  const QKeySequence pressed(key->keyCombination());
  for (const QAction* action : window_.actions()) {
    if (action->shortcut().matches(pressed) == QKeySequence::ExactMatch) {
      // Not accepting the override leaves the key to the shortcut map, that is to the action.
      event->ignore();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace tarnwick
