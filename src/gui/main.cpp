// The program entry of the window: the command line, then the application titled "Tarnwick",
// the main window, the event loop; the window's shutdown steps run when it is destroyed after
// the loop ends.
#include <QApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "gui/MainUnit.h"
#include "gui/DialogSeam.h"
#include "gui/JapaneseTranslations.h"
#include "gui/SelfTest.h"
#include "gui/WindowCommandLine.h"
#include "text/Cp932.h"
#include "text/ProgramFolders.h"
#include "text/ProgramInfo.h"

int main(int argc, char* argv[]) {
  using tarnwick::WindowCommandLine;
  // Read before the application exists: --help, --version and a wrong option need no
  // display, and touch no database.
  QStringList rawArguments;
  for (int i = 1; i < argc; ++i) rawArguments.append(QString::fromLocal8Bit(argv[i]));
  const WindowCommandLine commandLine = tarnwick::ParseWindowCommandLine(rawArguments);
  switch (commandLine.action) {
    case WindowCommandLine::Action::ShowHelp:
      std::fputs(qUtf8Printable(tarnwick::WindowUsageText()), stdout);
      return 0;
    case WindowCommandLine::Action::ShowVersion:
      std::fputs(tarnwick::VersionText("tarnwick").c_str(), stdout);
      return 0;
    case WindowCommandLine::Action::Refuse:
      std::fprintf(stderr, "tarnwick: %s。使い方は tarnwick --help で表示されます\n",
                   qUtf8Printable(commandLine.error));
      return 2;
    case WindowCommandLine::Action::OpenWindow:
      break;
  }

  QApplication application(argc, argv);  // takes Qt's own options out of argv
  QApplication::setApplicationName(QStringLiteral("Tarnwick"));
  QApplication::setApplicationVersion(QString::fromLatin1(tarnwick::ProgramVersion()));
  QGuiApplication::setDesktopFileName(QStringLiteral("tarnwick"));
  tarnwick::InstallJapaneseTranslations(application);

  std::vector<std::string> files;
  for (const QString& file : commandLine.files)
    files.push_back(tarnwick::Utf8ToSjis(file.toStdString()));

  tarnwick::StandardDialogs standardDialogs;
  tarnwick::SelfTestDialogs selfTestDialogs;
  tarnwick::DialogSeam& dialogs =
      commandLine.selfTest ? static_cast<tarnwick::DialogSeam&>(selfTestDialogs) : standardDialogs;
  int status = 0;
  {
    tarnwick::TMainForm mainForm({std::move(files), tarnwick::ExecutableDir()}, dialogs);
    if (commandLine.selfTest) tarnwick::ArmSelfTest(mainForm, selfTestDialogs);
    mainForm.show();
    status = QApplication::exec();
  }  // the shutdown steps, whose failures a self-test counts too
  return commandLine.selfTest && selfTestDialogs.ErrorShown() ? 1 : status;
}
