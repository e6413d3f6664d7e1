// The window as it is built (menus, captions, shortcuts, buttons, panes, sizes, colours,
// fonts, focus order, the divider) and its parts on their own (the error box text, the
// dialog filters, the text edge, the result pane's batched appends).
#include <QAction>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "gui/ErrorText.h"
#include "gui/FontMapping.h"
#include "gui/PaneDivider.h"
#include "gui/PaneLines.h"
#include "gui/PaneText.h"
#include "gui/QtResultPane.h"
#include "output/PrintedLines.h"
#include "support/WindowUnderTest.h"
#include "text/Cp932.h"
#include "text/ResultPane.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

const QColor kMenuHighlight(226, 225, 219);

}  // namespace

class WindowLayoutTest : public WindowTestCase {
  Q_OBJECT

 private slots:
  void menusHoldTheCommandsWithTheirCaptionsAndShortcuts() {
    TMainForm& form = window_->Form();
    // Each menu as its caption and its entries, each entry as its caption and shortcut, "-"
    // for a separator rule.
    QStringList menus;
    for (const QAction* menu : form.menuBar()->actions()) {
      QStringList entries{menu->text()};
      for (const QAction* action : menu->menu()->actions()) {
        const QString shortcut = action->shortcut().toString(QKeySequence::PortableText);
        entries << (action->isSeparator() ? "-" : (action->text() + " " + shortcut).trimmed());
        // Shortcuts work while the menus are closed.
        QVERIFY(action->isSeparator() || form.actions().contains(action));
      }
      menus << entries.join(" | ");
      QCOMPARE(menu->menu()->palette().color(QPalette::Highlight), kMenuHighlight);
    }
    QCOMPARE(menus.size(), 5);
    QCOMPARE(
        menus[0],
        "ファイル(&F) | 新規データベース(&N) Ctrl+N | ﾃﾞｰﾀﾍﾞｰｽﾌｧｲﾙを開く(&M) Ctrl+M | "
        "最近使ったデータベース | ﾃﾞｰﾀﾍﾞｰｽﾌｧｲﾙの取込み(&A) | - | "
        "SQLファイルを開く Ctrl+Shift+O | SQLを保存 Ctrl+Shift+S | 名前を付けてSQLを保存 | - | "
        "SQLﾌｧｲﾙの実行(&O) Ctrl+O | 結果の保存(&S) Ctrl+S | - | 印刷(&P) Ctrl+P | - | "
        "終了(&X) Ctrl+Q");
    QCOMPARE(menus[1],
             "編集(&E) | 元に戻す(&Z) Ctrl+Z | - | 切り取り(&X) Ctrl+X | コピー(&C) Ctrl+C | "
             "貼り付け(&V) Ctrl+V | - | １つ前のSQLコード(&P) F3 | "
             "１つ後のSQLコード(&N) F4 | SQL文の消去(&S) Ctrl+K | 結果の消去(&E)");
    // The connect command's first caption has given way to the connection's state.
    QCOMPARE(menus[2],
             "ﾃﾞｰﾀｰﾍﾞｰｽ(&D) | 実行(&R) F5 | カーソル位置のSQLを実行 Ctrl+Return | "
             "テーブル名の一覧(&L) Ctrl+L | - | DBの切断(&A) | データベースの初期化(&I)");
    QCOMPARE(menus[3],
             "設定(&S) | フォントを大きく(&L) | フォントを小さく(&S) | - | "
             "行を折り返さない(&R) | 実行後にSQL文をクリア(&C) | - | テーブル一覧を表示");
    QCOMPARE(menus[4],
             "ヘルプ(&H) | Tarnwickのヘルプ(&H) | サンプルデータベースを開く(&S) | バージョン(&V)");
    // "Select all" stands in no menu.
    QCOMPARE(form.AlSelectAll->text() + " " + form.AlSelectAll->shortcut().toString(),
             QStringLiteral("全て選択(&A) Ctrl+A"));
    QVERIFY(form.actions().contains(form.AlSelectAll));
    for (const QAction* menu : form.menuBar()->actions()) {
      QVERIFY(!menu->menu()->actions().contains(form.AlSelectAll));
    }
  }

