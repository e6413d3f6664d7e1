#include "support/ScriptedDialogs.h"

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

}  // namespace tarnwick::test
