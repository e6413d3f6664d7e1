#include "gui/DialogFolders.h"

#include <QDir>
#include <QFileInfo>

namespace tarnwick {

QString DialogFolders::FolderFor(FileKind kind, const QString& databaseFolder) const {
  if (const auto remembered = folders_.find(kind); remembered != folders_.end()) {
    return remembered->second;
  }
  const QString start = kind == FileKind::Database ? databaseFolder : QString();
  return QDir::cleanPath(QDir::current().absoluteFilePath(start));
}

void DialogFolders::Remember(FileKind kind, const QString& chosenPath) {
  folders_[kind] = QFileInfo(QDir::current().absoluteFilePath(chosenPath)).absolutePath();
}

QString DialogFolders::Remembered(FileKind kind) const {
  const auto remembered = folders_.find(kind);
  return remembered != folders_.end() ? remembered->second : QString();
}

void DialogFolders::RememberFolder(FileKind kind, const QString& folder) {
  if (!folder.isEmpty()) folders_[kind] = folder;
}

}  // namespace tarnwick
