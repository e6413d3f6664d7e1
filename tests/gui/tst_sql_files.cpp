// SQL files in the pane: opened without running them (UTF-8, UTF-16 with its mark or
// Shift-JIS), saved in UTF-8, named in the title bar, and asked about when the window closes
// with their text changed.
#include <QAction>
#include <QFile>
#include <QTest>

#include "gui/SqlPaneFile.h"
#include "support/WindowUnderTest.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

const QString kText = QStringLiteral("SELECT '表' AS 名前;\nSELECT 2;\n");

void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

}  // namespace

class SqlFilesTest : public WindowTestCase {
  Q_OBJECT

 private slots:
  void openingReadsEveryEncodingIntoThePaneWithoutRunningIt() {
    TMainForm& form = window_->Form();
    QByteArray utf16{"\xFF\xFE"};
    const QString crLf = QString(kText).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    utf16.append(reinterpret_cast<const char*>(crLf.utf16()), crLf.size() * 2);
    const struct {
      const char* name;
      QByteArray bytes;
    } files[] = {
        {"utf8.sql", kText.toUtf8()},
        {"bom.sql", "\xEF\xBB\xBF" + crLf.toUtf8()},
        {"utf16.sql", utf16},
        {"sjis.sql", QByteArray::fromStdString(ToConsoleText(kText))},
    };
    for (const auto& file : files) {
      const QString path = window_->File(QString::fromLatin1(file.name));
      WriteBytes(path, file.bytes);
      window_->dialogs.answers = {path};
      window_->Press(QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_O));
      QCOMPARE(form.MmSql->toPlainText(), kText);
      QCOMPARE(form.windowTitle(),
               QStringLiteral("Tarnwick - test.mdb - %1[*]").arg(QString::fromLatin1(file.name)));
    }
    QCOMPARE(window_->dialogs.shown.first().section(QLatin1Char(' '), 0, 1),
             QStringLiteral("open ODialogSQL"));
    QCOMPARE(window_->ResultSinceMark(), QString());  // nothing ran
    QVERIFY(window_->dialogs.errors.isEmpty());

    // A file that is no text: the error box, and the pane keeps its text.
    const QString broken = window_->File(QStringLiteral("broken.sql"));
    WriteBytes(broken, QByteArray("SELECT 1;\0\0", 11));
    window_->dialogs.answers = {broken};
    form.AlOpenSqlFile->trigger();
    QCOMPARE(window_->dialogs.errors.size(), 1);
    QCOMPARE(form.MmSql->toPlainText(), kText);
    QVERIFY(form.windowTitle().endsWith(QStringLiteral("sjis.sql[*]")));
  }

  void savingWritesUtf8WithTheFilesLineBreaksAndNamesANewFile() {
    TMainForm& form = window_->Form();
    const QString path = window_->File(QStringLiteral("crlf.sql"));
    WriteBytes(path, QByteArray::fromStdString(ToConsoleText(kText)));  // Shift-JIS, CR LF
    window_->dialogs.answers = {path};
    form.AlOpenSqlFile->trigger();
    form.MmSql->moveCursor(QTextCursor::End);
    form.MmSql->insertPlainText(QStringLiteral("SELECT 3;"));
    QVERIFY(form.SqlFile().Changed());
    QVERIFY(form.isWindowModified());
    window_->Press(QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_S));
    QCOMPARE(ReadBytes(path),
             QStringLiteral("SELECT '表' AS 名前;\r\nSELECT 2;\r\nSELECT 3;").toUtf8());
    QVERIFY(!form.SqlFile().Changed());
    QVERIFY(!form.isWindowModified());

    // Saved under another name: the filter's extension is added to a name without one, and
    // a pane without a file asks for a name the first time.
    window_->dialogs.answers = {window_->File(QStringLiteral("copy"))};
    form.AlSaveSqlAs->trigger();
    QCOMPARE(ReadBytes(window_->File(QStringLiteral("copy.sql"))), ReadBytes(path));
    QVERIFY(form.windowTitle().endsWith(QStringLiteral(" - copy.sql[*]")));
    QCOMPARE(window_->dialogs.shown.last().section(QLatin1Char(' '), 0, 1),
             QStringLiteral("save SDialogSQL"));
  }

  void closingAsksAboutAChangedFileOnly() {
    TMainForm& form = window_->Form();
    // Text typed without a file, or a file unchanged: closing asks nothing.
    form.MmSql->setPlainText(QStringLiteral("typed"));
    const QString path = window_->File(QStringLiteral("work.sql"));
    WriteBytes(path, kText.toUtf8());
    window_->dialogs.answers = {path};
    form.AlOpenSqlFile->trigger();
    // Opening is one edit: undo brings back the typed text.
    form.AlUnDo->trigger();
    QCOMPARE(form.MmSql->toPlainText(), QStringLiteral("typed"));
    form.AlUnDo->trigger();
    QCOMPARE(form.MmSql->toPlainText(), kText);
    window_->dialogs.shown.clear();
    QVERIFY(form.close());
    QVERIFY(window_->dialogs.shown.isEmpty());
    form.show();

    const QString question =
        QStringLiteral("ask Tarnwick: SQLファイル work.sql は変更されています。保存しますか？");
    form.MmSql->insertPlainText(QStringLiteral("-- more\n"));
    window_->dialogs.answers = {QStringLiteral("cancel")};
    QVERIFY(!form.close());  // Cancel keeps the window open
    QCOMPARE(window_->dialogs.shown, QStringList{question});
    window_->dialogs.answers = {QStringLiteral("no")};
    QVERIFY(form.close());  // No closes it and leaves the file
    QCOMPARE(ReadBytes(path), kText.toUtf8());
    form.show();
    window_->dialogs.answers = {QStringLiteral("yes")};
    QVERIFY(form.close());  // Yes saves it first
    QCOMPARE(ReadBytes(path), form.MmSql->toPlainText().toUtf8());
    QVERIFY(ReadBytes(path).contains("-- more\n"));
  }
};

QTEST_MAIN(SqlFilesTest)
#include "tst_sql_files.moc"
