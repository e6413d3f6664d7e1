// A long statement in the window: the window stays live while it runs, Esc or the Run
// button stops it, it is rolled back, and nothing after it runs.
#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "support/WindowUnderTest.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// Rows without end for any test's patience: seven copies of a table of 16 rows side by side.
const QString kEndless =
    QStringLiteral("(SELECT a.x FROM s AS a, s AS b, s AS c, s AS d, s AS e, s AS f, s AS g)");
const QString kStopped =
    QStringLiteral("ERROR! 実行を中止しました。これより後のSQL文は実行していません。\n\n");

}  // namespace

class StoppingARunTest : public WindowTestCase {
  Q_OBJECT

 private slots:
  void escOrTheRunButtonStopsALongStatementWhileEventsAreProcessed() {
    TMainForm& form = window_->Form();
    window_->RunSql(QStringLiteral(
        "CREATE TABLE t (x INTEGER);\nCREATE TABLE s (x INTEGER);\nINSERT INTO s VALUES (1);\n"
        "INSERT INTO s SELECT x FROM s;\nINSERT INTO s SELECT x FROM s;\n"
        "INSERT INTO s SELECT x FROM s;\nINSERT INTO s SELECT x FROM s;"));
    const struct {
      const char* how;
      QString statement;
      std::function<void()> stop;
    } cases[] = {
        {"Esc in the SQL pane", "INSERT INTO t SELECT x FROM " + kEndless + ";",
         [&] { window_->Press(QKeyCombination(Qt::Key_Escape)); }},
        {"the Run button", "INSERT INTO t SELECT x FROM " + kEndless + ";",
         [&] { QTest::mouseClick(form.BtnSQLExec, Qt::LeftButton); }},
        // A result that grows without end: stopped before it is written.
        {"Esc in the result pane", "SELECT x FROM " + kEndless + ";",
         [&] {
           form.MmResult->setFocus();
           window_->Press(QKeyCombination(Qt::Key_Escape));
         }},
    };
    for (const auto& test : cases) {
      const QByteArray trace = test.how;
      window_->MarkResult();
      // A timer that keeps firing: it can only fire while the statement runs if the window
      // processes its events meanwhile (the script is too short for the splitter's pauses).
      int ticks = 0;
      bool sawRunning = false;
      QTimer ticker;
      ticker.setInterval(5);
      connect(&ticker, &QTimer::timeout, &form, [&] {
        if (++ticks != 10) return;
        sawRunning = form.ScriptRunning() && form.BtnSQLExec->text() == "中止(Esc)" &&
                     QApplication::overrideCursor() != nullptr;
        // Commands that use the database are still refused inside the run.
        form.AlListTableNames->trigger();
        form.AlDBInit->trigger();
        test.stop();
      });
      ticker.start();
      window_->RunSql(test.statement + "\nSELECT 'after';");
      ticker.stop();
      QVERIFY2(ticks >= 10, trace);
      QVERIFY2(sawRunning, trace);
      QCOMPARE(window_->ResultSinceMark(), test.statement + "\n" + kStopped);
      QVERIFY2(window_->dialogs.shown.isEmpty(), trace);
      QCOMPARE(form.BtnSQLExec->text(), QStringLiteral("実行(F5)"));
      QVERIFY2(!form.ScriptRunning(), trace);
      QVERIFY2(QApplication::overrideCursor() == nullptr, trace);
    }
    // The stopped inserts were rolled back; Esc and the button do nothing outside a run.
    window_->MarkResult();
    window_->RunSql(QStringLiteral("SELECT count(*) AS n FROM t"));
    window_->Press(QKeyCombination(Qt::Key_Escape));
    const QString count = QStringLiteral("SELECT count(*) AS n FROM t\nn|\n-+\n0|\nOK\n");
    QCOMPARE(window_->ResultSinceMark(), count);
    QTest::mouseClick(form.BtnSQLExec, Qt::LeftButton);  // runs the SQL pane again
    QCOMPARE(window_->ResultSinceMark(), count + count);
  }
};

QTEST_MAIN(StoppingARunTest)
#include "tst_stopping_a_run.moc"
