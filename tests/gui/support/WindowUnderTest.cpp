#include "support/WindowUnderTest.h"

#include <QFile>
#include <QTest>

namespace tarnwick::test {

void WindowUnderTest::WriteText(const QString& path, const QString& text) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
  file.write(text.toUtf8());
}

TMainForm& WindowUnderTest::Start(const QStringList& arguments) {
  StartUpArguments startUp;
  for (const QString& argument : arguments) startUp.arguments.push_back(ConsolePath(argument));
  startUp.exeDir = ConsolePath(ExeFile(QString()));
  form_ = std::make_unique<TMainForm>(std::move(startUp), dialogs);
  form_->show();
  form_->activateWindow();
  if (!QTest::qWaitForWindowActive(form_.get())) qWarning("the window did not become active");
  return *form_;
}

void WindowUnderTest::Press(QKeyCombination keys) {
  QWidget* target = QApplication::focusWidget();
  if (target == nullptr) target = form_.get();
  QTest::keyClick(target, keys.key(), keys.keyboardModifiers());
}

}  // namespace tarnwick::test
