// The file dialogs of every command, and the database commands with answered dialogs: new,
// open, reset, connect, import, dropped files, and failures shown in the standard error box.
#include <QAction>
#include <QFileInfo>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QUrl>

#include "data/TemplateDatabase.h"
#include "support/WindowUnderTest.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

const QString kDisconnected = QStringLiteral("データベースを切断しました\n\n");

// Drops files on a widget as the desktop does: enter, then drop.
void DropFiles(QWidget* target, const QStringList& paths) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  data.setUrls(urls);
  const QPointF where(10, 10);
  QDragEnterEvent enter(where.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  QVERIFY(drop.isAccepted());
}

}  // namespace

class DatabaseCommandsTest : public WindowTestCase {
  Q_OBJECT

 private slots:
  void fileDialogsHaveTheirNamesFiltersAndExtensionsAndCancelDoesNothing() {
    TMainForm& form = window_->Form();
    const QString databases = QStringLiteral("|*.mdb|全てのファイル(*.*)|*.*");
    const struct {
      QAction* command;
      bool save;
      QString name;
      QString filter;
      QString extension;
    } dialogs[] = {
        {form.AlNewDB, true, "SDialogDB", "データベースファイル(*.mdb)" + databases, ".mdb"},
        {form.AlOpenDB, false, "ODialogDB", "mdbファイル(*.mdb)" + databases, ".mdb"},
        {form.AlMargeDB, false, "ODialogDB", "mdbファイル(*.mdb)" + databases, ".mdb"},
        {form.AlLoadSQL, false, "ODialogSQL",
         "SQLファイル(*.sql)|*.sql|テキストファイル(*.txt)|*.txt|全てのファイル(*.*)|*.*", ""},
        {form.AlLogSave, true, "SDialog", "テキストファイル(*.txt)|*.txt|全てのファイル(*.*)|*.*",
         ""},
    };
    for (const auto& expected : dialogs) {
      // Through the command's shortcut where it has one.
      if (expected.command->shortcut().isEmpty()) {
        expected.command->trigger();
      } else {
        window_->Press(expected.command->shortcut()[0]);
      }
      QVERIFY2(window_->dialogs.fileDialogs.size() == 1, qPrintable(expected.name));
      const ScriptedDialogs::FileDialog dialog = window_->dialogs.fileDialogs.back();
      window_->dialogs.fileDialogs.clear();
      QCOMPARE(dialog.save, expected.save);
      QCOMPARE(dialog.spec.name, expected.name);
      QCOMPARE(dialog.spec.filter, expected.filter);
      QCOMPARE(dialog.spec.defaultExtension, expected.extension);
    }
    QCOMPARE(window_->ResultSinceMark(), QString());
    QCOMPARE(form.Session().MdbName, std::string("test.mdb"));
    QVERIFY(window_->dialogs.errors.isEmpty());
  }

  void newDatabaseReplacesTheNamesAndConnects() {
    TMainForm& form = window_->Form();
    const QString path = window_->File(QStringLiteral("fresh.mdb"));
    window_->dialogs.fileAnswers = {path, window_->File(QStringLiteral("notes.txt"))};
    window_->Press(Ctrl(Qt::Key_N));
    QCOMPARE(window_->ResultSinceMark(),
             kDisconnected + QStringLiteral("fresh.udl を新規作成しました\n"
                                            "fresh.mdb ファイルに接続しました\n\n"));
    QCOMPARE(QFileInfo(path).size(), qint64(TemplateDatabase().size()));
    QCOMPARE(form.Session().MdbName, std::string("fresh.mdb"));
    QCOMPARE(form.AlDBOpen->text(), QStringLiteral("DBの切断(&A)"));
    QVERIFY(QApplication::overrideCursor() == nullptr);

    // A name that is no database: nothing happens, nothing is printed.
    window_->MarkResult();
    window_->Press(Ctrl(Qt::Key_N));
    QCOMPARE(window_->ResultSinceMark(), QString());
    QCOMPARE(form.Session().MdbName, std::string("fresh.mdb"));
    QVERIFY(!QFileInfo::exists(window_->File(QStringLiteral("notes.txt"))));
  }

  void openDatabaseDisconnectsThenConnectsToTheChosenFile() {
    TMainForm& form = window_->Form();
    WindowUnderTest::CreateDatabase(window_->File(QStringLiteral("other.mdb")));
    window_->dialogs.fileAnswers = {window_->File(QStringLiteral("other.mdb")),
                                    window_->File(QStringLiteral("notes.txt")),
                                    window_->File(QStringLiteral("missing.mdb"))};
    window_->Press(Ctrl(Qt::Key_M));
    QCOMPARE(window_->ResultSinceMark(),
             kDisconnected + QStringLiteral("other.mdb ファイルに接続しました\n\n"));
    QVERIFY(QFileInfo::exists(window_->File(QStringLiteral("other.udl"))));

    // A file of another kind: disconnected, the names stay.
    window_->MarkResult();
    window_->Press(Ctrl(Qt::Key_M));
    QCOMPARE(window_->ResultSinceMark(), kDisconnected);
    QCOMPARE(form.Session().MdbName, std::string("other.mdb"));
    QCOMPARE(form.AlDBOpen->text(), QStringLiteral("DBの接続(&A)"));

    // A database file that does not exist ends in the connect failure line.
    window_->MarkResult();
    window_->Press(Ctrl(Qt::Key_M));
    QCOMPARE(window_->ResultSinceMark(),
             kDisconnected + QStringLiteral("missing.mdbへの接続に失敗しました\n\n"));
  }

