#pragma once
// The command line of the window tarnwick, read before the application connects to a
// display, so that --help, --version and a wrong option are answered without one.
#include <QString>
#include <QStringList>

namespace tarnwick {

struct WindowCommandLine {
  enum class Action { OpenWindow, ShowHelp, ShowVersion, Refuse };
  Action action = Action::OpenWindow;
  QStringList files;      // the arguments that are not options; the first may name the database
  bool selfTest = false;  // --self-test
  QString error;          // Refuse: what is wrong, one line without its end
};

// Parses the arguments after the program name. Qt's own options (-platform, -style, ...)
// are known and left to the application, which takes them out of argv itself.
WindowCommandLine ParseWindowCommandLine(const QStringList& arguments);

// The usage text of --help (LF line ends).
QString WindowUsageText();

}  // namespace tarnwick
