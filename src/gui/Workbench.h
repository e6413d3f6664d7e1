#pragma once
// The window's workbench around the panes: the table panel, completion, the pane's SQL file,
// the notice of the result pane, what is remembered between runs (the window's state, the
// recent databases, the statement history) and the outline of the database that the panel
// and completion share. The window's handlers in WorkbenchCommands.cpp use it.
#include <QStringList>
#include <optional>

#include "console/HistoryFile.h"
#include "console/SchemaOutline.h"
#include "gui/WindowState.h"

class QSplitter;

namespace tarnwick {

class PaneNotice;
class SqlCompleter;
class SqlPaneFile;
class TablePanel;

struct Workbench {
  Workbench() : state(WindowState::DefaultPath()) {}

  WindowState state;
  bool keepHistory = true;  // [GUI] HISTORY of the settings file
  std::optional<HistoryFile> history;
  QStringList recentDatabases;  // the most recent first

  // The outline and what it was read from; read again when that changes.
  SchemaOutline outline;
  std::optional<OutlineSource> outlineSource;

  QSplitter* splitter = nullptr;
  TablePanel* panel = nullptr;
  SqlCompleter* completer = nullptr;
  SqlPaneFile* sqlFile = nullptr;
  PaneNotice* notice = nullptr;
};

// The recent databases with `path` first, at most five.
QStringList WithRecentDatabase(QStringList recent, const QString& path);

}  // namespace tarnwick
