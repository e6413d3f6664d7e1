#pragma once
#include <deque>
#include <optional>
#include <vector>

#include "gui/DialogSeam.h"

namespace tarnwick::test {

// Answers the window's dialogs from prepared answers and records every dialog shown.
// A dialog without a prepared answer is cancelled (a question is answered No).
class ScriptedDialogs : public DialogSeam {
 public:
  struct FileDialog {
    bool save;
    FileDialogSpec spec;
  };
  struct Question {
    QString caption;
    QString text;
  };

  std::deque<std::optional<QString>> fileAnswers;
  std::deque<bool> questionAnswers;
  // The print dialog prints to the PDF file named (on A4 paper), or is cancelled.
  std::deque<std::optional<QString>> printAnswers;

  std::vector<FileDialog> fileDialogs;
  std::vector<Question> questions;
  QStringList errors;
  int printDialogsShown = 0;

  std::optional<QString> ChooseSaveFile(QWidget* owner, const FileDialogSpec& spec) override;
  std::optional<QString> ChooseOpenFile(QWidget* owner, const FileDialogSpec& spec) override;
  bool AskYesNo(QWidget* owner, const QString& caption, const QString& text) override;
  void ShowError(QWidget* owner, const QString& message) override;
  bool ChoosePrinter(QWidget* owner, QPrinter& printer) override;

 private:
  std::optional<QString> NextFileAnswer();
};

}  // namespace tarnwick::test
