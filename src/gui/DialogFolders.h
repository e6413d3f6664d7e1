#pragma once
// The folder each kind of file dialog opens in, remembered while the program runs.
#include <QString>
#include <map>

#include "gui/DialogSeam.h"

namespace tarnwick {

class DialogFolders {
 public:
  // The folder of the file last chosen for this kind; before any, the current database's
  // folder for database dialogs (empty: the working folder) and the working folder for the
  // others. Always an absolute path.
  QString FolderFor(FileKind kind, const QString& databaseFolder) const;
  // Remembers the folder of a file chosen in a dialog of this kind.
  void Remember(FileKind kind, const QString& chosenPath);
  // The folder remembered for a kind (empty: none), and one remembered in an earlier run.
  QString Remembered(FileKind kind) const;
  void RememberFolder(FileKind kind, const QString& folder);

 private:
  std::map<FileKind, QString> folders_;
};

}  // namespace tarnwick
