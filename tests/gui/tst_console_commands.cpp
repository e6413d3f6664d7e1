// The console commands driven through their shortcuts, menus and buttons: Run, listing,
// history, SQL file, editing and view commands, version, help, and what a running script
// allows.
#include <QAction>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include "gui/HelpViewer.h"
#include "support/WindowUnderTest.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// Each pane's font size as the window keeps it and as the pane shows it.
QList<int> PaneFontSizes(const TMainForm& form) {
  return {form.SqlFontSize(), form.MmSql->font().pointSize(), form.ResultFontSize(),
          form.MmResult->font().pointSize()};
}

}  // namespace

class ConsoleCommandsTest : public WindowTestCase {
  Q_OBJECT

 private slots:
  void f5RunsTheTypedScriptAndCtrlLListsTheTables() {
    TMainForm& form = window_->Form();
    const QString script = QStringLiteral(
        "CREATE TABLE 商品 (ID INTEGER, 品名 CHAR(10));INSERT INTO 商品 VALUES (7, 'りんご');\n"
        "SELECT * FROM 商品");
    window_->RunSql(script);
    QCOMPARE(window_->ResultSinceMark(),
             QStringLiteral("CREATE TABLE 商品 (ID INTEGER, 品名 CHAR(10));\nOK\n\n"
                            "INSERT INTO 商品 VALUES (7, 'りんご');\nOK\n\n"
                            "SELECT * FROM 商品\nID|品名  |\n--+------+\n 7|りんご|\nOK\n"));
    QCOMPARE(form.MmSql->toPlainText(), script);  // the switch is off: the pane keeps it
    QCOMPARE(form.History().Count(), std::size_t{3});
    QVERIFY(QApplication::overrideCursor() == nullptr);
    QVERIFY(form.MmResult->textCursor().atEnd());  // the result pane shows its end

    window_->MarkResult();
    window_->Press(Ctrl(Qt::Key_L));
    QCOMPARE(window_->ResultSinceMark(),
             QStringLiteral("テーブル名の一覧\n----------------\n商品\nOK\n\n"));
  }

  void clearAfterRunSwitchEmptiesTheSqlPane() {
    TMainForm& form = window_->Form();
    QVERIFY(!form.AlClearTextAfterExec->isChecked());  // off without settings
    form.AlClearTextAfterExec->trigger();
    QVERIFY(form.AlClearTextAfterExec->isChecked());
    window_->RunSql(QStringLiteral("SELECT 1"));
    QVERIFY(form.MmSql->toPlainText().isEmpty());
    QVERIFY(window_->ResultSinceMark().startsWith(QStringLiteral("SELECT 1\n")));
  }

  void f3AndF4StepThroughTheHistoryAndCtrlKEmptiesTheSqlPane() {
    TMainForm& form = window_->Form();
    window_->RunSql(QStringLiteral("SELECT 'A';SELECT 'B';\nSELECT 'C'"));
    form.MmSql->setPlainText(QStringLiteral("U"));
    const QString b = QStringLiteral("SELECT 'B';");
    const QString c = QStringLiteral("\nSELECT 'C'");
    const std::pair<QKeyCombination, QString> steps[] = {
        {Qt::Key_F3, c},
        {Qt::Key_F3, b},
        {Qt::Key_F4, c},
        {Qt::Key_F4, QStringLiteral("U")},
        {Ctrl(Qt::Key_K), QString()},
        {Qt::Key_F3, c}};  // Ctrl+K leaves the history
    for (const auto& [keys, shown] : steps) {
      // Pressed in the result pane, its caret at the start (where the editor's own Ctrl+K
      // would cut a line).
      form.MmResult->setFocus();
      form.MmResult->moveCursor(QTextCursor::Start);
      const QString result = window_->ResultText();
      window_->Press(keys);
      QCOMPARE(form.MmSql->toPlainText(), shown);
      QCOMPARE(window_->ResultText(), result);
      // F3 and F4 give the SQL pane the focus with the caret at its end; Ctrl+K leaves it.
      const bool history = keys.key() != Qt::Key_K;
      QCOMPARE(QApplication::focusWidget(), history ? form.MmSql : form.MmResult);
      QVERIFY(!history || form.MmSql->textCursor().atEnd());
    }
  }

