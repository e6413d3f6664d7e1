// Start-up and shutdown: the banner, the database choice from the argument or the settings,
// the settings' fonts and switches, failures at start-up, the plug-ins, compaction on close.
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

QString Connected(const QString& name) {
  return kBanner + name + QStringLiteral(" ファイルに接続しました\n\n");
}

}  // namespace

class StartUpTest : public QObject {
  Q_OBJECT

 private slots:
  void databaseArgumentConnectsAfterTheBannerAndThePlugInsAreListed() {
    WindowUnderTest window;
    QVERIFY(QFile::copy(QStringLiteral(TARNWICK_HELLO_PLUGIN), window.File("hello.dll")));
    TMainForm& form = window.StartWithDatabase();
    // The plug-in scan runs before the banner: nothing of it shows in the log.
    QCOMPARE(window.ResultText(), Connected(QStringLiteral("test.mdb")));
    QCOMPARE(form.AlDBOpen->text(), QStringLiteral("DBの切断(&A)"));
    QVERIFY(form.AcceptsDroppedFiles() && form.acceptDrops());
    QCOMPARE(QApplication::focusWidget(), form.MmSql);
    window.MarkResult();
    form.AlEnablePlugInsExecute();
    form.AlListPlugInsExecute();
    QCOMPARE(window.ResultSinceMark(), QStringLiteral("Hello\n"));
    QVERIFY(window.dialogs.errors.isEmpty());
  }

  void settingsChooseTheDatabaseFontAndSwitchesWhenTheArgumentNamesNone() {
    WindowUnderTest window;
    QDir().mkpath(window.File(QStringLiteral("data")));
    WindowUnderTest::WriteText(window.ExeFile(QStringLiteral("Tarnwick.ini")),
                               QStringLiteral("[system]\r\nSAVEPATH=%1\r\nMDBFILE=my.mdb\r\n"
                                              "UDLFILE=my.udl\r\n[GUI]\r\nfontsize=0x0C\r\n"
                                              "CLEARTEXT=-5\r\nWORDWRAP=1\r\n")
                                   .arg(window.File(QStringLiteral("data"))));
    TMainForm& form = window.Start({QStringLiteral("notes.txt")});
    QCOMPARE(window.ResultText(), Connected(QStringLiteral("my.mdb")));
    QVERIFY(QFileInfo::exists(window.File(QStringLiteral("data/my.mdb"))));
    QVERIFY(QFileInfo::exists(window.File(QStringLiteral("data/my.udl"))));
    QCOMPARE(form.SqlFontSize(), 12);
    QCOMPARE(form.MmResult->font().pointSize(), 12);
    QVERIFY(form.AlClearTextAfterExec->isChecked());
    QVERIFY(form.AlWordWrap->isChecked());
    QCOMPARE(form.MmResult->lineWrapMode(), QPlainTextEdit::NoWrap);
    QVERIFY(form.AcceptsDroppedFiles());

    WindowUnderTest plain;  // without settings the database lies beside the program
    plain.Start({});
    QVERIFY(QFileInfo::exists(plain.ExeFile(QStringLiteral("default.mdb"))));
  }

