#include "support/WindowUnderTest.h"

#include <QFile>
#include <QTest>

namespace tarnwick::test {

HomeWhile::HomeWhile(const QString& home)
    : home_(qgetenv("HOME")),
      configHome_(qgetenv("XDG_CONFIG_HOME")),
      dataHome_(qgetenv("XDG_DATA_HOME")) {
  QDir().mkpath(home);
  qputenv("HOME", home.toLocal8Bit());
  qunsetenv("XDG_CONFIG_HOME");
  qunsetenv("XDG_DATA_HOME");
}

HomeWhile::~HomeWhile() {
  qputenv("HOME", home_);
  for (const auto& [name, value] :
       {std::pair{"XDG_CONFIG_HOME", configHome_}, std::pair{"XDG_DATA_HOME", dataHome_}}) {
    if (value.isEmpty()) {
      qunsetenv(name);
    } else {
      qputenv(name, value);
    }
  }
}

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
