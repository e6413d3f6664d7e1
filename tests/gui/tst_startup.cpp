// Start-up and shutdown: the banner, the database choice from the argument or the settings,
// the settings' fonts and switches, failures at start-up, dropped files, compaction on close.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QTest>

#include "support/WindowUnderTest.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

const QString kBanner = QStringLiteral(
    "Tarnwick Version 0.62 build 2/22/2012\n"
    "Copyright (C) The Tarnwick developers. All rights reserved.\n"
    "\n");

// After a failed start-up step: the banner alone, the connect command's first caption, and
// no dropped files accepted.
bool StartedWithoutDatabase(WindowUnderTest& window) {
  return window.ResultText() == kBanner &&
         window.Form().AlDBOpen->text() == QStringLiteral("DBの起動(&A)") &&
         !window.Form().AcceptsDroppedFiles();
}

}  // namespace

class StartUpTest : public QObject {
  Q_OBJECT

 private slots:
  void databaseArgumentConnectsAfterTheBanner() {
    WindowUnderTest window;
    TMainForm& form = window.StartWithDatabase();
    QCOMPARE(window.ResultText(), kBanner + QStringLiteral("test.mdb ファイルに接続しました\n\n"));
    QCOMPARE(form.AlDBOpen->text(), QStringLiteral("DBの切断(&A)"));
    QCOMPARE(form.Session().DbDir, std::string());
    QCOMPARE(form.Session().MdbName, std::string("test.mdb"));
    QCOMPARE(form.Session().UdlName, std::string("test.udl"));
    QVERIFY(QFileInfo::exists(window.File(QStringLiteral("test.udl"))));
    // Dropped files are accepted after a start with a database argument too.
    QVERIFY(form.AcceptsDroppedFiles());
    QVERIFY(form.acceptDrops());
    QCOMPARE(QApplication::focusWidget(), form.MmSql);
    QVERIFY(window.dialogs.errors.isEmpty());
  }

  void argumentOfAnotherKindIsIgnoredAndTheSettingsApply() {
    WindowUnderTest window;
    QDir().mkpath(window.File(QStringLiteral("data")));
    qputenv("TARNWICK_TEST_DATA", window.File(QStringLiteral("data")).toUtf8());
    WindowUnderTest::WriteText(window.ExeFile(QStringLiteral("Tarnwick.ini")),
                               QStringLiteral("[system]\r\nSAVEPATH=%TARNWICK_TEST_DATA%\r\n"
                                              "MDBFILE=my.mdb\r\nUDLFILE=my.udl\r\n"
                                              "[GUI]\r\nfontsize=0x0C\r\nCLEARTEXT=-5\r\n"
                                              "WORDWRAP=1\r\n"));
    TMainForm& form = window.Start({QStringLiteral("notes.txt")});
    QCOMPARE(window.ResultText(), kBanner + QStringLiteral("my.mdb ファイルに接続しました\n\n"));
    QVERIFY(QFileInfo::exists(window.File(QStringLiteral("data/my.mdb"))));
    QVERIFY(QFileInfo::exists(window.File(QStringLiteral("data/my.udl"))));
    QCOMPARE(form.SqlFontSize(), 12);
    QCOMPARE(form.MmSql->font().pointSize(), 12);
    QCOMPARE(form.MmResult->font().pointSize(), 12);
    QVERIFY(form.AlClearTextAfterExec->isChecked());
    QVERIFY(form.AlWordWrap->isChecked());
    QCOMPARE(form.MmResult->lineWrapMode(), QPlainTextEdit::NoWrap);
    QVERIFY(form.AcceptsDroppedFiles());
    qunsetenv("TARNWICK_TEST_DATA");
  }

  void withoutSettingsTheDatabaseLiesBesideTheProgram() {
    WindowUnderTest window;
    TMainForm& form = window.Start({});
    QCOMPARE(window.ResultText(),
             kBanner + QStringLiteral("default.mdb ファイルに接続しました\n\n"));
    QVERIFY(QFileInfo::exists(window.ExeFile(QStringLiteral("default.mdb"))));
    QVERIFY(QFileInfo::exists(window.ExeFile(QStringLiteral("default.udl"))));
    QCOMPARE(form.SqlFontSize(), 9);
    QVERIFY(!form.AlWordWrap->isChecked());
  }

