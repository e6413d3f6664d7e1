#include "support/ScriptedDialogs.h"

#include <QPageSize>
#include <QPrinter>

namespace tarnwick::test {

std::optional<QString> ScriptedDialogs::NextFileAnswer() {
  if (fileAnswers.empty() || !fileAnswers.front().has_value()) {
    if (!fileAnswers.empty()) fileAnswers.pop_front();
    return std::nullopt;
  }
  const QString answer = *fileAnswers.front();
  fileAnswers.pop_front();
  return answer;
}

std::optional<QString> ScriptedDialogs::ChooseSaveFile(QWidget*, const FileDialogSpec& spec) {
  fileDialogs.push_back({true, spec});
  return NextFileAnswer();
}

std::optional<QString> ScriptedDialogs::ChooseOpenFile(QWidget*, const FileDialogSpec& spec) {
  fileDialogs.push_back({false, spec});
  return NextFileAnswer();
}

bool ScriptedDialogs::AskYesNo(QWidget*, const QString& caption, const QString& text) {
  questions.push_back({caption, text});
  if (questionAnswers.empty()) return false;
  const bool answer = questionAnswers.front();
  questionAnswers.pop_front();
  return answer;
}

void ScriptedDialogs::ShowError(QWidget*, const QString& message) { errors << message; }

bool ScriptedDialogs::ChoosePrinter(QWidget*, QPrinter& printer) {
  ++printDialogsShown;
  if (printAnswers.empty()) return false;
  const std::optional<QString> pdfFile = printAnswers.front();
  printAnswers.pop_front();
  if (!pdfFile) return false;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(*pdfFile);
  printer.setPageSize(QPageSize(QPageSize::A4));
  return true;
}

}  // namespace tarnwick::test