  void aFailedStartUpStepIsReportedAndLeavesTheWindowWithoutDatabase() {
    // {settings, the error's start and what follows the path}: settings that cannot be read (a
    // file that even an administrator cannot read), and settings naming a folder where no
    // database can be made. A whole sentence, so no "." after its "。".
    const QString cases[][3] = {
        {QString(), "ファイル \"", "\" は開けません。"},
        {"[SYSTEM]\nSAVEPATH=/proc/no-such-folder\n",
         "ファイル \"/proc/no-such-folder/default.mdb\"", " を作成できません。"}};
    for (const auto& [settings, errorStart, errorEnd] : cases) {
      WindowUnderTest window;
      const QString ini = window.ExeFile(QStringLiteral("Tarnwick.ini"));
      const bool unreadable = settings.isNull();
      if (unreadable) {
        QVERIFY(QFile::link(QStringLiteral("/proc/self/mem"), ini));
      } else {
        WindowUnderTest::WriteText(ini, settings);
      }
      window.Start(unreadable ? QStringList{QStringLiteral("test.mdb")} : QStringList());
      QCOMPARE(window.dialogs.errors.size(), 1);
      const QString error = window.dialogs.errors[0];
      QVERIFY2(error.startsWith(errorStart) && error.contains(errorEnd) && error.endsWith("。"),
               qPrintable(error));
      // The banner alone, the connect command's first caption, no dropped files accepted.
      QCOMPARE(window.ResultText(), kBanner);
      QCOMPARE(window.Form().AlDBOpen->text(), QStringLiteral("DBの起動(&A)"));
      QVERIFY(!window.Form().AcceptsDroppedFiles());
      QVERIFY(QApplication::overrideCursor() == nullptr);
      if (!unreadable) continue;
      // Nothing was chosen, so nothing is compacted at shutdown and no error follows.
      window.Destroy();
      QCOMPARE(window.dialogs.errors.size(), 1);
      QVERIFY(!QFileInfo::exists(window.File(QStringLiteral("test.udl"))));
    }
  }

  void aDatabaseArgumentThatDoesNotExistSaysWhyAndLeavesNothingBehind() {
    WindowUnderTest window;
    TMainForm& form = window.Start({QStringLiteral("missing.mdb")});
    QCOMPARE(
        window.ResultText(),
        kBanner + QStringLiteral("missing.mdbへの接続に失敗しました\n"
                                 "データベースファイル \"missing.mdb\" が見つかりません。\n"
                                 "ヒント: ファイル名とフォルダ名が正しいか確かめてください。\n\n"));
    QCOMPARE(form.AlDBOpen->text(), QStringLiteral("DBの接続(&A)"));
    QVERIFY(!QFileInfo::exists(window.File(QStringLiteral("missing.udl"))));
    // Closing: nothing to compact, no error box after the window has gone, nothing made.
    QVERIFY(form.close());
    window.Destroy();
    QVERIFY(window.dialogs.errors.isEmpty());
    QCOMPARE(QDir(window.File(QString())).entryList(QDir::Files), QStringList());
  }

  void closingCompactsTheDatabase() {
    WindowUnderTest window;
    TMainForm& form = window.StartWithDatabase();
    window.RunSql(QStringLiteral(
        "CREATE TABLE big (a MEMO);\nINSERT INTO big VALUES (String(20000, '0'));\n"
        "INSERT INTO big SELECT a FROM big;\nINSERT INTO big SELECT a FROM big;\n"
        "INSERT INTO big SELECT a FROM big;\nINSERT INTO big SELECT a FROM big;\n"
        "INSERT INTO big SELECT a FROM big;\nINSERT INTO big SELECT a FROM big;\nDROP TABLE big;"));
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
    QVERIFY(window.dialogs.shown.isEmpty());
    window.Destroy();
    QVERIFY(window.dialogs.errors.isEmpty());
    QVERIFY(QFileInfo(database).size() < before / 10);
    QVERIFY(!QFileInfo::exists(database + QStringLiteral(".cache")));
    QVERIFY(!QFileInfo::exists(database + QStringLiteral("-wal")));

    // A database gone before the shutdown has nothing to compact: no box after the window.
    WindowUnderTest gone;
    gone.StartWithDatabase();
    QVERIFY(QFile::remove(gone.File(QStringLiteral("test.mdb"))));
    gone.Destroy();
    QVERIFY(gone.dialogs.errors.isEmpty());
    QVERIFY(!QFileInfo::exists(gone.File(QStringLiteral("test.mdb"))));
  }
};

QTEST_MAIN(StartUpTest)
#include "tst_startup.moc"
