// The file dialogs of every command, and the database commands with answered dialogs: new,
// open, reset, connect, import, dropped files, and a failure shown in the standard error box.
#include <QAction>
#include <QDir>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QUrl>

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
  // Closing with a transaction open asks; Cancel keeps the window, Yes commits, No rolls back.
  void anOpenTransactionAtClosingIsSettledAsTheUserAnswers() {
    const QString question =
        QStringLiteral("ask Tarnwick: 確定していないトランザクションがあります。確定しますか？");
    for (const auto& [answer, rows] : {std::pair{"yes", "1"}, std::pair{"no", "0"}}) {
      WindowUnderTest window;
      TMainForm& form = window.StartWithDatabase();
      window.RunSql(
          QStringLiteral("CREATE TABLE t (a INTEGER); BEGIN TRANSACTION; "
                         "INSERT INTO t VALUES (1);"));
      window.dialogs.answers = {QString(), QString::fromLatin1(answer)};
      QVERIFY(!form.close());
      QVERIFY(form.isVisible());
      QVERIFY(form.close());
      QCOMPARE(window.dialogs.shown, (QStringList{question, question}));
      window.Destroy();
      Connection check;
      check.SetConnectionString("FILE NAME=" +
                                ConsolePath(window.File(QStringLiteral("test.udl"))));
      QCOMPARE(Scalar(check, "SELECT count(*) FROM t"), std::string(rows));
    }
    // Without an open transaction nothing is asked.
    QVERIFY(window_->Form().close());
    QVERIFY(window_->dialogs.shown.isEmpty());
  }

  void fileDialogsHaveTheirNamesFiltersAndExtensionsAndCancelDoesNothing() {
    TMainForm& form = window_->Form();
    for (QAction* command :
         {form.AlNewDB, form.AlOpenDB, form.AlMargeDB, form.AlLoadSQL, form.AlLogSave}) {
      if (command->shortcut().isEmpty()) {
        command->trigger();
      } else {
        window_->Press(command->shortcut()[0]);  // through the shortcut where there is one
      }
    }
    const QString mdb = QStringLiteral("(*.mdb)|*.mdb|全てのファイル(*.*)|*.* .mdb");
    const QString txt = QStringLiteral("テキストファイル(*.txt)|*.txt|全てのファイル(*.*)|*.* ");
    // The log is offered in UTF-8 first, Shift-JIS second.
    const QString log = QStringLiteral(
        "テキストファイル UTF-8 (*.txt)|*.txt|テキストファイル Shift-JIS (*.txt)|*.txt|"
        "全てのファイル(*.*)|*.* ");
    QCOMPARE(
        window_->dialogs.shown,
        (QStringList{"save SDialogDB データベースファイル" + mdb,
                     "open ODialogDB mdbファイル" + mdb, "open ODialogDB mdbファイル" + mdb,
                     "open ODialogSQL SQLファイル(*.sql)|*.sql|" + txt, "save SDialog " + log}));
    QCOMPARE(window_->ResultSinceMark(), QString());
    QCOMPARE(form.Session().MdbName, std::string("test.mdb"));
    QVERIFY(window_->dialogs.errors.isEmpty());
  }

  void newDatabaseConnectsOrShowsTheFailureAndTheArrowComesBack() {
    const QString path = window_->File(QStringLiteral("fresh.mdb"));
    window_->dialogs.answers = {path, QStringLiteral("/proc/no-such-folder/x.mdb")};
    window_->Press(Ctrl(Qt::Key_N));
    QCOMPARE(window_->ResultSinceMark(),
             kDisconnected + QStringLiteral("fresh.udl を新規作成しました\n"
                                            "fresh.mdb ファイルに接続しました\n\n"));
    QVERIFY(QApplication::overrideCursor() == nullptr);

    // A file that cannot be created: the standard error box.
    window_->Press(Ctrl(Qt::Key_N));
    QCOMPARE(window_->dialogs.errors.size(), 1);
    const QString message = window_->dialogs.errors[0];
    // A whole sentence with the reason and what to do: no "." after its "。".
    QCOMPARE(message,
             QStringLiteral("ファイル \"/proc/no-such-folder/x.mdb\" を作成できません。保存先"
                            "のフォルダが見つかりません。\nヒント: フォルダ名を確かめる"
                            "か、先にフォルダを作ってください。"));
    QVERIFY(QApplication::overrideCursor() == nullptr);
  }

  void newDatabaseOntoAnExistingFileAsksWithNoPreselected() {
    TMainForm& form = window_->Form();
    const QString existing = window_->File(QStringLiteral("kept.mdb"));
    WindowUnderTest::CreateDatabase(existing, {"CREATE TABLE kept (x INTEGER)"});
    const QString question =
        QStringLiteral("ask 新規データベース: kept.mdbは既に存在します。置き換えますか？ [No]");
    // No (or closing the question) leaves everything as it was.
    window_->dialogs.answers = {existing, QString()};
    window_->Press(Ctrl(Qt::Key_N));
    QCOMPARE(window_->dialogs.shown.last(), question);
    QCOMPARE(window_->ResultSinceMark(), QString());
    QCOMPARE(form.Session().MdbName, std::string("test.mdb"));
    // Yes replaces it by an empty database.
    window_->dialogs.answers = {existing, QStringLiteral("yes")};
    window_->Press(Ctrl(Qt::Key_N));
    QCOMPARE(window_->dialogs.shown.last(), question);
    QCOMPARE(window_->ResultSinceMark(),
             kDisconnected + QStringLiteral("kept.udl を新規作成しました\n"
                                            "kept.mdb ファイルに接続しました\n\n"));
    window_->MarkResult();
    window_->RunSql(QStringLiteral("SELECT * FROM kept"));
    QVERIFY(window_->ResultSinceMark().contains(QStringLiteral("ERROR! ")));
    // A name that is not there yet, or not a database's, is not asked about.
    const qsizetype shown = window_->dialogs.shown.size();
    window_->dialogs.answers = {window_->File(QStringLiteral("fresh.mdb")), existing + ".txt"};
    window_->Press(Ctrl(Qt::Key_N));
    WindowUnderTest::WriteText(existing + ".txt", QStringLiteral("x"));
    window_->Press(Ctrl(Qt::Key_N));
    QCOMPARE(window_->dialogs.shown.size(), shown + 2);
    QVERIFY(!window_->dialogs.shown.join(' ').contains(QStringLiteral("fresh.mdbは")));
  }

  void dialogsOpenWhereTheirKindOfFileWasLastChosen() {
    // The database lies in a folder of its own.
    window_.reset();
    window_ = std::make_unique<WindowUnderTest>();
    for (const char* folder : {"dbs", "scripts", "logs", "other"}) {
      QVERIFY(QDir(window_->File(QString())).mkpath(QString::fromLatin1(folder)));
    }
    const QString start = window_->File(QStringLiteral("dbs/start.mdb"));
    WindowUnderTest::CreateDatabase(start);
    TMainForm& form = window_->Start({start});
    const QString script = window_->File(QStringLiteral("scripts/a.sql"));
    WindowUnderTest::WriteText(script, QStringLiteral("SELECT 1"));
    const QString imported = window_->File(QStringLiteral("other/x.mdb"));
    WindowUnderTest::CreateDatabase(imported);
    const QString working = QDir::cleanPath(window_->File(QString()));
    auto folder = [&](const char* name) { return window_->File(QString::fromLatin1(name)); };
    // {command, answer, folder the dialog opened in}; an empty answer cancels.
    const struct {
      QAction* command;
      QString answer;
      QString folder;
    } steps[] = {
        {form.AlOpenDB, {}, folder("dbs")},  // the current database's folder
        {form.AlNewDB, {}, folder("dbs")},
        {form.AlLoadSQL, {}, working},  // the others start in the working folder
        {form.AlLogSave, {}, working},
        {form.AlLoadSQL, script, working},
        {form.AlLoadSQL, {}, folder("scripts")},
        {form.AlLogSave, folder("logs/r.txt"), working},
        {form.AlLogSave, {}, folder("logs")},
        {form.AlMargeDB, imported, folder("dbs")},
        {form.AlOpenDB, {}, folder("other")},  // databases share their folder
        {form.AlLoadSQL, {}, folder("scripts")},
    };
    for (const auto& step : steps) {
      window_->dialogs.answers = {step.answer};
      step.command->trigger();
      QCOMPARE(window_->dialogs.folders.last(), step.folder);
    }
    QCOMPARE(window_->dialogs.folders.size(), qsizetype(std::size(steps)));
    QVERIFY(window_->dialogs.errors.isEmpty());
  }

  void openDatabaseDisconnectsThenConnectsToTheChosenFile() {
    WindowUnderTest::CreateDatabase(window_->File(QStringLiteral("other.mdb")));
    window_->dialogs.answers = {window_->File(QStringLiteral("other.mdb"))};
    window_->Press(Ctrl(Qt::Key_M));
    QCOMPARE(window_->ResultSinceMark(),
             kDisconnected + QStringLiteral("other.mdb ファイルに接続しました\n\n"));
  }

  void resetAsksFirstAndEmptiesTheDatabase() {
    TMainForm& form = window_->Form();
    form.AlDBInit->trigger();  // answered No
    QCOMPARE(window_->dialogs.shown,
             QStringList{"ask データベースの初期化: データベースを初期化しますか？ [No]"});
    QCOMPARE(window_->ResultSinceMark(), QString());

    window_->dialogs.answers.push_back("yes");
    form.AlDBInit->trigger();
    QCOMPARE(window_->ResultSinceMark(),
             QStringLiteral("初期化終了しました\ntest.mdb ファイルに接続しました\n\n"));
  }

  void connectToggleFollowsTheConnection() {
    TMainForm& form = window_->Form();
    form.AlDBOpen->trigger();
    QCOMPARE(form.AlDBOpen->text(), QStringLiteral("DBの接続(&A)"));
    form.AlDBOpen->trigger();
    QCOMPARE(form.AlDBOpen->text(), QStringLiteral("DBの切断(&A)"));
    QCOMPARE(window_->ResultSinceMark(),
             kDisconnected + QStringLiteral("test.mdb ファイルに接続しました\n\n"));
  }

  void importedAndDroppedDatabaseFilesGiveTheirTables() {
    TMainForm& form = window_->Form();
    QStringList files;  // each with a table named after it
    for (const char* name : {"a.mdb", "b.MDB", "c.mdb"}) {
      files << window_->File(name);
      WindowUnderTest::CreateDatabase(files.last(),
                                      {std::string("CREATE TABLE ") + name[0] + " (x INTEGER)"});
    }
    const QString notes = window_->File(QStringLiteral("notes.txt"));
    WindowUnderTest::WriteText(notes, QStringLiteral("x"));
    auto imported = [](const char* table) {
      return table + QStringLiteral("テーブルを取込みました\nOK\n\n");
    };
    // Chosen in the dialog; a chosen file that does not exist leaves the pane as it was.
    window_->dialogs.answers = {files[0], window_->File(QStringLiteral("absent.mdb"))};
    form.AlMargeDB->trigger();
    form.AlMargeDB->trigger();
    QCOMPARE(window_->ResultSinceMark(), imported("a"));
    // Dropped on the window: the text file is skipped, the database beside it imported.
    window_->MarkResult();
    DropFiles(&form, {notes, files[1]});
    QCOMPARE(window_->ResultSinceMark(), imported("b"));
    // On the result pane: imported too, not pasted as text.
    window_->MarkResult();
    DropFiles(form.MmResult->viewport(), {files[2]});
    QCOMPARE(window_->ResultSinceMark(), imported("c"));
    QVERIFY(form.MmSql->toPlainText().isEmpty());
  }
};

QTEST_MAIN(DatabaseCommandsTest)
#include "tst_database_commands.moc"
