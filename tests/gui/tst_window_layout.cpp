// The window as it is built: menus, captions, shortcuts, buttons, panes, sizes, colours,
// fonts, focus order and the divider.
#include <QAction>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "gui/AppIcon.h"
#include "gui/FontMapping.h"
#include "gui/PaneDivider.h"
#include "support/WindowUnderTest.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// A menu's entries as the names of their commands, "-" for a separator rule.
QStringList MenuEntries(const QMenu* menu) {
  QStringList entries;
  for (const QAction* action : menu->actions()) {
    entries << (action->isSeparator() ? QStringLiteral("-") : action->objectName());
  }
  return entries;
}

}  // namespace

class WindowLayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    window_ = std::make_unique<WindowUnderTest>();
    window_->StartWithDatabase();
  }
  void cleanup() { window_.reset(); }

  void menuBarHoldsFiveMenusInOrder() {
    const QList<QAction*> menus = window_->Form().menuBar()->actions();
    QStringList titles;
    for (const QAction* menu : menus) titles << menu->text();
    QCOMPARE(titles,
             (QStringList{"ファイル(&F)", "編集(&E)", "ﾃﾞｰﾀｰﾍﾞｰｽ(&D)", "設定(&S)", "ヘルプ(&H)"}));
    QCOMPARE(MenuEntries(menus[0]->menu()),
             (QStringList{"AlNewDB", "AlOpenDB", "AlMargeDB", "-", "AlLoadSQL", "AlLogSave", "-",
                          "AlPrint", "-", "AlAppClose"}));
    QCOMPARE(MenuEntries(menus[1]->menu()),
             (QStringList{"AlUnDo", "-", "AlCut", "AlCopy", "AlPaste", "-", "AlPrevSQLCode",
                          "AlNextSQLCode", "AlCodeClear", "AlLogClear"}));
    QCOMPARE(MenuEntries(menus[2]->menu()),
             (QStringList{"AlDBExec", "AlListTableNames", "-", "AlDBOpen", "AlDBInit"}));
    QCOMPARE(MenuEntries(menus[3]->menu()), (QStringList{"AlFontLarge", "AlFontSmall", "-",
                                                         "AlWordWrap", "AlClearTextAfterExec"}));
    QCOMPARE(MenuEntries(menus[4]->menu()), (QStringList{"AlHelp", "AlShowVersion"}));
    for (const QAction* menu : menus) {
      QCOMPARE(menu->menu()->palette().color(QPalette::Highlight), QColor(226, 225, 219));
    }
  }

  void menuMnemonicsOpenAMenuAndChooseItsCommand() {
    TMainForm& form = window_->Form();
    form.MmSql->setPlainText(QStringLiteral("SELECT 'menu'"));
    window_->MarkResult();
    // Alt+D opens the database menu; R chooses "実行(&R)" there.
    window_->Press(QKeyCombination(Qt::AltModifier, Qt::Key_D));
    QMenu* database = form.menuBar()->actions()[2]->menu();
    QTRY_VERIFY(database->isVisible());
    QTest::keyClick(database, Qt::Key_R);
    QTRY_VERIFY(!database->isVisible());
    QVERIFY(window_->ResultSinceMark().startsWith(QStringLiteral("SELECT 'menu'\n")));
  }

  void everyCommandHasItsCaptionAndShortcut() {
    struct Expected {
      const char* name;
      const char* caption;
      const char* shortcut;
    };
    const Expected commands[] = {
        {"AlNewDB", "新規データベース(&N)", "Ctrl+N"},
        {"AlDBInit", "データベースの初期化(&I)", ""},
        {"AlAppClose", "終了(&X)", "Ctrl+Q"},
        {"AlDBExec", "実行(&R)", "F5"},
        {"AlLoadSQL", "SQLﾌｧｲﾙの実行(&O)", "Ctrl+O"},
        {"AlListTableNames", "テーブル名の一覧(&L)", "Ctrl+L"},
        {"AlLogSave", "結果の保存(&S)", "Ctrl+S"},
        {"AlCut", "切り取り(&X)", "Ctrl+X"},
        {"AlNextSQLCode", "１つ後のSQLコード(&N)", "F4"},
        {"AlCopy", "コピー(&C)", "Ctrl+C"},
        {"AlPaste", "貼り付け(&V)", "Ctrl+V"},
        {"AlLogClear", "結果の消去(&E)", ""},
        {"AlHelp", "Tarnwickのヘルプ(&H)", ""},
        {"AlUnDo", "元に戻す(&Z)", "Ctrl+Z"},
        {"AlPrevSQLCode", "１つ前のSQLコード(&P)", "F3"},
        {"AlSelectAll", "全て選択(&A)", "Ctrl+A"},
        {"AlOpenDB", "ﾃﾞｰﾀﾍﾞｰｽﾌｧｲﾙを開く(&M)", "Ctrl+M"},
        {"AlFontLarge", "フォントを大きく(&L)", ""},
        {"AlFontSmall", "フォントを小さく(&S)", ""},
        {"AlClearTextAfterExec", "実行後にSQL文をクリア(&C)", ""},
        {"AlShowVersion", "バージョン(&V)", ""},
        {"AlCodeClear", "SQL文の消去(&S)", "Ctrl+K"},
        {"AlPrint", "印刷(&P)", "Ctrl+P"},
        {"AlWordWrap", "行を折り返さない(&R)", ""},
        {"AlMargeDB", "ﾃﾞｰﾀﾍﾞｰｽﾌｧｲﾙの取込み(&A)", ""},
    };
    for (const Expected& expected : commands) {
      const auto* action = window_->Form().findChild<QAction*>(expected.name);
      QVERIFY2(action != nullptr, expected.name);
      QCOMPARE(action->text(), QString::fromUtf8(expected.caption));
      QCOMPARE(action->shortcut().toString(QKeySequence::PortableText),
               QString::fromLatin1(expected.shortcut));
      QVERIFY2(window_->Form().actions().contains(action), expected.name);
    }
    // The connect command's first caption gives way to the connection's state at start-up.
    QCOMPARE(window_->Form().AlDBOpen->text(), QStringLiteral("DBの切断(&A)"));
    // Two switches carry check marks, both off without a settings file.
    QVERIFY(window_->Form().AlWordWrap->isCheckable());
    QVERIFY(window_->Form().AlClearTextAfterExec->isCheckable());
    QVERIFY(!window_->Form().AlWordWrap->isChecked());
    QVERIFY(!window_->Form().AlClearTextAfterExec->isChecked());
    // "Select all" stands in no menu.
    for (const QAction* menu : window_->Form().menuBar()->actions()) {
      QVERIFY(!menu->menu()->actions().contains(window_->Form().AlSelectAll));
    }
  }

  void windowHasItsSizesColoursAndIcon() {
    TMainForm& form = window_->Form();
    QCOMPARE(form.windowTitle(), QStringLiteral("Tarnwick"));
    QCOMPARE(form.size(), QSize(517, 355));
    // The minimum counts the window frame.
    const QSize frame = form.frameGeometry().size() - form.size();
    QCOMPARE(form.minimumSize() + frame, QSize(300, 200));
    form.resize(100, 50);
    QCOMPARE(form.size(), form.minimumSize());
    QVERIFY(form.frameGeometry().width() >= 300 && form.frameGeometry().height() >= 200);
    QCOMPARE(form.palette().color(QPalette::Window), QColor(255, 251, 240));
    QCOMPARE(form.menuBar()->height(), 23);
    QCOMPARE(form.menuBar()->palette().color(QPalette::Highlight), QColor(226, 225, 219));
    const auto* panel2 = form.findChild<QWidget*>(QStringLiteral("Panel2"));
    QVERIFY(panel2 != nullptr);
    QCOMPARE(panel2->palette().color(QPalette::Window), QColor(226, 196, 100));
    QCOMPARE(form.findChild<QWidget*>(QStringLiteral("Panel1"))->width(), 104);
    for (int size : {16, 24, 32, 48, 64}) {
      QVERIFY(form.windowIcon().availableSizes().contains(QSize(size, size)));
    }
    // The icon: lighter blue above, darker blue below, white lettering in both halves.
    const QImage icon = TarnwickIconPixmap(64).toImage();
    const QColor upper = icon.pixelColor(3, 16);
    const QColor lower = icon.pixelColor(3, 48);
    QVERIFY(upper.blue() > upper.red() && lower.blue() > lower.red());
    QVERIFY(upper.lightness() > lower.lightness());
    auto hasWhite = [&](int top, int bottom) {
      for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < 64; ++x) {
          if (icon.pixelColor(x, y).lightness() > 240) return true;
        }
      }
      return false;
    };
    QVERIFY(hasWhite(4, 32));
    QVERIFY(hasWhite(32, 60));
  }

  void buttonsHaveFacesTooltipsAndPlaces() {
    TMainForm& form = window_->Form();
    QCOMPARE(form.BtnSQLExec->text(), QStringLiteral("実行(F5)"));
    QCOMPARE(form.BtnSQLExec->toolTip(), QStringLiteral("SQLを実行します"));
    QCOMPARE(form.BtnSQLExec->geometry(), QRect(14, 8, 75, 25));
    QCOMPARE(form.SbCodeClear->toolTip(), QStringLiteral("SQL文の消去"));
    QCOMPARE(form.SbCodeClear->geometry(), QRect(32, 48, 41, 41));
    QCOMPARE(form.SbLogClear->toolTip(), QStringLiteral("結果の消去"));
    QCOMPARE(form.SbLogClear->geometry(), QRect(32, 96, 41, 41));
    QVERIFY(form.SbCodeClear->autoRaise() && form.SbLogClear->autoRaise());
    QVERIFY(!form.SbCodeClear->icon().isNull() && !form.SbLogClear->icon().isNull());
    const QImage blue = form.SbCodeClear->icon().pixmap(32, 32).toImage();
    const QImage beige = form.SbLogClear->icon().pixmap(32, 32).toImage();
    QCOMPARE(blue.pixelColor(0, 0).alpha(), 0);  // transparent background
    QVERIFY(blue.pixelColor(22, 12).blue() > blue.pixelColor(22, 12).red());
    QVERIFY(beige.pixelColor(22, 12).red() > beige.pixelColor(22, 12).blue());
    // The Run button runs the SQL pane.
    form.MmSql->setPlainText(QStringLiteral("SELECT 1"));
    QTest::mouseClick(form.BtnSQLExec, Qt::LeftButton);
    QVERIFY(window_->ResultText().contains(QStringLiteral("SELECT 1\n")));
    // The blue eraser empties the SQL pane.
    QTest::mouseClick(form.SbCodeClear, Qt::LeftButton);
    QVERIFY(form.MmSql->toPlainText().isEmpty());
  }

  void panesHaveTheirTooltipsFontsAndWrapping() {
    TMainForm& form = window_->Form();
    QCOMPARE(form.MmSql->toolTip(), QStringLiteral("ここにSQLを入力してください"));
    QCOMPARE(form.MmResult->toolTip(), QStringLiteral("SQLの実行結果がここに表示されます"));
    QCOMPARE(form.MmSql->height(), 104);
    QCOMPARE(form.MmSql->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(form.MmResult->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QCOMPARE(form.MmResult->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(form.MmSql->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(form.SqlFontSize(), 9);
    QCOMPARE(QFontInfo(form.MmSql->font()).family(), QStringLiteral("IPAGothic"));
    QCOMPARE(QFontInfo(form.MmResult->font()).family(), QStringLiteral("IPAGothic"));
    QCOMPARE(form.MmResult->font().pointSize(), 9);
    QCOMPARE(QFontInfo(form.font()).family(), QStringLiteral("IPAPGothic"));
    QCOMPARE(QFontInfo(form.menuBar()->font()).family(), QStringLiteral("IPAPGothic"));
  }

  void paneFontGivesDoubleWidthCharactersTwoCellsAtEverySize() {
    for (int points = 7; points <= 24; ++points) {
      const QFontMetricsF metrics(PaneFont(points));
      const qreal cell = metrics.horizontalAdvance(QStringLiteral("a"));
      QVERIFY(cell > 0);
      // A grid row: one double-width character against two single-width ones, many times.
      const QString wide = QStringLiteral("漢あアＡ").repeated(20);
      const QString narrow = QStringLiteral("abcdefgh").repeated(20);
      QVERIFY2(qAbs(metrics.horizontalAdvance(wide) - metrics.horizontalAdvance(narrow)) < 0.01,
               qPrintable(QString::number(points)));
      QVERIFY2(qAbs(metrics.horizontalAdvance(QStringLiteral("ｱｲｳ")) - 3 * cell) < 0.01,
               qPrintable(QString::number(points)));
    }
    QCOMPARE(MappedFontFamily(QStringLiteral("ＭＳ ゴシック")), QStringLiteral("IPAGothic"));
    QCOMPARE(MappedFontFamily(QStringLiteral("ＭＳ Ｐゴシック")), QStringLiteral("IPAPGothic"));
    QCOMPARE(MappedFontFamily(QStringLiteral("MS UI Gothic")), QStringLiteral("IPAPGothic"));
  }

  void tabMovesTheFocusAroundWithoutTypingATab() {
    TMainForm& form = window_->Form();
    QCOMPARE(QApplication::focusWidget(), form.MmSql);
    window_->Press(QKeyCombination(Qt::Key_Tab));
    QCOMPARE(QApplication::focusWidget(), form.MmResult);
    window_->Press(QKeyCombination(Qt::Key_Tab));
    QCOMPARE(QApplication::focusWidget(), form.BtnSQLExec);
    window_->Press(QKeyCombination(Qt::Key_Tab));
    QCOMPARE(QApplication::focusWidget(), form.MmSql);
    QVERIFY(!form.MmSql->toPlainText().contains(QLatin1Char('\t')));
    // Enter inserts a line break.
    QTest::keyClicks(form.MmSql, QStringLiteral("a"));
    window_->Press(QKeyCombination(Qt::Key_Return));
    QTest::keyClicks(form.MmSql, QStringLiteral("b"));
    QCOMPARE(form.MmSql->toPlainText(), QStringLiteral("a\nb"));
  }

  void dividerClosesTheSqlPaneAtThirtyPixelsAndKeepsThirtyForTheResult() {
    QCOMPARE(DividedHeight(104, 300), 104);
    QCOMPARE(DividedHeight(31, 300), 31);
    QCOMPARE(DividedHeight(30, 300), 0);
    QCOMPARE(DividedHeight(5, 300), 0);
    QCOMPARE(DividedHeight(-10, 300), 0);
    QCOMPARE(DividedHeight(290, 300), 270);
    QCOMPARE(DividedHeight(100, 50), 0);  // no room above the result pane's 30 pixels

    TMainForm& form = window_->Form();
    const int shared = form.MmSql->height() + form.MmResult->height();
    form.Splitter1->DragTo(60);
    QTest::qWait(0);
    QCOMPARE(form.MmSql->height(), 60);
    form.Splitter1->DragTo(2000);
    QTest::qWait(0);
    QCOMPARE(form.MmResult->height(), 30);
    QCOMPARE(form.MmSql->height() + form.MmResult->height(), shared);
    form.Splitter1->DragTo(25);
    QTest::qWait(0);
    QCOMPARE(form.MmSql->height(), 0);
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

 private:
  std::unique_ptr<WindowUnderTest> window_;
};

QTEST_MAIN(WindowLayoutTest)
#include "tst_window_layout.moc"
