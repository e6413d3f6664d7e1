#include "gui/ScriptRunControl.h"

#include <QAction>
#include <QPushButton>
#include <QWidget>

#include "console/ReportError.h"

namespace tarnwick {

namespace {
const char* const kStopCaption = "中止(Esc)";
}  // namespace

ScriptRunControl::ScriptRunControl(QWidget& window, QPushButton& runButton,
                                   std::function<void()> run,
                                   std::function<void()> letEventsThrough)
    : QObject(&window),
      runButton_(runButton),
      runCaption_(runButton.text()),
      stop_(new QAction(QStringLiteral("中止"), &window)),
      letEventsThrough_(std::move(letEventsThrough)) {
  stop_->setObjectName(QStringLiteral("AlStopRun"));
  stop_->setShortcut(QKeySequence(Qt::Key_Escape));
  stop_->setShortcutContext(Qt::WindowShortcut);
  window.addAction(stop_);
  connect(stop_, &QAction::triggered, this, &ScriptRunControl::RequestStop);
  connect(&runButton_, &QPushButton::clicked, this, [this, run = std::move(run)] {
    if (running_) {
      RequestStop();
    } else {
      run();
    }
  });
}

void ScriptRunControl::RequestStop() {
  if (running_) stopRequested_ = true;
}

void ScriptRunControl::SetRunning(bool running) {
  running_ = running;
  stopRequested_ = false;
  runButton_.setText(running ? QString::fromUtf8(kStopCaption) : runCaption_);
  if (running) sinceEvents_.start();
}

ScriptRunControl::Run::Run(ScriptRunControl& control) : control_(control) {
  control_.SetRunning(true);
}

ScriptRunControl::Run::~Run() { control_.SetRunning(false); }

std::optional<std::string> ScriptRunControl::Tick() {
  // Statements of the database commands (an import) run without letting events through:
  // a command started meanwhile would use the connection inside the running statement.
  if (!running_) return std::nullopt;
  if (sinceEvents_.elapsed() >= kEventInterval) {
    letEventsThrough_();
    sinceEvents_.start();
  }
  if (stopRequested_) return RunStoppedMessage();
  return std::nullopt;
}

}  // namespace tarnwick