  void editingCommandsActOnTheFocusedPaneOnly() {
    TMainForm& form = window_->Form();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("before"));
    form.MmResult->setFocus();
    window_->Press(Ctrl(Qt::Key_A));
    QCOMPARE(form.MmResult->textCursor().selectedText().size(), window_->ResultText().size());
    window_->Press(Ctrl(Qt::Key_C));
    QVERIFY(clipboard->text().startsWith(QStringLiteral("Tarnwick Version 0.62")));

    // With the Run button focused, none of the five touches a pane or the clipboard.
    clipboard->setText(QStringLiteral("SELECT 'pasted'"));
    form.MmSql->setPlainText(QStringLiteral("kept"));
    form.MmSql->selectAll();
    form.MmResult->moveCursor(QTextCursor::End);
    const QString result = window_->ResultText();
    form.BtnSQLExec->setFocus();
    for (Qt::Key key : {Qt::Key_C, Qt::Key_X, Qt::Key_V, Qt::Key_Z, Qt::Key_A}) {
      window_->Press(Ctrl(key));
    }
    QCOMPARE(QApplication::focusWidget(), form.BtnSQLExec);
    QCOMPARE(clipboard->text(), QStringLiteral("SELECT 'pasted'"));
    QCOMPARE(form.MmSql->textCursor().selectedText(), QStringLiteral("kept"));
    QCOMPARE(window_->ResultText(), result);
    QVERIFY(!form.MmResult->textCursor().hasSelection());