  void unreadableSettingsAreReportedAndNoDatabaseIsChosen() {
    WindowUnderTest window;
    // A settings file that exists but cannot be read (even by an administrator).
    QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"),
                        window.ExeFile(QStringLiteral("Tarnwick.ini"))));
    window.Start({QStringLiteral("test.mdb")});
    QCOMPARE(window.dialogs.errors.size(), 1);
    QVERIFY(window.dialogs.errors[0].startsWith(QStringLiteral("ファイル \"")));
    QVERIFY(window.dialogs.errors[0].endsWith(QStringLiteral("は開けません.")));
    QVERIFY(StartedWithoutDatabase(window));
    // Nothing was chosen, so nothing is compacted at shutdown and no error follows.
    window.Destroy();
    QCOMPARE(window.dialogs.errors.size(), 1);
    QVERIFY(!QFileInfo::exists(window.File(QStringLiteral("test.udl"))));
  }

  void failedDatabaseChoiceLeavesTheWindowDisconnectedWithoutDrops() {
    WindowUnderTest window;
    WindowUnderTest::WriteText(window.ExeFile(QStringLiteral("Tarnwick.ini")),
                               QStringLiteral("[SYSTEM]\nSAVEPATH=/proc/no-such-folder\n"));
    window.Start({});
    QCOMPARE(window.dialogs.errors.size(), 1);
    QVERIFY(window.dialogs.errors[0].contains(QStringLiteral("/proc/no-such-folder/default.mdb")));
    QVERIFY(window.dialogs.errors[0].endsWith(QStringLiteral("を作成できません.")));
    QVERIFY(StartedWithoutDatabase(window));
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void plugInsOfTheWorkingFolderAreListed() {
    WindowUnderTest window;
    QVERIFY(QFile::copy(QStringLiteral(TARNWICK_HELLO_PLUGIN),
                        window.File(QStringLiteral("hello.dll"))));
    QVERIFY(QFile::copy(QStringLiteral(TARNWICK_HELLO_PLUGIN),
                        window.File(QStringLiteral("again.DLL"))));
    WindowUnderTest::WriteText(window.File(QStringLiteral("notes.dll")), QStringLiteral("text"));
    TMainForm& form = window.StartWithDatabase();
    QCOMPARE(form.PlugIns().size(), std::size_t{2});
    // The scan runs before the banner: nothing of it shows in the log.
    QVERIFY(window.ResultText().startsWith(kBanner));
    window.MarkResult();
    form.AlEnablePlugInsExecute();
    QCOMPARE(window.ResultSinceMark(), QString());
    form.AlListPlugInsExecute();
    QCOMPARE(window.ResultSinceMark(), QStringLiteral("Hello\nHello\n"));
    QVERIFY(window.dialogs.errors.isEmpty());
  }

  void closingCompactsTheDatabase() {
    WindowUnderTest window;
    TMainForm& form = window.StartWithDatabase();
    QStringList script{QStringLiteral("CREATE TABLE big (a MEMO);")};
    const QString filler(20000, QLatin1Char('x'));
    for (int i = 0; i < 40; ++i) {
      script << QStringLiteral("INSERT INTO big VALUES ('%1');").arg(filler);
    }
    script << QStringLiteral("DROP TABLE big;");
    window.RunSql(script.join(QLatin1Char('\n')));
    QVERIFY(!window.ResultText().contains(QStringLiteral("ERROR")));
    const QString database = window.File(QStringLiteral("test.mdb"));
    // The engine may hold recent pages in its log beside the file until it closes.
    const qint64 before =
        QFileInfo(database).size() + QFileInfo(database + QStringLiteral("-wal")).size();
    QVERIFY(before > 500000);
    // Closing asks nothing, whatever the panes hold.
    form.MmSql->setPlainText(QStringLiteral("unsaved text"));
    window.Press(QKeyCombination(Qt::ControlModifier, Qt::Key_Q));
    QVERIFY(!form.isVisible());
    QVERIFY(window.dialogs.questions.empty());
    window.Destroy();
    QVERIFY(window.dialogs.errors.isEmpty());
    QVERIFY(QFileInfo(database).size() < before / 10);
    QVERIFY(!QFileInfo::exists(database + QStringLiteral(".cache")));
    QVERIFY(!QFileInfo::exists(database + QStringLiteral("-wal")));
  }

  void compactionFailureIsShownAtShutdown() {
    WindowUnderTest window;
    window.StartWithDatabase();
    const QString database = window.File(QStringLiteral("test.mdb"));
    QVERIFY(QFile::remove(database));
    window.Destroy();
    QCOMPARE(window.dialogs.errors.size(), 1);
    QVERIFY(!QFileInfo::exists(database));
  }
};

QTEST_MAIN(StartUpTest)
#include "tst_startup.moc"
