#pragma once
// A script running in the window, and how the user stops it. While it runs the window stays
// live: between statements the console lets events through, and while a statement runs the
// engine's ticks do (at most every kEventInterval milliseconds). Esc, or the Run button,
// whose caption reads "中止(Esc)" meanwhile, stops the run: the running statement is
// interrupted and rolled back, and nothing after it runs.
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <functional>

#include "data/StatementWatch.h"

class QAction;
class QPushButton;
class QWidget;

namespace tarnwick {

class ScriptRunControl : public QObject, public StatementWatch {
  Q_OBJECT
 public:
  static constexpr int kEventInterval = 25;

  // Adds the Esc command to the window and takes over the Run button's clicks: they run
  // `run` when no script runs, and stop the running script otherwise.
  ScriptRunControl(QWidget& window, QPushButton& runButton, std::function<void()> run,
                   std::function<void()> letEventsThrough);

  // Marks a script as running for the scope, however it ends.
  class Run {
   public:
    explicit Run(ScriptRunControl& control);
    ~Run();
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

   private:
    ScriptRunControl& control_;
  };

  bool Running() const { return running_; }
  // Esc and the Run button during a run; nothing happens when no script runs.
  void RequestStop();
  QAction* StopCommand() const { return stop_; }

  std::optional<std::string> Tick() override;
  bool RunStopRequested() const override { return stopRequested_; }

 private:
  void SetRunning(bool running);

  QPushButton& runButton_;
  const QString runCaption_;
  QAction* stop_;
  std::function<void()> letEventsThrough_;
  QElapsedTimer sinceEvents_;
  bool running_ = false;
  bool stopRequested_ = false;
};

}  // namespace tarnwick
