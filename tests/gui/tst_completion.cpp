// Completion in the SQL pane: Ctrl+Space lists what may stand at the caret, a "." after a
// table opens its columns, Enter or Tab writes the choice, the names follow the database's
// definitions, and nothing opens while the input method composes.
#include <QAbstractItemView>
#include <QInputMethodEvent>
#include <QTest>

#include "gui/SqlCompleter.h"
#include "support/WindowUnderTest.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// What the open list shows, one row to an entry.
QStringList Listed(QAbstractItemView* list) {
  QStringList rows;
  if (!list->isVisible()) return rows;
  const QAbstractItemModel* model = list->model();
  for (int row = 0; row < model->rowCount(); ++row) rows << model->index(row, 0).data().toString();
  return rows;
}

// Types text into the SQL pane at its caret, a key at a time, as a person would.
void Type(QPlainTextEdit& pane, const QString& text) { QTest::keyClicks(&pane, text); }

}  // namespace

class CompletionTest : public WindowTestCase {
  Q_OBJECT

 private slots:
  void init() {
    WindowTestCase::init();
    window_->RunSql(QStringLiteral(
        "CREATE TABLE 社員 (社員番号 COUNTER PRIMARY KEY, 氏名 TEXT(20), 部署 TEXT(10));"
        "CREATE TABLE 部署一覧 (部署 TEXT(10) PRIMARY KEY);"));
    window_->Form().MmSql->clear();
    window_->Form().MmSql->setFocus();
  }

  void ctrlSpaceListsTablesAndEnterWritesTheChoice() {
    TMainForm& form = window_->Form();
    QAbstractItemView* list = form.Completer()->Popup();
    Type(*form.MmSql, QStringLiteral("SELECT * FROM "));
    form.MmSql->insertPlainText(QStringLiteral("部"));  // a word the input method gave
    window_->Press(QKeyCombination(Qt::ControlModifier, Qt::Key_Space));
    QCOMPARE(Listed(list), QStringList{QStringLiteral("部署一覧")});
    QTest::keyClick(list, Qt::Key_Return);
    QVERIFY(!list->isVisible());
    QCOMPARE(form.MmSql->toPlainText(), QStringLiteral("SELECT * FROM 部署一覧"));

    // Typing narrows the list; Esc closes it and leaves the text.
    form.MmSql->clear();
    Type(*form.MmSql, QStringLiteral("SELECT Da"));
    window_->Press(QKeyCombination(Qt::ControlModifier, Qt::Key_Space));
    QCOMPARE(
        Listed(list).mid(0, 2),
        (QStringList{QStringLiteral("Date()"), QStringLiteral("DateAdd(interval, number, date)")}));
    Type(*form.MmSql, QStringLiteral("teA"));
    QCOMPARE(Listed(list), QStringList{QStringLiteral("DateAdd(interval, number, date)")});
    QTest::keyClick(list, Qt::Key_Tab);
    QCOMPARE(form.MmSql->toPlainText(), QStringLiteral("SELECT DateAdd("));
    window_->Press(QKeyCombination(Qt::ControlModifier, Qt::Key_Space));
    QTest::keyClick(list, Qt::Key_Escape);
    QVERIFY(!list->isVisible());
    QCOMPARE(form.MmSql->toPlainText(), QStringLiteral("SELECT DateAdd("));
  }

  void aDotAfterATableOpensItsColumnsAndTabWritesOne() {
    TMainForm& form = window_->Form();
    QAbstractItemView* list = form.Completer()->Popup();
    form.MmSql->setPlainText(QStringLiteral("SELECT  FROM 社員 AS s"));
    QTextCursor cursor = form.MmSql->textCursor();
    cursor.setPosition(7);
    form.MmSql->setTextCursor(cursor);
    Type(*form.MmSql, QStringLiteral("s."));
    QTRY_COMPARE(Listed(list), (QStringList{QStringLiteral("社員番号"), QStringLiteral("氏名"),
                                            QStringLiteral("部署")}));
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Tab);
    QCOMPARE(form.MmSql->toPlainText(), QStringLiteral("SELECT s.氏名 FROM 社員 AS s"));
    // Without a table before it a "." opens nothing.
    form.MmSql->moveCursor(QTextCursor::End);
    Type(*form.MmSql, QStringLiteral(" WHERE 1."));
    QTest::qWait(20);
    QVERIFY(!list->isVisible());
  }

  void theNamesFollowTheDatabasesDefinitions() {
    TMainForm& form = window_->Form();
    QAbstractItemView* list = form.Completer()->Popup();
    window_->RunSql(QStringLiteral("CREATE TABLE 部品 (品番 LONG); DROP TABLE 部署一覧;"));
    form.MmSql->clear();
    form.MmSql->insertPlainText(QStringLiteral("SELECT * FROM 部"));
    window_->Press(QKeyCombination(Qt::ControlModifier, Qt::Key_Space));
    QCOMPARE(Listed(list), QStringList{QStringLiteral("部品")});
  }

  void nothingOpensWhileTheInputMethodComposes() {
    TMainForm& form = window_->Form();
    QAbstractItemView* list = form.Completer()->Popup();
    form.MmSql->insertPlainText(QStringLiteral("SELECT * FROM 社員 AS s WHERE s"));
    QInputMethodEvent composing(QStringLiteral("しめ"), {});
    QApplication::sendEvent(form.MmSql, &composing);
    QVERIFY(form.Completer()->Composing());
    window_->Press(QKeyCombination(Qt::ControlModifier, Qt::Key_Space));
    QVERIFY(!list->isVisible());
    // Composing ends with the word written: now the list opens; composing again closes it.
    QInputMethodEvent committed;
    committed.setCommitString(QStringLiteral("."));
    QApplication::sendEvent(form.MmSql, &committed);
    QVERIFY(!form.Completer()->Composing());
    window_->Press(QKeyCombination(Qt::ControlModifier, Qt::Key_Space));
    QVERIFY(list->isVisible());
    QApplication::sendEvent(form.MmSql, &composing);
    QVERIFY(!list->isVisible());
  }
};

QTEST_MAIN(CompletionTest)
#include "tst_completion.moc"
