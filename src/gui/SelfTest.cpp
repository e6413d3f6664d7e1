#include "gui/SelfTest.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <cstdio>

#include "gui/MainUnit.h"
#include "gui/HelpViewer.h"

namespace tarnwick {
namespace {

// Opens the help and ends the event loop with the outcome.
void CheckHelp(TMainForm& form, const SelfTestDialogs& dialogs) {
  form.AlHelp->trigger();
  const QUrl source = form.Help() != nullptr ? form.Help()->Browser()->source() : QUrl();
  if (source.isLocalFile()) {
    std::printf("ヘルプ: %s\n", qUtf8Printable(source.toLocalFile()));
  } else {
    std::printf("ヘルプが見つかりません\n");
  }
  std::fflush(stdout);
  QCoreApplication::exit(source.isLocalFile() && !dialogs.ErrorShown() ? 0 : 1);
}

// Runs the check once the result pane has been painted for the first time, after the paint.
class FirstPaintWatcher : public QObject {
 public:
  FirstPaintWatcher(TMainForm& form, const SelfTestDialogs& dialogs)
      : QObject(&form), form_(form), dialogs_(dialogs) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      QTimer::singleShot(0, &form_, [this] { CheckHelp(form_, dialogs_); });
    }
    return false;
  }

 private:
  TMainForm& form_;
  const SelfTestDialogs& dialogs_;
};

}  // namespace

void SelfTestDialogs::ShowError(QWidget*, const QString& message) {
  std::fprintf(stderr, "tarnwick: %s\n", qUtf8Printable(message));
  errorShown_ = true;
}

void ArmSelfTest(TMainForm& form, const SelfTestDialogs& dialogs) {
  form.MmResult->viewport()->installEventFilter(new FirstPaintWatcher(form, dialogs));
}

}  // namespace tarnwick
