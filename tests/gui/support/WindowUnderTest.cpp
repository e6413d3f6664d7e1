#include "support/WindowUnderTest.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTest>

#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/TemplateDatabase.h"
#include "data/Udl.h"
#include "gui/PaneText.h"

namespace tarnwick::test {

WindowUnderTest::WindowUnderTest() : previousDir_(QDir::currentPath()) {
  QDir(dir_.path()).mkdir(QStringLiteral("exe"));
  QDir::setCurrent(dir_.path());
}

WindowUnderTest::~WindowUnderTest() {
  Destroy();
  QDir::setCurrent(previousDir_);
}

QString WindowUnderTest::File(const QString& name) const { return dir_.filePath(name); }

QString WindowUnderTest::ExeFile(const QString& name) const {
  return dir_.filePath(QStringLiteral("exe/") + name);
}

void WindowUnderTest::CreateDatabase(const QString& path, const QStringList& statements) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
  const std::string_view bytes = TemplateDatabase();
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  file.close();
  if (statements.isEmpty()) return;
  const std::string udl = ConsolePath(path + QStringLiteral(".setup.udl"));
  WriteUdlFile(udl, ConsolePath(path));
  {
    Connection connection;
    connection.SetConnectionString("FILE NAME=" + udl);
    Query query(connection);
    for (const QString& statement : statements) {
      query.SetSql(ConsolePath(statement));
      query.ExecSql();
    }
    connection.Close();
  }
  QFile::remove(path + QStringLiteral(".setup.udl"));
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

TMainForm& WindowUnderTest::StartWithDatabase() {
  CreateDatabase(File(QStringLiteral("test.mdb")));
  return Start({QStringLiteral("test.mdb")});
}

QString WindowUnderTest::ResultText() const { return form_->MmResult->toPlainText(); }

void WindowUnderTest::RunSql(const QString& sql) {
  form_->MmSql->setPlainText(sql);
  form_->MmSql->setFocus();
  Press(QKeyCombination(Qt::Key_F5));
}

void WindowUnderTest::Press(QKeyCombination keys) {
  QWidget* target = QApplication::focusWidget();
  if (target == nullptr) target = form_.get();
  QTest::keyClick(target, keys.key(), keys.keyboardModifiers());
}

}  // namespace tarnwick::test
