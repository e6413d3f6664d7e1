#pragma once
// Watching over long statements without knowing the engine: the connection's caller supplies
// what happens while a statement runs (the window lets its events through, the runner looks
// at the clock and at Ctrl+C) and decides when a statement must stop.
#include <optional>
#include <string>

namespace tarnwick {

class StatementWatch {
 public:
  virtual ~StatementWatch() = default;

  // The console is about to run one statement of a script / has finished it.
  virtual void StatementStarted() {}
  virtual void StatementEnded() {}

  // Called every few thousand steps of the engine while any statement of the connection
  // runs. Returns why the running statement must stop (a message in Shift-JIS), or nothing
  // to let it go on. A stopped statement fails and its changes are rolled back.
  virtual std::optional<std::string> Tick() = 0;

  // True once the whole run is to end (the user stopped it): no further statement starts.
  virtual bool RunStopRequested() const { return false; }
};

}  // namespace tarnwick
