#pragma once
// The window's self-test (--self-test), a check of an installation: the window starts as
// usual; after its first paint the Help command runs, the help document's path goes to
// standard output, and the event loop ends with status 0 when the help shows a document and
// nothing failed, else 1.
#include "gui/DialogSeam.h"

namespace tarnwick {

class TMainForm;

// The dialogs of a self-test, which no person answers: an error goes to standard error (and
// fails the test) instead of into a box that would wait for OK.
class SelfTestDialogs : public StandardDialogs {
 public:
  void ShowError(QWidget* owner, const QString& message) override;
  bool ErrorShown() const { return errorShown_; }

 private:
  bool errorShown_ = false;
};

// Arms the self-test on a window, built with these dialogs, that is about to be shown.
void ArmSelfTest(TMainForm& form, const SelfTestDialogs& dialogs);

}  // namespace tarnwick
