#pragma once
// The file dialogs of SQL files: the one that opens a file to run it or to read it into the
// SQL pane, and the one that saves the pane.
#include "gui/DialogSeam.h"

namespace tarnwick {

inline const QString kSqlFileFilter = QStringLiteral(
    "SQLファイル(*.sql)|*.sql|テキストファイル(*.txt)|*.txt|全てのファイル(*.*)|*.*");

inline const FileDialogSpec kODialogSQL{QStringLiteral("ODialogSQL"), kSqlFileFilter, QString(),
                                        FileKind::SqlScript};
inline const FileDialogSpec kSDialogSQL{QStringLiteral("SDialogSQL"), kSqlFileFilter,
                                        QStringLiteral(".sql"), FileKind::SqlScript};

}  // namespace tarnwick
