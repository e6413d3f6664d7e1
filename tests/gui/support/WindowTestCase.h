#pragma once
#include <QObject>
#include <memory>

#include "support/WindowUnderTest.h"

namespace tarnwick::test {

// A test class whose every test function gets a fresh window, started on a fresh database
// "test.mdb" in its own temporary folder, with the result pane marked after the start-up.
class WindowTestCase : public QObject {
  Q_OBJECT

 protected slots:
  void init() {
    window_ = std::make_unique<WindowUnderTest>();
    window_->StartWithDatabase();
    window_->MarkResult();
  }
  void cleanup() { window_.reset(); }

 protected:
  std::unique_ptr<WindowUnderTest> window_;
};

// Ctrl and a key, as pressed for a shortcut.
inline QKeyCombination Ctrl(Qt::Key key) { return QKeyCombination(Qt::ControlModifier, key); }

}  // namespace tarnwick::test
