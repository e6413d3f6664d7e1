#pragma once
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "MainUnit.h"
#include "support/ScriptedDialogs.h"

namespace tarnwick::test {

// A main window started in a fresh temporary working folder, with its dialogs answered by
// a script. The executable's folder is the subfolder "exe" of it (no settings file unless a
// test writes one), so nothing outside the temporary folder is touched.
class WindowUnderTest {
 public:
  WindowUnderTest();
  ~WindowUnderTest();
  WindowUnderTest(const WindowUnderTest&) = delete;
  WindowUnderTest& operator=(const WindowUnderTest&) = delete;

  // A path in the working folder / in the executable's folder.
  QString File(const QString& name) const;
  QString ExeFile(const QString& name) const;
  // Writes the empty template database (and nothing else) at the path.
  static void CreateDatabase(const QString& path);
  // Writes the empty template database at the path and runs statements (UTF-8) on it.
  static void CreateDatabaseWith(const QString& path, const QStringList& statements);
  // Writes a file with UTF-8 text.
  static void WriteText(const QString& path, const QString& text);

  // Builds the window with these command-line arguments, shows it and makes it active.
  TMainForm& Start(const QStringList& arguments);
  // Starts with a fresh database "test.mdb" in the working folder as the argument.
  TMainForm& StartWithDatabase();
  TMainForm& Form() { return *form_; }
  // Destroys the window: the shutdown steps run.
  void Destroy();

  // The result pane's text, and its text after `mark` characters.
  QString ResultText() const;
  // Forgets what the result pane holds so far; ResultSinceMark gives only what came later.
  void MarkResult();
  QString ResultSinceMark() const;
  // Types text into the SQL pane (replacing its text) and presses F5.
  void RunSql(const QString& sql);
  // Presses a key combination in the widget that has the focus.
  void Press(QKeyCombination keys);

  ScriptedDialogs dialogs;

 private:
  QTemporaryDir dir_;
  QString previousDir_;
  std::unique_ptr<TMainForm> form_;
  qsizetype mark_ = 0;
};

// Lines of a pane text ('\n' separated, the empty piece after a final break included).
QStringList Lines(const QString& text);

}  // namespace tarnwick::test