  void resetAsksFirstAndEmptiesTheDatabase() {
    TMainForm& form = window_->Form();
    window_->RunSql(QStringLiteral("CREATE TABLE keep (a INTEGER)"));
    window_->MarkResult();
    form.AlDBInit->trigger();  // answered No
    QCOMPARE(window_->dialogs.questions.size(), std::size_t{1});
    QCOMPARE(window_->dialogs.questions[0].caption, QStringLiteral("データベースの初期化"));
    QCOMPARE(window_->dialogs.questions[0].text, QStringLiteral("データベースを初期化しますか？"));
    QCOMPARE(window_->ResultSinceMark(), QString());

    window_->dialogs.questionAnswers.push_back(true);
    form.AlDBInit->trigger();
    QCOMPARE(window_->ResultSinceMark(),
             QStringLiteral("初期化終了しました\ntest.mdb ファイルに接続しました\n\n"));
    window_->MarkResult();
    window_->Press(Ctrl(Qt::Key_L));
    QVERIFY(!window_->ResultSinceMark().contains(QStringLiteral("keep")));
  }

  void connectToggleFollowsTheConnection() {
    TMainForm& form = window_->Form();
    form.AlDBOpen->trigger();
    QCOMPARE(form.AlDBOpen->text(), QStringLiteral("DBの接続(&A)"));
    form.AlDBOpen->trigger();
    QCOMPARE(form.AlDBOpen->text(), QStringLiteral("DBの切断(&A)"));
    QCOMPARE(window_->ResultSinceMark(),
             kDisconnected + QStringLiteral("test.mdb ファイルに接続しました\n\n"));
    // After a disconnect a statement reconnects by itself; the caption stays.
    form.AlDBOpen->trigger();
    window_->RunSql(QStringLiteral("SELECT 1"));
    QVERIFY(!window_->ResultText().endsWith(QStringLiteral("ERROR")));
    QCOMPARE(form.AlDBOpen->text(), QStringLiteral("DBの接続(&A)"));
  }

  void importTakesOverTheTablesOfAnotherDatabase() {
    TMainForm& form = window_->Form();
    const QString other = window_->File(QStringLiteral("other.mdb"));
    WindowUnderTest::CreateDatabase(
        other, {QStringLiteral("CREATE TABLE items (ID COUNTER PRIMARY KEY, name CHAR(10))"),
                QStringLiteral("INSERT INTO items (name) VALUES ('りんご')")});
    window_->dialogs.fileAnswers = {other, window_->File(QStringLiteral("absent.mdb"))};
    form.AlMargeDB->trigger();
    QCOMPARE(window_->ResultSinceMark(), QStringLiteral("itemsテーブルを取込みました\nOK\n\n"));
    window_->MarkResult();
    window_->RunSql(QStringLiteral("SELECT name FROM items"));
    QVERIFY(window_->ResultSinceMark().contains(QStringLiteral("りんご")));

    // A chosen file that does not exist leaves the pane as it was.
    window_->MarkResult();
    form.AlMargeDB->trigger();
    QCOMPARE(window_->ResultSinceMark(), QString());
  }

  void droppedDatabaseFilesAreImported() {
    TMainForm& form = window_->Form();
    const QString first = window_->File(QStringLiteral("first.mdb"));
    const QString second = window_->File(QStringLiteral("second.MDB"));
    WindowUnderTest::CreateDatabase(first, {QStringLiteral("CREATE TABLE a1 (x INTEGER)")});
    WindowUnderTest::CreateDatabase(second, {QStringLiteral("CREATE TABLE b1 (y INTEGER)")});
    WindowUnderTest::WriteText(window_->File(QStringLiteral("notes.txt")), QStringLiteral("x"));
    // On the window: the text file is skipped, the database beside it imported.
    DropFiles(&form, {window_->File(QStringLiteral("notes.txt")), first});
    QCOMPARE(window_->ResultSinceMark(), QStringLiteral("a1テーブルを取込みました\nOK\n\n"));
    // On the result pane: imported too, not pasted as text.
    window_->MarkResult();
    DropFiles(form.MmResult->viewport(), {second});
    QCOMPARE(window_->ResultSinceMark(), QStringLiteral("b1テーブルを取込みました\nOK\n\n"));
    QVERIFY(form.MmSql->toPlainText().isEmpty());
  }

  void uncaughtFailureIsShownInTheStandardErrorBox() {
    const QString path = QStringLiteral("/proc/no-such-folder/x.mdb");
    window_->dialogs.fileAnswers.push_back(path);
    window_->Press(Ctrl(Qt::Key_N));
    QCOMPARE(window_->dialogs.errors.size(), 1);
    const QString message = window_->dialogs.errors[0];
    QVERIFY(message.startsWith(QStringLiteral("ファイル \"/proc/no-such-folder/x.mdb\". ")));
    QVERIFY(message.endsWith(QStringLiteral(" を作成できません.")));
    QVERIFY(QApplication::overrideCursor() == nullptr);
    // What ran before the failure stays: disconnected, with the new names.
    QCOMPARE(window_->ResultSinceMark(), kDisconnected);
    QCOMPARE(window_->Form().Session().MdbName, std::string("x.mdb"));
  }
};

QTEST_MAIN(DatabaseCommandsTest)
#include "tst_database_commands.moc"
