#pragma once
#include <QApplication>
#include <QDir>
#include <QObject>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "gui/MainUnit.h"
#include "gui/PaneText.h"
#include "support/ScriptedDialogs.h"
#include "support/TestDatabase.h"

namespace tarnwick::test {

// The user's home folder moved to a folder for the scope, with the configuration and data
// folders in it: what the window keeps for its user goes there.
class HomeWhile {
 public:
  explicit HomeWhile(const QString& home);
  ~HomeWhile();
  HomeWhile(const HomeWhile&) = delete;
  HomeWhile& operator=(const HomeWhile&) = delete;

 private:
  QByteArray home_, configHome_, dataHome_;
};

// A main window started in a fresh temporary working folder, with its dialogs answered by
// a script. The executable's folder is the subfolder "exe" of it (no settings file unless a
// test writes one) and the user's home folder the subfolder "home", so nothing outside the
// temporary folder is touched.
class WindowUnderTest {
 public:
  WindowUnderTest()
      : previousDir_(QDir::currentPath()), home_(dir_.filePath(QStringLiteral("home"))) {
    QDir(dir_.path()).mkdir(QStringLiteral("exe"));
    QDir::setCurrent(dir_.path());
  }
  ~WindowUnderTest() {
    Destroy();
    QDir::setCurrent(previousDir_);
  }
  WindowUnderTest(const WindowUnderTest&) = delete;
  WindowUnderTest& operator=(const WindowUnderTest&) = delete;

  // A path in the working folder / in the executable's folder.
  QString File(const QString& name) const { return dir_.filePath(name); }
  QString ExeFile(const QString& name) const { return File(QStringLiteral("exe/") + name); }
  // Writes the empty template database at the path and runs statements (UTF-8) on it.
  static void CreateDatabase(const QString& path, const std::vector<std::string>& statements = {}) {
    MakeDatabaseWith(ConsolePath(path), statements);
  }
  // Writes a file with this UTF-8 text.
  static void WriteText(const QString& path, const QString& text);

  // Builds the window with these command-line arguments, shows it and makes it active.
  TMainForm& Start(const QStringList& arguments);
  // Starts with a fresh database "test.mdb" in the working folder as the argument.
  TMainForm& StartWithDatabase() {
    CreateDatabase(File(QStringLiteral("test.mdb")));
    return Start({QStringLiteral("test.mdb")});
  }
  TMainForm& Form() { return *form_; }
  // Destroys the window: the shutdown steps run.
  void Destroy() { form_.reset(); }

  QString ResultText() const { return form_->MmResult->toPlainText(); }
  // Forgets what the result pane holds so far; ResultSinceMark gives only what came later.
  void MarkResult() { mark_ = ResultText().size(); }
  QString ResultSinceMark() const { return ResultText().mid(mark_); }
  // Types text into the SQL pane (replacing its text) and presses F5.
  void RunSql(const QString& sql) {
    form_->MmSql->setPlainText(sql);
    form_->MmSql->setFocus();
    Press(QKeyCombination(Qt::Key_F5));
  }
  // Presses a key combination in the widget that has the focus.
  void Press(QKeyCombination keys);

  ScriptedDialogs dialogs;

 private:
  QTemporaryDir dir_;
  QString previousDir_;
  HomeWhile home_;
  std::unique_ptr<TMainForm> form_;
  qsizetype mark_ = 0;
};

// A test class whose every test function gets a fresh window, started on a fresh database
// "test.mdb" in its own temporary folder, with the result pane marked after the start-up.
class WindowTestCase : public QObject {
  Q_OBJECT

 protected slots:
  void init() {
    window_ = std::make_unique<WindowUnderTest>();
    window_->StartWithDatabase();
    window_->MarkResult();
  }
  void cleanup() { window_.reset(); }

 protected:
  std::unique_ptr<WindowUnderTest> window_;
};

// Ctrl and a key, as pressed for a shortcut.
inline QKeyCombination Ctrl(Qt::Key key) { return QKeyCombination(Qt::ControlModifier, key); }

}  // namespace tarnwick::test
