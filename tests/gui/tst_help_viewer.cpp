// The help viewer and the help commands: F1 in the SQL pane opens the entry of the function or
// keyword at the caret, the viewer finds text, goes back and forward, keeps its table of
// contents on the part being read and folds the exercises' answers; the Help menu's sample
// command makes, keeps or renews the learner's copy of the sample database and connects.
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>

#include "gui/HelpContents.h"
#include "gui/HelpTopics.h"
#include "gui/HelpViewer.h"
#include "jet/functions/JetFunctions.h"
#include "support/WindowUnderTest.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

const QString kHelpFile = QStringLiteral(TARNWICK_HELP_FILE);

// The text of the document's block at the top of the page.
QString TextAtTop(QTextBrowser& page) {
  return page.cursorForPosition(QPoint(4, 4)).block().text();
}

}  // namespace

class HelpViewerTest : public WindowTestCase {
  Q_OBJECT

  HelpViewer& OpenHelp(const QString& anchor = {}) {
    if (!QFile::exists(window_->ExeFile(QStringLiteral("tarnwick-help.html")))) {
      QFile::copy(kHelpFile, window_->ExeFile(QStringLiteral("tarnwick-help.html")));
    }
    TMainForm& form = window_->Form();
    if (anchor.isEmpty()) {
      form.AlHelp->trigger();
    } else {
      form.MmSql->setPlainText(anchor);
      PressF1();
    }
    QCoreApplication::processEvents();
    return *form.Help();
  }

  // F1 in the SQL pane, the main window active again after the viewer took the focus.
  void PressF1() {
    TMainForm& form = window_->Form();
    form.windowHandle()->requestActivate();
    QTRY_COMPARE(QApplication::activeWindow(), &form);
    form.MmSql->setFocus();
    QTest::keyClick(form.MmSql, Qt::Key_F1);
  }

