// The program entry of the window: the application titled "Tarnwick", the main window, the
// event loop; the window's shutdown steps run when it is destroyed after the loop ends.
#include <QApplication>
#include <string>
#include <vector>

#include "MainUnit.h"
#include "files/Settings.h"
#include "gui/DialogSeam.h"
#include "gui/JapaneseTranslations.h"
#include "text/Cp932.h"
#include "text/ProgramFolders.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);  // takes Qt's own options out of argv
  QApplication::setApplicationName(QStringLiteral("Tarnwick"));
  QApplication::setApplicationVersion(QStringLiteral("0.6.2.0"));
  tarnwick::InstallJapaneseTranslations(application);

  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(tarnwick::Utf8ToSjis(argv[i]));

  tarnwick::StandardDialogs dialogs;
  tarnwick::TMainForm mainForm({std::move(arguments), tarnwick::ExecutableDir()}, dialogs);
  mainForm.show();
  return QApplication::exec();
}
