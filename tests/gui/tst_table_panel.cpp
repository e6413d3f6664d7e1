// The table panel: off at the first start, its tables and views opening to their columns
// with Jet types and key marks, brought up to date after definitions change and on
// connecting to another database, and a double-click writing a name at the caret.
#include <QAction>
#include <QTest>

#include "gui/TablePanel.h"
#include "support/WindowUnderTest.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// Every row of the panel as "name type", a column's with its key mark ("*") and indented.
QStringList Rows(const TablePanel& panel) {
  QStringList rows;
  for (int i = 0; i < panel.topLevelItemCount(); ++i) {
    const QTreeWidgetItem* table = panel.topLevelItem(i);
    rows << (table->text(0) + " " + table->text(1)).trimmed();
    for (int j = 0; j < table->childCount(); ++j) {
      const QTreeWidgetItem* column = table->child(j);
      // Marked or not, every column has a picture, so that the names line up.
      const QString mark = column->icon(0).isNull()                         ? "(no picture)"
                           : column->toolTip(0) == QStringLiteral("主キー") ? "*"
                                                                            : "";
      rows << "  " + column->text(0) + mark + " " + column->text(1);
    }
  }
  return rows;
}

}  // namespace

class TablePanelTest : public WindowTestCase {
  Q_OBJECT

 private slots:
  void listsTablesViewsAndColumnsAndFollowsTheDefinitions() {
    TMainForm& form = window_->Form();
    TablePanel& panel = *form.Tables();
    QVERIFY(!panel.isVisible() && !form.AlShowTablePanel->isChecked());
    window_->RunSql(QStringLiteral(
        "CREATE TABLE 社員 (社員番号 COUNTER PRIMARY KEY, 氏名 TEXT(20) NOT NULL, 入社日 DATETIME);"
        "CREATE VIEW 名簿 AS SELECT 氏名 FROM 社員;"));
    form.AlShowTablePanel->trigger();
    QVERIFY(panel.isVisible());
    QCOMPARE(Rows(panel), (QStringList{"社員 テーブル", "  社員番号* COUNTER", "  氏名 TEXT(20)",
                                       "  入社日 DATETIME", "名簿 ビュー", "  氏名 TEXT(20)"}));
    panel.topLevelItem(0)->setExpanded(true);

    // A table made, a column added, a view dropped: listed anew; an open table stays open.
    window_->RunSql(
        QStringLiteral("ALTER TABLE 社員 ADD COLUMN 給与 CURRENCY; DROP VIEW 名簿; CREATE TABLE "
                       "[order items] (qty SHORT);"));
    QCOMPARE(Rows(panel), (QStringList{"社員 テーブル", "  社員番号* COUNTER", "  氏名 TEXT(20)",
                                       "  入社日 DATETIME", "  給与 CURRENCY",
                                       "order items テーブル", "  qty SHORT"}));
    QVERIFY(panel.topLevelItem(0)->isExpanded());
    // Rows changing change nothing in it.
    window_->RunSql(QStringLiteral("INSERT INTO [order items] VALUES (3);"));
    QCOMPARE(panel.topLevelItemCount(), 2);

    // Another database: its tables; none connected: a note.
    const QString other = window_->File(QStringLiteral("other.mdb"));
    WindowUnderTest::CreateDatabase(other, {"CREATE TABLE 部品 (品番 LONG)"});
    window_->dialogs.answers = {other};
    form.AlOpenDB->trigger();
    QCOMPARE(Rows(panel), (QStringList{"部品 テーブル", "  品番 LONG"}));
    form.AlDBOpen->trigger();
    QCOMPARE(Rows(panel), QStringList{"(データベースに接続していません)"});
    form.AlShowTablePanel->trigger();
    QVERIFY(!panel.isVisible());
  }

  void aDoubleClickWritesTheNameAtTheCaret() {
    TMainForm& form = window_->Form();
    TablePanel& panel = *form.Tables();
    window_->RunSql(QStringLiteral("CREATE TABLE [order items] (qty SHORT, 品名 TEXT(10));"));
    form.AlShowTablePanel->trigger();
    form.MmSql->setPlainText(QStringLiteral("SELECT  FROM "));
    QTextCursor cursor = form.MmSql->textCursor();
    cursor.setPosition(7);
    form.MmSql->setTextCursor(cursor);
    QTreeWidgetItem* table = panel.topLevelItem(0);
    table->setExpanded(true);
    emit panel.itemDoubleClicked(table->child(1), 0);
    form.MmSql->moveCursor(QTextCursor::End);
    emit panel.itemDoubleClicked(table, 0);
    QCOMPARE(form.MmSql->toPlainText(), QStringLiteral("SELECT 品名 FROM [order items]"));
    QCOMPARE(QApplication::focusWidget(), form.MmSql);
    // A double-click only writes the name; the arrow opens and closes a table.
    QVERIFY(!panel.expandsOnDoubleClick());
  }
};

QTEST_MAIN(TablePanelTest)
#include "tst_table_panel.moc"