 private slots:
  void theWordAtTheCaretNamesItsEntry_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caret");
    QTest::addColumn<QString>("anchor");
    QTest::newRow("in a function") << "SELECT DateAdd('d', 1, x)" << 10 << "fn-DateAdd";
    QTest::newRow("after a function, any case") << "select left(氏名, 2)" << 11 << "fn-Left";
    QTest::newRow("text function with $") << "Mid$(a, 2)" << 0 << "fn-Mid";
    QTest::newRow("LEFT of a join") << "a LEFT JOIN b" << 4 << "kw-join";
    QTest::newRow("Date() and the type DATE") << "SELECT Date()" << 8 << "fn-Date";
    QTest::newRow("the type DATE") << "(d DATE)" << 4 << "types";
    QTest::newRow("aggregate") << "Count(*)" << 2 << "fn-Count";
    QTest::newRow("clause") << "GROUP BY 部署" << 6 << "kw-groupby";
    QTest::newRow("operator") << "x LIKE 'a%'" << 3 << "op-like";
    QTest::newRow("a column's name") << "SELECT 氏名 FROM" << 8 << "";
    QTest::newRow("between words") << "SELECT  FROM" << 7 << "";
    QTest::newRow("nothing") << "" << 0 << "";
  }
  void theWordAtTheCaretNamesItsEntry() {
    QFETCH(QString, text);
    QFETCH(int, caret);
    QFETCH(QString, anchor);
    QCOMPARE(HelpAnchorAt(text, caret), anchor);
  }

  // Every entry F1 can open is in the help document.
  void everyEntryF1OpensIsInTheHelp() {
    QFile file(kHelpFile);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    QStringList anchors = KeywordAnchors();
    for (const std::string& name : JetFunctionNames()) {
      anchors << QStringLiteral("fn-") + QString::fromStdString(name);
    }
    for (const QString& anchor : anchors) {
      QVERIFY2(html.contains(QStringLiteral(" id=\"%1\"").arg(anchor)), qPrintable(anchor));
    }
  }

  void f1OpensTheEntryAtTheCaretAndTheTopWithoutOne() {
    TMainForm& form = window_->Form();
    form.MmSql->setPlainText(QStringLiteral("SELECT DateDiff('d', 受注日, 出荷日) FROM 受注"));
    QTextCursor caret = form.MmSql->textCursor();
    caret.setPosition(9);
    form.MmSql->setTextCursor(caret);
    QFile::copy(kHelpFile, window_->ExeFile(QStringLiteral("tarnwick-help.html")));
    PressF1();
    QCoreApplication::processEvents();
    HelpBrowser& page = *form.Help()->Browser();
    QVERIFY(form.Help()->isVisible());
    QCOMPARE(page.source().fragment(), QStringLiteral("fn-DateDiff"));
    QCOMPARE(TextAtTop(page), QStringLiteral("DateDiff"));

    caret.setPosition(form.MmSql->toPlainText().size());
    form.MmSql->setTextCursor(caret);
    form.MmSql->insertPlainText(QStringLiteral(" "));
    PressF1();
    QCOMPARE(page.verticalScrollBar()->value(), 0);
  }

  void searchGoesToTheNextAndPreviousPlaceAndSaysWhenThereIsNone() {
    HelpViewer& help = OpenHelp();
    HelpBrowser& page = *help.Browser();
    help.SearchField()->setText(QStringLiteral("DateSerial"));
    help.FindNext(false);
    const int first = page.textCursor().selectionStart();
    QCOMPARE(page.textCursor().selectedText(), QStringLiteral("DateSerial"));
    help.FindNext(false);
    QVERIFY(page.textCursor().selectionStart() > first);
    help.FindNext(true);
    QCOMPARE(page.textCursor().selectionStart(), first);
    // Before the first place, the search goes on from the end.
    help.FindNext(true);
    QVERIFY(page.textCursor().selectionStart() > first);

    const QTextCursor before = page.textCursor();
    help.SearchField()->setText(QStringLiteral("ないはずの言葉XYZ"));
    help.FindNext(false);
    QCOMPARE(help.findChild<QLabel*>(QStringLiteral("HelpSearchState"))->text(),
             QStringLiteral("見つかりません"));
    QCOMPARE(page.textCursor().selectionStart(), before.selectionStart());
  }

  void backAndForwardRetraceTheEntriesRead() {
    HelpViewer& help = OpenHelp(QStringLiteral("DateAdd"));
    OpenHelp(QStringLiteral("Round"));
    HelpBrowser& page = *help.Browser();
    auto* back = help.findChild<QToolButton*>(QStringLiteral("HelpBack"));
    auto* forward = help.findChild<QToolButton*>(QStringLiteral("HelpForward"));
    QCOMPARE(page.source().fragment(), QStringLiteral("fn-Round"));
    QVERIFY(back->isEnabled());
    QVERIFY(!forward->isEnabled());
    back->click();
    QCOMPARE(page.source().fragment(), QStringLiteral("fn-DateAdd"));
    QCOMPARE(TextAtTop(page), QStringLiteral("DateAdd"));
    QVERIFY(forward->isEnabled());
    forward->click();
    QCOMPARE(page.source().fragment(), QStringLiteral("fn-Round"));
    QCOMPARE(TextAtTop(page), QStringLiteral("Round"));
  }

  void theContentsFollowTheReaderAndLeadToTheirPart() {
    HelpViewer& help = OpenHelp(QStringLiteral("Round"));
    HelpContents& contents = *help.Contents();
    QTRY_VERIFY(contents.currentItem() != nullptr);
    QCOMPARE(contents.currentItem()->text(0), QStringLiteral("Round"));
    QCOMPARE(contents.currentItem()->parent()->text(0), QStringLiteral("数値の関数"));

    help.Browser()->verticalScrollBar()->setValue(0);
    QCOMPARE(contents.currentItem()->text(0), QStringLiteral("目次"));

    const QList<QTreeWidgetItem*> messages =
        contents.findItems(QStringLiteral("4. メッセージの一覧"), Qt::MatchExactly);
    QCOMPARE(messages.size(), 1);
    emit contents.itemClicked(messages.first(), 0);
    QCOMPARE(help.Browser()->source().fragment(), QStringLiteral("messages"));
    QCOMPARE(contents.currentItem(), messages.first());
  }

  void anExercisesAnswerOpensAndClosesWhereItStands() {
    HelpViewer& help = OpenHelp(QStringLiteral("SELECT"));
    HelpBrowser& page = *help.Browser();
    const QString answer = QStringLiteral("SELECT 部署コード, 年間予算 FROM 部署;");
    QVERIFY(page.toPlainText().contains(QStringLiteral("▶ 答え")));
    QVERIFY(!page.toPlainText().contains(answer));
    const int place = page.verticalScrollBar()->value();
    page.ToggleAnswer(1);  // the second exercise
    QVERIFY(page.toPlainText().contains(answer));
    QCOMPARE(page.verticalScrollBar()->value(), place);
    page.ToggleAnswer(1);
    QVERIFY(!page.toPlainText().contains(answer));
  }

  // The first time there is no copy: it is made without a question. Later, No keeps the
  // learner's copy with its changes, Yes renews it; both connect to it.
  void theSampleCommandMakesKeepsOrRenewsTheLearnersCopy() {
    const QString dataHome = window_->File(QStringLiteral("data"));
    qputenv("XDG_DATA_HOME", dataHome.toUtf8());
    QVERIFY(QFile::copy(QFileInfo(kHelpFile).dir().filePath(QStringLiteral("tarnwick-sample.mdb")),
                        window_->ExeFile(QStringLiteral("tarnwick-sample.mdb"))));
    TMainForm& form = window_->Form();
    const QString copy = dataHome + QStringLiteral("/tarnwick/tarnwick-sample.mdb");
    const QString count = QStringLiteral("SELECT Count(*) AS n FROM 分類;");

    form.AlOpenSample->trigger();
    QVERIFY(window_->dialogs.shown.isEmpty());
    QCOMPARE(form.Session().DatabasePath(), ConsolePath(copy));
    QVERIFY(window_->ResultSinceMark().endsWith(
        QStringLiteral("tarnwick-sample.mdb ファイルに接続しました\n\n")));
    window_->RunSql(QStringLiteral("INSERT INTO 分類 VALUES ('07', '梱包資材');"));

    const QString question = QStringLiteral(
        "ask サンプルデータベースを開く: サンプルデータベースのコピーは既にあります。"
        "元の内容の新しいコピーで置き換えますか？\n（「いいえ」なら今のコピーを開きます） [No]");
    for (const auto& [answer, rows] : {std::pair{"no", "7"}, std::pair{"yes", "6"}}) {
      window_->dialogs.shown.clear();
      window_->dialogs.answers = {QString::fromLatin1(answer)};
      form.AlOpenSample->trigger();
      QCOMPARE(window_->dialogs.shown, QStringList{question});
      window_->MarkResult();
      window_->RunSql(count);
      QVERIFY2(window_->ResultSinceMark().contains(QStringLiteral("\n") + rows + "|\n"),
               qPrintable(window_->ResultSinceMark()));
    }
    QVERIFY(window_->dialogs.errors.isEmpty());
    qunsetenv("XDG_DATA_HOME");
  }
};

QTEST_MAIN(HelpViewerTest)
#include "tst_help_viewer.moc"
