#pragma once
// The table panel beside the panes: the database's tables and views, each opening to its
// columns with their Jet types, key columns marked. A double-click writes the name (in
// brackets when it needs them) at the SQL pane's caret.
#include <QTreeWidget>

#include "console/SchemaOutline.h"

namespace tarnwick {

class TablePanel : public QTreeWidget {
  Q_OBJECT
 public:
  explicit TablePanel(QWidget* parent);
  // Lists the outline, keeping open the tables that were open; `connected` false shows that
  // no database is connected.
  void Show(const SchemaOutline& outline, bool connected);

 signals:
  // The name as a statement writes it.
  void NameChosen(const QString& writtenName);

 private:
  void Choose(QTreeWidgetItem* item);
};

// The picture that marks a key column: a small key.
QIcon KeyColumnIcon();

}  // namespace tarnwick
