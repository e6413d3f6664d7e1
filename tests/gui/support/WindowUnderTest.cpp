#include "support/WindowUnderTest.h"

#include <QFile>
#include <QTest>

#include "data/Connection.h"
#include "data/Dataset.h"
#include "data/TemplateDatabase.h"
#include "data/Udl.h"

namespace tarnwick::test {

void WindowUnderTest::CreateDatabase(const QString& path, const QStringList& statements) {
  const std::string_view bytes = TemplateDatabase();
  WriteFile(path, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
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

void WindowUnderTest::WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
  file.write(bytes);
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
