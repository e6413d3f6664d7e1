// What a file manager hands the window (its desktop entry declares Access and SQLite files):
// a database of ours opens whatever its name; another program's SQLite database is left as it
// is, the settings' database opens, and the window offers to import the file.
#include <sqlite3.h>

#include <QAction>
#include <QFileInfo>
#include <QTest>

#include "support/WindowUnderTest.h"
#include "text/FileAccess.h"

using namespace tarnwick;
using namespace tarnwick::test;

class FilesFromAFileManagerTest : public QObject {
  Q_OBJECT

 private slots:
  void aDatabaseOfOursUnderAnotherNameOpensAsTheDatabase() {
    WindowUnderTest window;
    window.CreateDatabase(window.File(QStringLiteral("lesson.sqlite")));
    window.Start({QStringLiteral("lesson.sqlite")});
    QVERIFY(window.dialogs.shown.isEmpty());
    QCOMPARE(window.Form().Session().MdbName, std::string("lesson.sqlite"));
    QCOMPARE(window.Form().AlDBOpen->text(), QStringLiteral("DBの切断(&A)"));
    window.MarkResult();
    window.RunSql(QStringLiteral("CREATE TABLE 出席 (番号 LONG);"));
    QCOMPARE(window.ResultSinceMark(), QStringLiteral("CREATE TABLE 出席 (番号 LONG);\nOK\n\n"));
  }

  void anotherProgramsDatabaseIsOfferedForImportAndKeptAsItIs() {
    WindowUnderTest window;
    const QString other = window.File(QStringLiteral("places.sqlite"));
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(ConsolePath(other).c_str(), &db), SQLITE_OK);
    QCOMPARE(sqlite3_exec(db,
                          "CREATE TABLE places (url TEXT);"
                          "INSERT INTO places VALUES ('https://example.org/');",
                          nullptr, nullptr, nullptr),
             SQLITE_OK);
    sqlite3_close(db);
    const std::string before = ReadWholeFile(ConsolePath(other));

    window.dialogs.answers = {QStringLiteral("yes")};
    window.Start({QStringLiteral("places.sqlite")});
    QCOMPARE(window.dialogs.shown,
             QStringList{QStringLiteral("ask ﾃﾞｰﾀﾍﾞｰｽﾌｧｲﾙの取込み: places.sqliteをインポートした"
                                        "新しいデータベースを作成しますか？ [Yes]")});
    QVERIFY(window.ResultText().contains(
        QStringLiteral("は他のプログラムが作った SQLite のデータベースです。")));
    QVERIFY(window.ResultText().contains(QStringLiteral("placesテーブルを取込みました\nOK\n")));
    QCOMPARE(window.Form().Session().MdbName, std::string("places_tarnwick.mdb"));
    QVERIFY(ReadWholeFile(ConsolePath(other)) == before);
    QVERIFY(!QFileInfo::exists(window.File(QStringLiteral("places.udl"))));
  }
};

QTEST_MAIN(FilesFromAFileManagerTest)
#include "tst_files_from_a_file_manager.moc"
