#pragma once
#include <QPageSize>
#include <QPrinter>
#include <deque>
#include <optional>

#include "gui/DialogSeam.h"

namespace tarnwick::test {

// Answers the window's dialogs from one queue of prepared answers, in the order they are
// shown, and records each dialog as a line of text. A file dialog chooses the answer's path,
// a question is answered Yes by "yes", the print dialog prints to the PDF file the answer
// names (on A4 paper). An empty answer, or none left, cancels the dialog (answers No). A save
// dialog that tells its filter chooses the next of `filters`.
class ScriptedDialogs : public DialogSeam {
 public:
  std::deque<QString> answers;
  // "save <name> <filter> <default extension>" or "open ...", "ask <caption>: <text> [Yes]"
  // (or [No]: the preselected answer), "print".
  QStringList shown;
  QStringList errors;
  // The folder each file dialog opened in.
  QStringList folders;
  // The filter entry each save dialog that tells it chooses, in order; none left: the first.
  std::deque<int> filters;

  std::optional<QString> ChooseSaveFile(QWidget*, const FileDialogSpec& spec) override {
    return ChooseFile("save", spec);
  }
  std::optional<QString> ChooseOpenFile(QWidget*, const FileDialogSpec& spec) override {
    return ChooseFile("open", spec);
  }
  std::optional<ChosenFile> ChooseSaveFileAndFilter(QWidget*, const FileDialogSpec& spec) override {
    const std::optional<QString> path = ChooseFile("save", spec);
    int filter = 0;
    if (!filters.empty()) {
      filter = filters.front();
      filters.pop_front();
    }
    if (!path) return std::nullopt;
    return ChosenFile{*path, filter};
  }
  bool AskYesNo(QWidget*, const QString& caption, const QString& text,
                DefaultAnswer preselected) override {
    shown << QStringLiteral("ask %1: %2 [%3]")
                 .arg(caption, text, preselected == DefaultAnswer::Yes ? "Yes" : "No");
    return Next() == QStringLiteral("yes");
  }
  // "yes" and "no" answer so; anything else cancels.
  Answer AskYesNoCancel(QWidget*, const QString& caption, const QString& text) override {
    shown << QStringLiteral("ask %1: %2").arg(caption, text);
    const QString answer = Next();
    if (answer == QStringLiteral("yes")) return Answer::Yes;
    if (answer == QStringLiteral("no")) return Answer::No;
    return Answer::Cancel;
  }
  void ShowError(QWidget*, const QString& message) override { errors << message; }
  bool ChoosePrinter(QWidget*, QPrinter& printer) override {
    shown << QStringLiteral("print");
    const QString pdfFile = Next();
    if (pdfFile.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfFile);
    printer.setPageSize(QPageSize(QPageSize::A4));
    return true;
  }

 private:
  std::optional<QString> ChooseFile(const char* kind, const FileDialogSpec& spec) {
    shown << QStringLiteral("%1 %2 %3 %4").arg(kind, spec.name, spec.filter, spec.defaultExtension);
    folders << spec.folder;
    const QString path = Next();
    if (path.isEmpty()) return std::nullopt;
    return path;
  }
  QString Next() {
    if (answers.empty()) return {};
    const QString answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace tarnwick::test