  void windowButtonsAndPanesHaveTheirSizesColoursTextsAndFonts() {
    TMainForm& form = window_->Form();
    // The title names the database after the program.
    QCOMPARE(form.windowTitle(), QStringLiteral("Tarnwick - test.mdb"));
    QCOMPARE(form.size(), QSize(517, 355));
    // The minimum counts the window frame.
    const QSize frame = form.frameGeometry().size() - form.size();
    QCOMPARE(form.minimumSize() + frame, QSize(300, 200));
    form.resize(100, 50);
    QCOMPARE(form.size(), form.minimumSize());
    QCOMPARE(form.palette().color(QPalette::Window), QColor(255, 251, 240));
    QCOMPARE(form.menuBar()->palette().color(QPalette::Highlight), kMenuHighlight);
    const auto* panel2 = form.findChild<QWidget*>(QStringLiteral("Panel2"));
    QVERIFY(panel2 != nullptr);
    QCOMPARE(panel2->palette().color(QPalette::Window), QColor(226, 196, 100));

    QCOMPARE(form.BtnSQLExec->text(), QStringLiteral("実行(F5)"));
    QCOMPARE(form.BtnSQLExec->toolTip(), QStringLiteral("SQLを実行します"));
    QCOMPARE(form.SbCodeClear->toolTip(), QStringLiteral("SQL文の消去"));
    QCOMPARE(form.SbLogClear->toolTip(), QStringLiteral("結果の消去"));

    QCOMPARE(form.MmSql->toolTip(), QStringLiteral("ここにSQLを入力してください"));
    QCOMPARE(form.MmResult->toolTip(), QStringLiteral("SQLの実行結果がここに表示されます"));
    QCOMPARE(form.MmSql->height(), 104);
    for (const QPlainTextEdit* pane : {form.MmSql, form.MmResult}) {
      QCOMPARE(pane->lineWrapMode(), QPlainTextEdit::WidgetWidth);
      QCOMPARE(QFontInfo(pane->font()).family(), QStringLiteral("VL Gothic"));
      QCOMPARE(pane->font().pointSize(), 9);
    }
    QCOMPARE(QFontInfo(form.font()).family(), QStringLiteral("IPAPGothic"));
    QCOMPARE(QFontInfo(form.menuBar()->font()).family(), QStringLiteral("IPAPGothic"));
  }

  void buttonsRunAndEmptyTheSqlPane() {
    TMainForm& form = window_->Form();
    form.MmSql->setPlainText(QStringLiteral("SELECT 1"));
    QTest::mouseClick(form.BtnSQLExec, Qt::LeftButton);
    QVERIFY(window_->ResultSinceMark().startsWith(QStringLiteral("SELECT 1\n")));
    QTest::mouseClick(form.SbCodeClear, Qt::LeftButton);
    QVERIFY(form.MmSql->toPlainText().isEmpty());
  }

  void paneFontGivesDoubleWidthCharactersTwoCellsAtEverySize() {
    const QString wide = QStringLiteral("漢あアＡ").repeated(20);
    const QString narrow = QStringLiteral("abcdefgh").repeated(20);
    for (int points = 7; points <= 24; ++points) {
      const QFontMetricsF metrics(PaneFont(points));
      const qreal cell = metrics.horizontalAdvance(QStringLiteral("a"));
      const QByteArray trace = QByteArray::number(points);
      QVERIFY2(cell > 0, trace);
      // A grid row: one double-width character against two single-width ones, many times.
      QVERIFY2(qAbs(metrics.horizontalAdvance(wide) - metrics.horizontalAdvance(narrow)) < 0.01,
               trace);
      QVERIFY2(qAbs(metrics.horizontalAdvance(QStringLiteral("ｱｲｳ")) - 3 * cell) < 0.01, trace);
    }
    QCOMPARE(MappedFontFamily(QStringLiteral("ＭＳ ゴシック")), QStringLiteral("VL Gothic"));
    QCOMPARE(MappedFontFamily(QStringLiteral("ＭＳ Ｐゴシック")), QStringLiteral("IPAPGothic"));
    QCOMPARE(MappedFontFamily(QStringLiteral("MS UI Gothic")), QStringLiteral("IPAPGothic"));
  }

  void tabMovesTheFocusAroundWithoutTypingATab() {
    TMainForm& form = window_->Form();
    QCOMPARE(QApplication::focusWidget(), form.MmSql);
    for (QWidget* next : QList<QWidget*>{form.MmResult, form.BtnSQLExec, form.MmSql}) {
      window_->Press(QKeyCombination(Qt::Key_Tab));
      QCOMPARE(QApplication::focusWidget(), next);
    }
    QVERIFY(!form.MmSql->toPlainText().contains(QLatin1Char('\t')));
  }

