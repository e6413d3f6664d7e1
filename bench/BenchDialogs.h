#pragma once
// The window's dialogs in a benchmark, answered without a person: a save dialog takes the
// path set in `saveAs` once (then cancels), every other dialog cancels, every question is
// answered No, and an error box is printed and counted as a failure.
#include <QByteArray>
#include <QString>
#include <cstdio>
#include <optional>
#include <utility>

#include "gui/DialogSeam.h"

namespace tarnwick::bench {

class BenchDialogs : public DialogSeam {
 public:
  std::optional<QString> ChooseSaveFile(QWidget*, const FileDialogSpec&) override {
    return std::exchange(saveAs, std::nullopt);
  }
  std::optional<QString> ChooseOpenFile(QWidget*, const FileDialogSpec&) override { return {}; }
  bool AskYesNo(QWidget*, const QString&, const QString&, DefaultAnswer) override { return false; }
  Answer AskYesNoCancel(QWidget*, const QString&, const QString&) override { return Answer::No; }
  void ShowError(QWidget*, const QString& message) override {
    std::fprintf(stderr, "error box: %s\n", qPrintable(message));
    failed = true;
  }

  std::optional<QString> saveAs;
  bool failed = false;
};

// What the window keeps for its user (its state, the statement history) goes into the
// benchmark's own folder, not into the home folder of whoever runs it.
inline void KeepUserFilesIn(const QString& folder) {
  qputenv("HOME", folder.toLocal8Bit());
  qunsetenv("XDG_CONFIG_HOME");
  qunsetenv("XDG_DATA_HOME");
}

}  // namespace tarnwick::bench
