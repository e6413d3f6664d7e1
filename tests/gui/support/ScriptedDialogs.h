#pragma once
#include <QPageSize>
#include <QPrinter>
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

  std::optional<QString> ChooseSaveFile(QWidget*, const FileDialogSpec& spec) override {
    fileDialogs.push_back({true, spec});
    return Next(fileAnswers, {});
  }
  std::optional<QString> ChooseOpenFile(QWidget*, const FileDialogSpec& spec) override {
    fileDialogs.push_back({false, spec});
    return Next(fileAnswers, {});
  }
  bool AskYesNo(QWidget*, const QString& caption, const QString& text) override {
    questions.push_back({caption, text});
    return Next(questionAnswers, false);
  }
  void ShowError(QWidget*, const QString& message) override { errors << message; }
  bool ChoosePrinter(QWidget*, QPrinter& printer) override {
    ++printDialogsShown;
    const std::optional<QString> pdfFile = Next(printAnswers, {});
    if (!pdfFile) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(*pdfFile);
    printer.setPageSize(QPageSize(QPageSize::A4));
    return true;
  }

 private:
  // The next prepared answer, taken from the queue, or `none` when the queue is empty.
  template <typename T>
  static T Next(std::deque<T>& answers, T none) {
    if (answers.empty()) return none;
    none = answers.front();
    answers.pop_front();
    return none;
  }
};

}  // namespace tarnwick::test