  void dividerClosesTheSqlPaneAtThirtyPixelsAndKeepsThirtyForTheResult() {
    // {requested, available, height}; no room above the result pane's 30 pixels gives 0.
    const int cases[][3] = {{104, 300, 104}, {31, 300, 31},   {30, 300, 0},
                            {-10, 300, 0},   {290, 300, 270}, {100, 50, 0}};
    for (const auto& test : cases) {
      QCOMPARE(DividedHeight(test[0], test[1]), test[2]);
    }
    TMainForm& form = window_->Form();
    const int shared = form.MmSql->height() + form.MmResult->height();
    form.Splitter1->DragTo(2000);
    QTest::qWait(0);
    QCOMPARE(form.MmResult->height(), 30);
    QCOMPARE(form.MmSql->height() + form.MmResult->height(), shared);
    QCOMPARE(form.Splitter1->height(), 3);
    QCOMPARE(form.Splitter1->cursor().shape(), Qt::SizeVerCursor);
    // Dragged with the mouse: 40 pixels up from 104 gives 64.
    form.Splitter1->DragTo(104);
    QTest::qWait(0);
    QTest::mousePress(form.Splitter1, Qt::LeftButton, {}, QPoint(5, 1));
    QTest::mouseMove(form.Splitter1, QPoint(5, -39));
    QTest::mouseRelease(form.Splitter1, Qt::LeftButton, {}, QPoint(5, -39));
    QTest::qWait(0);
    QCOMPARE(form.MmSql->height(), 64);
  }

  void shrinkingTheWindowAfterMovingTheDividerKeepsBothPanesAndTheDivider() {
    // {wanted, available, height}: the SQL pane gives way down to the result pane's 30.
    const int fits[][3] = {{104, 300, 104}, {300, 300, 270}, {300, 100, 70},
                           {0, 300, 0},     {300, 20, 0},    {-5, 300, 0}};
    for (const auto& test : fits) QCOMPARE(FittedHeight(test[0], test[1]), test[2]);

    TMainForm& form = window_->Form();
    form.resize(700, 600);
    QTest::qWait(0);
    const int dragged = form.MmSql->height() + form.MmResult->height() - 40;
    form.Splitter1->DragTo(dragged);
    QTest::qWait(0);
    QCOMPARE(form.MmSql->height(), dragged);
    const auto* frame = form.findChild<QWidget*>(QStringLiteral("Panel2"));
    // Down to the smallest window and back: the panes and the divider fill the frame, the
    // result pane keeps its 30 pixels and the SQL pane returns to the height it was given.
    for (const QSize size : {QSize(600, 400), QSize(300, 200), QSize(100, 50), QSize(700, 600)}) {
      form.resize(size);
      QTest::qWait(0);
      const QByteArray trace = QByteArray::number(size.height());
      QVERIFY2(form.MmResult->isVisible() && form.Splitter1->isVisible(), trace);
      QVERIFY2(form.MmResult->height() >= 30, trace);
      QCOMPARE(form.Splitter1->height(), 3);
      QCOMPARE(form.Splitter1->geometry().top(), form.MmSql->geometry().bottom() + 1);
      QCOMPARE(form.MmResult->geometry().top(), form.Splitter1->geometry().bottom() + 1);
      QCOMPARE(form.MmResult->geometry().bottom(), frame->contentsRect().bottom());
      QVERIFY2(form.MmSql->height() == dragged || form.MmResult->height() == 30, trace);
    }
    QCOMPARE(form.MmSql->height(), dragged);
  }

  void errorTextGetsAFullStopAfterLettersAndJapaneseUnlessItEndsASentence() {
    // ')' and '%' sort before '.', '/' after it; every Shift-JIS byte sorts after it, also a
    // second byte below 0x80 ("表" is 0x95 0x5C).
    const char* const cases[][2] = {
        {"disk full", "disk full."},
        {"done.", "done."},
        {"(code 5)", "(code 5)"},
        {"rate 50%", "rate 50%"},
        {"5/", "5/."},
        {"", ""},
        {"は開けません", "は開けません."},
        {"表", "表."},
        {"ｱ", "ｱ."},
        // A sentence that ends in "。" is ended already, also on a hint's line after it.
        {"開けません。", "開けません。"},
        {"開けません。\r\nヒント: 確かめてください。",
         "開けません。\r\nヒント: 確かめてください。"},
        {"開けません。\r\nヒント: x FROM t", "開けません。\r\nヒント: x FROM t."},
        {"全角の句点．", "全角の句点．"}};
    for (const auto& test : cases) {
      QCOMPARE(StandardErrorText(Sjis(test[0])), Sjis(test[1]));
    }
  }

  void dialogFiltersAndTheTextEdgeConvert() {
    QCOMPARE(
        QtNameFilters(QStringLiteral("データベースファイル(*.mdb)|*.mdb|全てのファイル(*.*)|*.*")),
        (QStringList{QStringLiteral("データベースファイル(*.mdb) (*.mdb)"),
                     QStringLiteral("全てのファイル(*.*) (*)")}));
    QCOMPARE(QtNameFilters(QStringLiteral("Scripts|*.sql;*.txt|x")),
             (QStringList{QStringLiteral("Scripts (*.sql *.txt)")}));  // an unpaired end is dropped
    QCOMPARE(QtNameFilters(QString()), QStringList());

    QCOMPARE(ToConsoleText(QStringLiteral("SELECT 'あ'\nFROM t")), Sjis("SELECT 'あ'\r\nFROM t"));
    QCOMPARE(FromConsoleText(Sjis("表\r\nA\rB\nC")), QStringLiteral("表\nA\nB\nC"));
    // A character that code page 932 cannot hold is marked, not lost.
    QCOMPARE(ToConsoleText(QStringLiteral("a😀b")), std::string("a?b"));
    QCOMPARE(ConsolePath(QStringLiteral("/tmp/データ.mdb")), Sjis("/tmp/データ.mdb"));
    QCOMPARE(QtPath(Sjis("/tmp/データ.mdb")), QStringLiteral("/tmp/データ.mdb"));
  }

