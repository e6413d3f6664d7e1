// What the window remembers for its user between runs, in a fresh home folder: the window's
// place and size, the divider, the font size and the switches, the dialogs' folders, the
// recent databases, the table panel, and the statement history that F3 steps back through.
// A damaged file is set aside with one line; the settings file is never written.
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTest>

#include "gui/PaneDivider.h"
#include "gui/TablePanel.h"
#include "support/WindowUnderTest.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

QString StateFile(const WindowUnderTest& window) {
  return window.File(QStringLiteral("home/.config/tarnwick/window.conf"));
}
QString HistoryFile(const WindowUnderTest& window) {
  return window.File(QStringLiteral("home/.local/share/tarnwick/history.txt"));
}

// F3 as many times as asked; the pane's text after each.
QStringList StepBack(WindowUnderTest& window, int times) {
  QStringList texts;
  for (int i = 0; i < times; ++i) {
    window.Form().AlPrevSQLCode->trigger();
    texts << window.Form().MmSql->toPlainText();
  }
  return texts;
}

}  // namespace

class MemoryAcrossRunsTest : public QObject {
  Q_OBJECT

 private slots:
  void theWindowAndItsHistoryComeBackAfterARestart() {
    WindowUnderTest window;
    WindowUnderTest::CreateDatabase(window.File(QStringLiteral("other.mdb")));
    TMainForm& first = window.StartWithDatabase();
    // The first start is the window as it has always opened.
    QCOMPARE(first.size(), QSize(517, 355));
    QVERIFY(!first.Tables()->isVisible());
    first.resize(700, 520);
    first.Splitter1->DragTo(60);
    first.AlFontLarge->trigger();
    first.AlFontLarge->trigger();
    first.AlWordWrap->trigger();
    first.AlClearTextAfterExec->trigger();
    first.AlShowTablePanel->trigger();
    window.dialogs.answers = {window.File(QStringLiteral("other.mdb"))};
    first.AlOpenDB->trigger();
    window.RunSql(QStringLiteral("CREATE TABLE t (a LONG);\nINSERT INTO t VALUES (1);"));
    window.Destroy();
    QVERIFY(QFileInfo::exists(StateFile(window)));
    QVERIFY(!QFileInfo::exists(window.ExeFile(QStringLiteral("Tarnwick.ini"))));

    TMainForm& second = window.Start({QStringLiteral("test.mdb")});
    QTest::qWait(0);
    QCOMPARE(second.size(), QSize(700, 520));
    QCOMPARE(second.MmSql->height(), 60);
    QCOMPARE(second.SqlFontSize(), 11);
    QVERIFY(second.AlWordWrap->isChecked());
    QCOMPARE(second.MmResult->lineWrapMode(), QPlainTextEdit::NoWrap);
    QVERIFY(second.AlClearTextAfterExec->isChecked());
    QVERIFY(second.AlShowTablePanel->isChecked() && second.Tables()->isVisible());
    // The database dialog opens where the last database was chosen.
    window.dialogs.folders.clear();
    second.AlOpenDB->trigger();
    QCOMPARE(window.dialogs.folders, QStringList{window.File(QString())});
    // The recent databases, the most recent first, are offered in the File menu.
    QCOMPARE(second.RecentDatabases(), (QStringList{window.File(QStringLiteral("test.mdb")),
                                                    window.File(QStringLiteral("other.mdb"))}));
    QMenu* recent = second.AlRecentDB->menu();
    emit recent->aboutToShow();
    QCOMPARE(recent->actions().size(), 2);
    QCOMPARE(recent->actions()[1]->text(), "&2 " + window.File(QStringLiteral("other.mdb")));
    // The statements of the run before are in the history, the newest first.
    QCOMPARE(StepBack(window, 3), (QStringList{QStringLiteral("\nINSERT INTO t VALUES (1);"),
                                               QStringLiteral("CREATE TABLE t (a LONG);"),
                                               QStringLiteral("CREATE TABLE t (a LONG);")}));
    // No line about the files was written.
    QVERIFY(!window.ResultText().contains(QStringLiteral("使いませんでした")));
  }

