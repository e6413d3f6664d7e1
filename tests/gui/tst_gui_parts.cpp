// The window's parts on their own: the error box text, the dialog filters, the result pane's
// batched appends, the text edge, and the filter that gives shortcuts precedence.
#include <QAction>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTest>

#include "console/ResultPane.h"
#include "data/Cp932.h"
#include "gui/DialogSeam.h"
#include "gui/ErrorText.h"
#include "gui/PaneText.h"
#include "gui/QtResultPane.h"
#include "gui/WindowShortcutsFirst.h"

using namespace tarnwick;

namespace {

QString PaneTextOf(const StringPane& pane) { return FromConsoleText(pane.Text()); }

}  // namespace

class GuiPartsTest : public QObject {
  Q_OBJECT

 private slots:
  void errorTextGetsAFullStopAfterLettersAndJapanese() {
    QCOMPARE(StandardErrorText("disk full"), std::string("disk full."));
    QCOMPARE(StandardErrorText("done."), std::string("done."));
    QCOMPARE(StandardErrorText("(code 5)"), std::string("(code 5)"));  // ')' sorts before '.'
    QCOMPARE(StandardErrorText("rate 50%"), std::string("rate 50%"));
    QCOMPARE(StandardErrorText("5/"), std::string("5/."));  // '/' sorts after '.'
    QCOMPARE(StandardErrorText(""), std::string());
    // Japanese: every Shift-JIS byte sorts after '.', also a second byte below 0x80.
    QCOMPARE(StandardErrorText(Sjis("は開けません")), Sjis("は開けません."));
    QCOMPARE(StandardErrorText(Sjis("表")), Sjis("表."));  // 0x95 0x5C
    QCOMPARE(StandardErrorText(Sjis("ｱ")), Sjis("ｱ."));    // half-width katakana
  }

  void dialogFiltersBecomeQtNameFilters() {
    QCOMPARE(
        QtNameFilters(QStringLiteral("データベースファイル(*.mdb)|*.mdb|全てのファイル(*.*)|*.*")),
        (QStringList{QStringLiteral("データベースファイル(*.mdb) (*.mdb)"),
                     QStringLiteral("全てのファイル(*.*) (*)")}));
    QCOMPARE(QtNameFilters(QStringLiteral("Scripts|*.sql;*.txt|x")),
             (QStringList{QStringLiteral("Scripts (*.sql *.txt)")}));  // an unpaired end is dropped
    QCOMPARE(QtNameFilters(QString()), QStringList());
  }

  void paneTextEdgeConvertsLineBreaksAndCodePage() {
    QCOMPARE(ToConsoleText(QStringLiteral("SELECT 'あ'\nFROM t")), Sjis("SELECT 'あ'\r\nFROM t"));
    QCOMPARE(FromConsoleText(Sjis("表\r\nA\rB\nC")), QStringLiteral("表\nA\nB\nC"));
    QCOMPARE(FromConsoleText(ToConsoleText(QStringLiteral("ｱｲｳ漢字\n\n"))),
             QStringLiteral("ｱｲｳ漢字\n\n"));
    // A character that code page 932 cannot hold is marked, not lost.
    QCOMPARE(ToConsoleText(QStringLiteral("a😀b")), std::string("a?b"));
    QCOMPARE(ConsolePath(QStringLiteral("/tmp/データ.mdb")), Sjis("/tmp/データ.mdb"));
    QCOMPARE(QtPath(Sjis("/tmp/データ.mdb")), QStringLiteral("/tmp/データ.mdb"));
  }

  void batchedPaneReadsAsIfEveryLineWentInAtOnce() {
    const std::vector<std::string> appends = {"first",
                                              "",
                                              "OK\r\n",
                                              Sjis("表の行"),
                                              "two\r\nlines",
                                              "",
                                              "end without break",
                                              "next",
                                              "ERROR! x\r\n",
                                              ""};
    // Flushing after every count of appends gives the same text as the string pane.
    for (std::size_t flushEvery = 1; flushEvery <= appends.size(); ++flushEvery) {
      QPlainTextEdit editor;
      QtResultPane pane(editor);
      StringPane expected;
      for (std::size_t i = 0; i < appends.size(); ++i) {
        pane.AppendLine(appends[i]);
        expected.AppendLine(appends[i]);
        if ((i + 1) % flushEvery == 0) pane.Flush();
      }
      QVERIFY(pane.HasPending() == (appends.size() % flushEvery != 0));
      pane.Flush();
      QCOMPARE(editor.toPlainText(), PaneTextOf(expected));
    }
  }

  void largePieceGoesInWithManyLinesToABlockAndReadsTheSame() {
    QPlainTextEdit editor;
    QtResultPane pane(editor);
    StringPane expected;
    auto append = [&](const std::string& text) {
      pane.AppendLine(text);
      expected.AppendLine(text);
    };
    append("header");
    for (int i = 0; i < 5000; ++i) append(i % 1000 == 0 ? "OK\r\n" : "row " + std::to_string(i));
    pane.Flush();
    QCOMPARE(editor.toPlainText(), PaneTextOf(expected));
    QVERIFY(editor.document()->blockCount() < 5000 / 8);
    // The pane ends in a line break, so the next line starts a line of its own.
    append("after");
    pane.Flush();
    QCOMPARE(editor.toPlainText(), PaneTextOf(expected));
    // A line separator typed at the end (Shift+Enter) counts as a line break too.
    editor.moveCursor(QTextCursor::End);
    editor.insertPlainText(QStringLiteral("typed") + QChar(QChar::LineSeparator));
    pane.AppendLine("next");
    pane.Flush();
    QVERIFY(editor.toPlainText().endsWith(QStringLiteral("after\ntyped\nnext\n")));
  }

  void batchedPaneFollowsTheUsersEditsBetweenFlushes() {
    QPlainTextEdit editor;
    QtResultPane pane(editor);
    pane.AppendLine("banner");
    pane.Flush();
    // The user types at the end: the pane no longer ends in a line break.
    editor.moveCursor(QTextCursor::End);
    editor.insertPlainText(QStringLiteral("typed"));
    pane.AppendLine("after");
    pane.Flush();
    QCOMPARE(editor.toPlainText(), QStringLiteral("banner\ntyped\nafter"));
    // The user empties the pane: the next line starts it afresh.
    editor.clear();
    pane.AppendLine("fresh");
    pane.Flush();
    QCOMPARE(editor.toPlainText(), QStringLiteral("fresh\n"));
    QVERIFY(!editor.document()->isUndoAvailable());
    QVERIFY(editor.textCursor().atEnd());
  }

  void editorsLeaveTheWindowsShortcutsToTheWindow() {
    QWidget window;
    auto* editor = new QPlainTextEdit(&window);
    auto* copy = new QAction(&window);
    copy->setShortcut(QKeySequence(QStringLiteral("Ctrl+C")));
    window.addAction(copy);
    auto overrideAccepted = [&](Qt::Key key) {
      QKeyEvent event(QEvent::ShortcutOverride, key, Qt::ControlModifier);
      event.ignore();
      QCoreApplication::sendEvent(editor, &event);
      return event.isAccepted();
    };
    // The editor claims Ctrl+C for itself...
    QVERIFY(overrideAccepted(Qt::Key_C));
    editor->installEventFilter(new WindowShortcutsFirst(window));
    // ...until the filter leaves it to the window's action; other keys stay the editor's.
    QVERIFY(!overrideAccepted(Qt::Key_C));
    QVERIFY(overrideAccepted(Qt::Key_X));
  }
};

QTEST_MAIN(GuiPartsTest)
#include "tst_gui_parts.moc"