  void batchedPaneReadsAsIfEveryLineWentInAtOnce() {
    std::vector<std::string> appends;
    for (const char* text : {"first", "", "OK\r\n", "表の行", "two\r\nlines", "",
                             "end without break", "next", "ERROR! x\r\n", ""}) {
      appends.push_back(Sjis(text));
    }
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
      QCOMPARE(pane.HasPending(), appends.size() % flushEvery != 0);
      pane.Flush();
      QCOMPARE(editor.toPlainText(), FromConsoleText(expected.Text()));
    }

    // A large piece goes in with many lines to a block: it reads the same, and the pane
    // shows (and prints) each line as a line of its own.
    QPlainTextEdit& editor = *window_->Form().MmResult;
    editor.clear();
    QtResultPane pane(editor);
    StringPane expected;
    for (int i = 1; i <= QtResultPane::kLinesForBlocks + 1000; ++i) {
      const std::string line = i % 1000 == 0 ? "OK\r\n" : "row " + std::to_string(i);
      pane.AppendLine(line);
      expected.AppendLine(line);
    }
    pane.Flush();
    QCOMPARE(editor.toPlainText(), FromConsoleText(expected.Text()));
    QVERIFY(editor.document()->blockCount() < QtResultPane::kLinesForBlocks / 8);
    QVERIFY(DisplayedLines(editor) == LogLines(expected.Text()));
    // The piece ends in a line break, so the next line starts a line of its own.
    pane.AppendLine("after");
    expected.AppendLine("after");
    pane.Flush();
    QCOMPARE(editor.toPlainText(), FromConsoleText(expected.Text()));
  }

  void gridPiecesInUtf8ReadAsTheirShiftJisAndALargeOneGoesInAtOnce() {
    QPlainTextEdit editor;
    QtResultPane pane(editor);
    // After typed text without a line break, a piece of lines starts a line of its own and
    // has no line break after it, as the same lines appended one by one.
    editor.insertPlainText(QStringLiteral("typed"));
    pane.AppendUtf8Line("表|\r\nｱ|");
    pane.AppendLine(Sjis("漢"));
    pane.Flush();
    QCOMPARE(editor.toPlainText(), QStringLiteral("typed\n表|\nｱ|\n漢"));

    // A piece that fills the collected text goes into the editor at once, not at the end of
    // the command: the pane holds no second copy of a large result.
    editor.clear();
    std::string piece;
    while (piece.size() < 2 * static_cast<std::size_t>(QtResultPane::kPendingCharacters)) {
      piece += "1234567890|\r\n";
    }
    piece += "end|";
    pane.AppendUtf8Line(piece);
    QVERIFY(!pane.HasPending());
    QVERIFY(editor.toPlainText().endsWith(QStringLiteral("1234567890|\nend|\n")));
    QVERIFY(static_cast<std::size_t>(editor.document()->blockCount()) < piece.size() / 13 / 16);
  }

  void batchedPaneFollowsTheUsersEditsBetweenFlushes() {
    QPlainTextEdit editor;
    QtResultPane pane(editor);
    auto typeThenAppend = [&](const QString& typed, const char* line) {
      editor.moveCursor(QTextCursor::End);
      editor.insertPlainText(typed);
      pane.AppendLine(line);
      pane.Flush();
      return editor.toPlainText();
    };
    // After typed text without a line break, the next line starts a line of its own.
    QCOMPARE(typeThenAppend(QString(), "banner"), QStringLiteral("banner\n"));
    QCOMPARE(typeThenAppend(QStringLiteral("typed"), "after"),
             QStringLiteral("banner\ntyped\nafter"));
    // A line separator typed at the end (Shift+Enter) counts as a line break.
    QVERIFY(typeThenAppend(QStringLiteral("\nx") + QChar(QChar::LineSeparator), "next")
                .endsWith(QStringLiteral("after\nx\nnext\n")));
    // The user empties the pane: the next line starts it afresh.
    editor.clear();
    QCOMPARE(typeThenAppend(QString(), "fresh"), QStringLiteral("fresh\n"));
    QVERIFY(!editor.document()->isUndoAvailable());
    QVERIFY(editor.textCursor().atEnd());
  }
};

QTEST_MAIN(WindowLayoutTest)
#include "tst_window_layout.moc"
