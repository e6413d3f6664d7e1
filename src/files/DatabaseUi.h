#pragma once
#include <string_view>

namespace tarnwick {

// What the database commands ask of the window: the caption of the connect command and
// the busy pointer. The window implements it; tests and the runner answer it themselves.
class DatabaseUi {
 public:
  virtual ~DatabaseUi() = default;
  virtual void SetConnectCaption(std::string_view sjisCaption) = 0;
  virtual void BeginBusy() = 0;
  // Shows the arrow pointer again.
  virtual void EndBusy() = 0;
  // An error that ended an operation but not the program, as the standard error box
  // shows it. The database operations themselves throw such errors to their caller after
  // cleaning up; the caller shows them here.
  virtual void ShowError(std::string_view sjisMessage) = 0;
};

// Shows the busy pointer for a scope and the arrow pointer at its end, however it ends.
class BusyPointer {
 public:
  explicit BusyPointer(DatabaseUi& ui) : ui_(ui) { ui_.BeginBusy(); }
  ~BusyPointer() { ui_.EndBusy(); }
  BusyPointer(const BusyPointer&) = delete;
  BusyPointer& operator=(const BusyPointer&) = delete;

 private:
  DatabaseUi& ui_;
};

}  // namespace tarnwick