    // In each pane: paste; undo takes it back; a second undo undoes the undo; cut moves the
    // selection to the clipboard.
    const QString pasted = clipboard->text();
    form.MmSql->clear();
    for (QPlainTextEdit* pane : {form.MmSql, form.MmResult}) {
      clipboard->setText(pasted);
      pane->setFocus();
      pane->moveCursor(QTextCursor::End);
      const QString before = pane->toPlainText();
      const QString once = before + pasted;
      const QString twice = once + pasted;
      const std::pair<Qt::Key, QString> steps[] = {{Qt::Key_V, once},  {Qt::Key_Z, before},
                                                   {Qt::Key_Z, once},  {Qt::Key_V, twice},
                                                   {Qt::Key_A, twice}, {Qt::Key_X, QString()}};
      for (const auto& [key, text] : steps) {
        window_->Press(Ctrl(key));
        QCOMPARE(pane->toPlainText(), text);
      }
      QCOMPARE(clipboard->text(), twice);
    }
  }

  void fontAndWrappingCommandsChangeBothPanes() {
    TMainForm& form = window_->Form();
    auto step = [&](QAction* command, int times) {
      for (int i = 0; i < times; ++i) command->trigger();
      return PaneFontSizes(form);
    };
    QCOMPARE(PaneFontSizes(form), QList<int>({9, 9, 9, 9}));
    QCOMPARE(step(form.AlFontLarge, 3), QList<int>({12, 12, 12, 12}));
    QCOMPARE(step(form.AlFontSmall, 4), QList<int>({8, 8, 8, 8}));
    QCOMPARE(step(form.AlFontSmall, 1), QList<int>({7, 7, 7, 7}));
    QCOMPARE(step(form.AlFontSmall, 1), QList<int>({7, 7, 7, 7}));

    form.AlWordWrap->trigger();
    QVERIFY(form.AlWordWrap->isChecked());
    QCOMPARE(form.MmResult->lineWrapMode(), QPlainTextEdit::NoWrap);
    QCOMPARE(form.MmSql->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    form.AlWordWrap->trigger();
    QVERIFY(!form.AlWordWrap->isChecked());
    QCOMPARE(form.MmResult->lineWrapMode(), QPlainTextEdit::WidgetWidth);

    // A size below the smallest, from the settings, stays under "smaller".
    window_.reset();
    window_ = std::make_unique<WindowUnderTest>();
    WindowUnderTest::WriteText(window_->ExeFile(QStringLiteral("Tarnwick.ini")),
                               QStringLiteral("[GUI]\r\nFONTSIZE=5\r\n"));
    TMainForm& small = window_->StartWithDatabase();
    QCOMPARE(PaneFontSizes(small), QList<int>({5, 5, 5, 5}));
    small.AlFontSmall->trigger();
    QCOMPARE(PaneFontSizes(small), QList<int>({5, 5, 5, 5}));
    small.AlFontLarge->trigger();
    QCOMPARE(PaneFontSizes(small), QList<int>({6, 6, 6, 6}));
  }

  void versionAndHelpCommands() {
    TMainForm& form = window_->Form();
    form.AlShowVersion->trigger();
    QCOMPARE(window_->ResultSinceMark(),
             QStringLiteral("Tarnwick Version 0.62 build 2/22/2012\n"
                            "Copyright (C) The Tarnwick developers. All rights reserved.\nOK\n"));

    // Help opens the help file beside the program on its index, again after scrolling.
    QVERIFY(QFile::copy(QStringLiteral(TARNWICK_HELP_FILE),
                        window_->ExeFile(QStringLiteral("tarnwick.chm"))));
    form.AlHelp->trigger();
    QVERIFY(form.Help() != nullptr && form.Help()->isVisible());
    QVERIFY(form.Help()->Browser()->toPlainText().contains(QStringLiteral("目次")));
    form.Help()->Browser()->verticalScrollBar()->setValue(200);
    form.AlHelp->trigger();
    QCOMPARE(form.Help()->Browser()->verticalScrollBar()->value(), 0);
  }

  void sqlFileCommandRunsTheChosenFile() {
    TMainForm& form = window_->Form();
    const QString path = window_->File(QStringLiteral("script.sql"));
    WindowUnderTest::WriteText(path, QStringLiteral("SELECT 'x';\n-- note\nSELECT 'y'"));
    form.MmSql->setPlainText(QStringLiteral("untouched"));
    window_->dialogs.answers.push_back(path);
    window_->Press(Ctrl(Qt::Key_O));
    QCOMPARE(window_->ResultSinceMark(),
             QStringLiteral("SELECT 'x';\nExpr1000|\n--------+\nx       |\nOK\n"
                            "-- note\nSELECT 'y'\nExpr1000|\n--------+\ny       |\nOK\n"));
    QCOMPARE(form.MmSql->toPlainText(), QStringLiteral("untouched"));
  }

  void runningScriptKeepsTheWindowUsableButStartsNoOtherCommand() {
    TMainForm& form = window_->Form();
    // Over 1000 bytes, so the run lets events through while it scans.
    const QString script = QStringLiteral("SELECT 1;\n").repeated(300);
    bool sawRunning = false;
    QTimer::singleShot(0, &form, [&] {
      sawRunning = form.ScriptRunning();
      QVERIFY(QApplication::overrideCursor() != nullptr);  // busy
      form.AlDBExec->trigger();                            // F5 again: not inside the run
      window_->dialogs.answers.push_back(window_->File(QStringLiteral("other.mdb")));
      form.AlNewDB->trigger();      // would change the database: not started
      form.AlFontLarge->trigger();  // a view command works
      form.MmSql->setPlainText(QStringLiteral("typed meanwhile"));
      form.close();  // closing waits for the run's end
      QVERIFY(form.isVisible());
    });
    window_->RunSql(script);
    QVERIFY(sawRunning);
    QCOMPARE(window_->ResultSinceMark().count(QStringLiteral("SELECT 1;\n")), 300);
    QVERIFY(window_->dialogs.shown.isEmpty());
    QCOMPARE(form.SqlFontSize(), 10);
    QCOMPARE(form.MmSql->toPlainText(), QStringLiteral("typed meanwhile"));
    QVERIFY(!form.ScriptRunning());
    QVERIFY(!form.isVisible());  // the deferred close has happened
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }
};

QTEST_MAIN(ConsoleCommandsTest)
#include "tst_console_commands.moc"
