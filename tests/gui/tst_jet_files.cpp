// A Jet (Access) file opened in the window: the message, the offered conversion into a new
// database of ours beside it, and the file's bytes unchanged.
#include <QAction>
#include <QFileInfo>
#include <QTest>

#include "support/JetSamples.h"
#include "support/WindowUnderTest.h"
#include "text/FileAccess.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

const QString kQuestion = QStringLiteral(
    "ask ﾃﾞｰﾀﾍﾞｰｽﾌｧｲﾙの取込み: school.mdbをインポートした新しいデータベースを作成しますか？ [Yes]");

}  // namespace

class JetFilesTest : public WindowTestCase {
  Q_OBJECT

 private slots:
  void openingOneRefusesItAndAsksWhetherToImportItIntoANewDatabase() {
    if (JetSamplesFolder().empty()) QSKIP("the Jet sample files are missing");
    const QString jet = window_->File(QStringLiteral("school.mdb"));
    WriteWholeFile(ConsolePath(jet), ReadWholeFile(JetSample("indexTestV2000.mdb")));
    const std::string before = ReadWholeFile(ConsolePath(jet));

    window_->dialogs.answers = {jet, QString()};  // answered No
    window_->Form().AlOpenDB->trigger();
    QCOMPARE(window_->dialogs.shown.last(), kQuestion);
    QVERIFY(window_->ResultSinceMark().startsWith(
        QStringLiteral("ファイル \"") + jet +
        QStringLiteral("\" は Jet (Microsoft Access) のデータベースファイルです。")));
    // The database before stays connected, and nothing is written beside the Jet file.
    QCOMPARE(window_->Form().Session().MdbName, std::string("test.mdb"));
    QCOMPARE(window_->Form().AlDBOpen->text(), QStringLiteral("DBの切断(&A)"));
    QVERIFY(!QFileInfo::exists(window_->File(QStringLiteral("school.udl"))));
    window_->MarkResult();
    window_->RunSql(QStringLiteral("CREATE TABLE still (a LONG);"));
    QCOMPARE(window_->ResultSinceMark(), QStringLiteral("CREATE TABLE still (a LONG);\nOK\n\n"));

    window_->MarkResult();
    window_->dialogs.answers = {jet, QStringLiteral("yes")};
    window_->Form().AlOpenDB->trigger();
    QVERIFY(window_->ResultSinceMark().endsWith(
        QStringLiteral("school_tarnwick.udl を新規作成しました\n"
                       "school_tarnwick.mdb ファイルに接続しました\n\n"
                       "Table2テーブルを取込みました\nTable3テーブルを取込みました\n"
                       "Table1テーブルを取込みました\nOK\n\n")));
    QCOMPARE(window_->Form().Session().MdbName, std::string("school_tarnwick.mdb"));
    QCOMPARE(window_->Form().AlDBOpen->text(), QStringLiteral("DBの切断(&A)"));
    QVERIFY(window_->dialogs.errors.isEmpty());
    QVERIFY(ReadWholeFile(ConsolePath(jet)) == before);
  }

  void oneDroppedOnTheWindowIsImportedWhateverItsExtension() {
    if (JetSamplesFolder().empty()) QSKIP("the Jet sample files are missing");
    const QString jet = window_->File(QStringLiteral("school.accdb"));
    WriteWholeFile(ConsolePath(jet), ReadWholeFile(JetSample("fixedTextTestV2000.mdb")));
    window_->Form().WMDropFiles({jet});
    QCOMPARE(window_->ResultSinceMark(), QStringLiteral("usersテーブルを取込みました\nOK\n\n"));
  }

  void aStartUpArgumentThatIsOneGetsTheSameQuestion() {
    if (JetSamplesFolder().empty()) QSKIP("the Jet sample files are missing");
    window_.reset();
    WindowUnderTest window;
    const QString jet = window.File(QStringLiteral("school.mdb"));
    WriteWholeFile(ConsolePath(jet), ReadWholeFile(JetSample("testV1997.mdb")));
    window.dialogs.answers = {QStringLiteral("yes")};
    window.Start({QStringLiteral("school.mdb")});
    QCOMPARE(window.dialogs.shown, QStringList{kQuestion});
    QVERIFY(window.ResultText().contains(QStringLiteral("Table4テーブルを取込みました\nOK\n")));
    QCOMPARE(window.Form().Session().MdbName, std::string("school_tarnwick.mdb"));
  }
};

QTEST_MAIN(JetFilesTest)
#include "tst_jet_files.moc"
