// Running the statement under the caret (Ctrl+Enter, or the Database menu): only that
// statement, or the selection, through the same steps as F5; and what a command chosen while
// statements run says.
#include <QAction>
#include <QLabel>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include "gui/PaneNotice.h"
#include "support/WindowUnderTest.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

const QString kScript = QStringLiteral(
    "CREATE TABLE t (a LONG);\n"
    "INSERT INTO t VALUES (1);\n"
    "SELECT count(*) AS n FROM t;\n");

// Puts the SQL pane's caret at the first place where `marker` stands in its text.
void CaretAt(QPlainTextEdit& pane, const QString& marker) {
  QTextCursor cursor(pane.document());
  cursor.setPosition(static_cast<int>(pane.toPlainText().indexOf(marker)));
  pane.setTextCursor(cursor);
  pane.setFocus();
}

}  // namespace

class RunAtCaretTest : public WindowTestCase {
  Q_OBJECT

 private slots:
  void ctrlEnterRunsOnlyTheStatementUnderTheCaret() {
    TMainForm& form = window_->Form();
    form.MmSql->setPlainText(kScript);
    CaretAt(*form.MmSql, QStringLiteral("TABLE"));
    window_->Press(Ctrl(Qt::Key_Return));
    QCOMPARE(window_->ResultSinceMark(), QStringLiteral("CREATE TABLE t (a LONG);\nOK\n\n"));
    // The caret right after a ';' runs the statement that ';' ends, twice over; the keypad's
    // Enter does the same as the main one.
    CaretAt(*form.MmSql, QStringLiteral("\nSELECT"));
    window_->Press(Ctrl(Qt::Key_Return));
    window_->Press(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Enter));
    window_->MarkResult();
    // After the last ';' and its line break: the last statement.
    form.MmSql->moveCursor(QTextCursor::End);
    form.AlDBExecAtCaret->trigger();
    QCOMPARE(window_->ResultSinceMark(),
             QStringLiteral("SELECT count(*) AS n FROM t;\nn|\n-+\n2|\nOK\n"));
    // Each ran through the history, as F5's statements do, and the pane kept its text.
    QCOMPARE(form.History().Count(), 4u);
    QCOMPARE(form.MmSql->toPlainText(), kScript);

    // Characters of two and four bytes before the caret move nothing.
    form.MmSql->setPlainText(QStringLiteral("SELECT '😀表' AS 字;\nSELECT '±' AS x;\nSELECT 3;"));
    CaretAt(*form.MmSql, QStringLiteral(" AS x"));
    window_->MarkResult();
    window_->Press(Ctrl(Qt::Key_Return));
    QVERIFY2(window_->ResultSinceMark().startsWith(QStringLiteral("SELECT '±' AS x;\nx |\n")),
             qPrintable(window_->ResultSinceMark()));
  }

  void aSelectionRunsAsItIsAndThePaneKeepsItsTextWithClearAfterRunOn() {
    TMainForm& form = window_->Form();
    form.AlClearTextAfterExec->trigger();
    form.MmSql->setPlainText(kScript);
    QTextCursor cursor(form.MmSql->document());
    cursor.setPosition(0);
    cursor.movePosition(QTextCursor::Down, QTextCursor::KeepAnchor);  // two statements
    cursor.movePosition(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
    form.MmSql->setTextCursor(cursor);
    form.MmSql->setFocus();
    window_->Press(Ctrl(Qt::Key_Return));
    QCOMPARE(window_->ResultSinceMark(), QStringLiteral("CREATE TABLE t (a LONG);\nOK\n\n"
                                                        "INSERT INTO t VALUES (1);\nOK\n\n"));
    QCOMPARE(form.MmSql->toPlainText(), kScript);
    // F5 stays the whole pane, and empties it as the switch says.
    window_->Press(QKeyCombination(Qt::Key_F5));
    QVERIFY(window_->ResultSinceMark().contains(QStringLiteral("n|\n-+\n2|\n")));
    QVERIFY(form.MmSql->toPlainText().isEmpty());
    // A pane without a statement runs nothing.
    window_->MarkResult();
    form.MmSql->setPlainText(QStringLiteral("  -- nothing yet\n"));
    window_->Press(Ctrl(Qt::Key_Return));
    QCOMPARE(window_->ResultSinceMark(), QString());
  }

  void commandsChosenWhileStatementsRunSayThatTheyMustWait() {
    TMainForm& form = window_->Form();
    window_->RunSql(QStringLiteral(
        "CREATE TABLE t (x INTEGER);\nCREATE TABLE s (x INTEGER);\nINSERT INTO s VALUES (1);\n"
        "INSERT INTO s SELECT x FROM s;\nINSERT INTO s SELECT x FROM s;\n"
        "INSERT INTO s SELECT x FROM s;\nINSERT INTO s SELECT x FROM s;"));
    window_->MarkResult();
    auto* notice = form.MmResult->findChild<PaneNotice*>();
    QVERIFY(notice != nullptr);
    QVERIFY(!notice->isVisible());
    QStringList said;
    int ticks = 0;
    QTimer ticker;
    ticker.setInterval(5);
    connect(&ticker, &QTimer::timeout, &form, [&] {
      if (++ticks != 10) return;
      for (QAction* command : {form.AlDBExec, form.AlDBExecAtCaret, form.AlListTableNames,
                               form.AlOpenDB, form.AlDBInit}) {
        notice->hide();
        command->trigger();
        said << (notice->isVisible() ? notice->text() : QStringLiteral("(nothing)"));
      }
      window_->Press(QKeyCombination(Qt::Key_Escape));
    });
    ticker.start();
    // Rows without end: seven copies of a table of 16 rows side by side.
    window_->RunSql(QStringLiteral(
        "INSERT INTO t SELECT a.x FROM s AS a, s AS b, s AS c, s AS d, s AS e, s AS f, s AS g;"));
    ticker.stop();
    QCOMPARE(said, QStringList(5, QStringLiteral("実行中です。Esc で中止できます")));
    // None of them ran, and none asked anything.
    QVERIFY(window_->dialogs.shown.isEmpty());
    QVERIFY(window_->ResultSinceMark().endsWith(
        QStringLiteral("ERROR! 実行を中止しました。これより後のSQL文は実行していません。\n\n")));
    QVERIFY(!window_->ResultSinceMark().contains(QStringLiteral("テーブル名の一覧")));
  }
};

QTEST_MAIN(RunAtCaretTest)
#include "tst_run_at_caret.moc"