  void aRecentDatabaseThatIsGoneIsSaidAndForgotten() {
    WindowUnderTest window;
    WindowUnderTest::CreateDatabase(window.File(QStringLiteral("other.mdb")));
    TMainForm& form = window.StartWithDatabase();
    window.dialogs.answers = {window.File(QStringLiteral("other.mdb"))};
    form.AlOpenDB->trigger();
    QCOMPARE(form.RecentDatabases().size(), 2);
    form.OpenRecentDatabase(window.File(QStringLiteral("test.mdb")));
    QCOMPARE(form.Session().MdbName, std::string("test.mdb"));
    QVERIFY(QFile::remove(window.File(QStringLiteral("other.mdb"))));
    window.MarkResult();
    form.OpenRecentDatabase(window.File(QStringLiteral("other.mdb")));
    QVERIFY(window.ResultSinceMark().startsWith(QStringLiteral("データベースファイル \"") +
                                                window.File(QStringLiteral("other.mdb")) +
                                                QStringLiteral("\" が見つかりません。")));
    QCOMPARE(form.RecentDatabases(), QStringList{window.File(QStringLiteral("test.mdb"))});
    QCOMPARE(form.Session().MdbName, std::string("test.mdb"));
    QCOMPARE(form.AlDBOpen->text(), QStringLiteral("DBの切断(&A)"));
  }

  void historyZeroInTheSettingsKeepsTheHistoryForTheRunOnly() {
    WindowUnderTest window;
    const QString ini = window.ExeFile(QStringLiteral("Tarnwick.ini"));
    WindowUnderTest::WriteText(ini, QStringLiteral("[GUI]\nHISTORY=0\n"));
    window.StartWithDatabase();
    window.RunSql(QStringLiteral("SELECT 1;"));
    QCOMPARE(StepBack(window, 1), QStringList{QStringLiteral("SELECT 1;")});
    window.Destroy();
    QVERIFY(!QFileInfo::exists(HistoryFile(window)));
    window.Start({QStringLiteral("test.mdb")});
    QCOMPARE(window.Form().History().Count(), 0u);
    QCOMPARE(ReadBytesOf(ini), QByteArray("[GUI]\nHISTORY=0\n"));
  }

  void damagedFilesAreSetAsideWithOneLineEach() {
    WindowUnderTest window;
    QDir().mkpath(QFileInfo(StateFile(window)).absolutePath());
    QDir().mkpath(QFileInfo(HistoryFile(window)).absolutePath());
    WindowUnderTest::WriteText(StateFile(window),
                               QStringLiteral("[window]\ndivider=wide\n[panes]\nfontSize=huge\n"));
    WindowUnderTest::WriteText(HistoryFile(window), QStringLiteral("not a history\n"));
    TMainForm& form = window.StartWithDatabase();
    const QString result = window.ResultText();
    QCOMPARE(result.count(QStringLiteral("使いませんでした")), 2);
    QVERIFY(result.contains(QStringLiteral("ウィンドウの状態を記録したファイル \"") +
                            StateFile(window)));
    QVERIFY(result.contains(QStringLiteral("SQLの履歴のファイル \"") + HistoryFile(window)));
    // The start went on as a first start, and the files are made anew.
    QVERIFY(result.contains(QStringLiteral("test.mdb ファイルに接続しました")));
    QCOMPARE(form.size(), QSize(517, 355));
    QCOMPARE(form.SqlFontSize(), 9);
    window.RunSql(QStringLiteral("SELECT 2;"));
    window.Destroy();
    window.Start({QStringLiteral("test.mdb")});
    QVERIFY(!window.ResultText().contains(QStringLiteral("使いませんでした")));
    QCOMPARE(StepBack(window, 1), QStringList{QStringLiteral("SELECT 2;")});
  }

 private:
  static QByteArray ReadBytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};

QTEST_MAIN(MemoryAcrossRunsTest)
#include "tst_memory_across_runs.moc"
