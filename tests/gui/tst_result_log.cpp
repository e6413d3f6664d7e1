// The result log's commands: save, clear and print (to a PDF file, read back with poppler's
// pdftotext).
#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTextCursor>
#include <QToolButton>
#include <algorithm>

#include "gui/PaneText.h"
#include "support/WindowUnderTest.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

constexpr double kPointsPerMm = 72 / 25.4;
// A4 in points, as pdftotext measures.
constexpr double kPaperWidth = 210 * kPointsPerMm;
constexpr double kPaperHeight = 297 * kPointsPerMm;

// One printed line as pdftotext finds it: its words joined by blanks, where it starts and
// ends across the page and its top, in points from the paper's top-left corner.
struct PdfLine {
  QString text;
  double left;
  double right;
  double top;
};
using PdfPage = QList<PdfLine>;
struct Pdf {
  QString title;
  QList<PdfPage> pages;  // each as its lines from top to bottom
};

Pdf ReadPdf(const QString& path) {
  QProcess process;
  process.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
  if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
  static const QRegularExpression item(
      QStringLiteral("<title>([^<]*)</title>|<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" "
                     "xMax=\"([0-9.]+)\" yMax=\"[0-9.]+\">([^<]*)</word>"));
  Pdf pdf;
  for (const QRegularExpressionMatch& match :
       item.globalMatch(QString::fromUtf8(process.readAllStandardOutput()))) {
    if (match.captured(0).startsWith(QStringLiteral("<title>"))) {
      pdf.title = match.captured(1);
    } else if (match.captured(0) == QStringLiteral("<page ")) {
      pdf.pages.append(PdfPage());
    } else {
      pdf.pages.last().append({match.captured(5), match.captured(2).toDouble(),
                               match.captured(4).toDouble(), match.captured(3).toDouble()});
    }
  }
  // The words as they are read, top to bottom, then left to right; those at one height make
  // up a line.
  for (PdfPage& page : pdf.pages) {
    std::sort(page.begin(), page.end(), [](const PdfLine& a, const PdfLine& b) {
      return qAbs(a.top - b.top) >= 0.5 ? a.top < b.top : a.left < b.left;
    });
    PdfPage lines;
    for (const PdfLine& word : page) {
      if (!lines.isEmpty() && qAbs(lines.last().top - word.top) < 0.5) {
        lines.last().text += QLatin1Char(' ') + word.text;
        lines.last().right = word.right;
      } else {
        lines.append(word);
      }
    }
    page = lines;
  }
  return pdf;
}

QStringList Texts(const PdfPage& page) {
  QStringList texts;
  for (const PdfLine& line : page) texts << line.text;
  return texts;
}

// The lines of a wrapping pane as it shows them, found by moving a cursor to each line's end
// (the end of a wrapped piece is where the next piece starts).
QStringList ShownLines(QPlainTextEdit& pane) {
  const QString text = pane.toPlainText();
  QStringList lines;
  QTextCursor cursor(pane.document());
  while (!cursor.atEnd()) {
    const int start = cursor.position();
    cursor.movePosition(QTextCursor::EndOfLine);
    lines << text.mid(start, cursor.position() - start);
    if (cursor.atBlockEnd()) cursor.movePosition(QTextCursor::NextBlock);
  }
  return lines;
}

}  // namespace

class ResultLogTest : public WindowTestCase {
  Q_OBJECT

 private slots:
  void saveWritesThePaneInUtf8OrShiftJisReplacingAFileWithoutAsking() {
    TMainForm& form = window_->Form();
    // "表" ends in the byte of a backslash in Shift-JIS; "😀" has no Shift-JIS form.
    form.MmResult->setPlainText(QStringLiteral("表\nabc\n\nend 😀"));
    const QByteArray utf8 = QStringLiteral("表\r\nabc\r\n\r\nend 😀").toUtf8();
    const QByteArray sjis = QByteArray::fromStdString(ToConsoleText(form.MmResult->toPlainText()));
    QVERIFY(sjis.startsWith("\x95\x5c\r\nabc\r\n\r\nend "));
    const struct {
      int filter;  // 0: UTF-8, 1: Shift-JIS, 2: every file (UTF-8)
      const char* chosen;
      const char* written;  // ".txt" is added for a name without extension and a .txt filter
      QByteArray bytes;
    } cases[] = {
        {0, "report", "report.txt", utf8},
        {1, "report", "report.txt", sjis},
        {1, "report.log", "report.log", sjis},
        {2, "report", "report", utf8},
    };
    for (const auto& c : cases) {
      const QString written = window_->File(QString::fromLatin1(c.written));
      WindowUnderTest::WriteText(written, QStringLiteral("an older and longer file, longer still"));
      window_->dialogs.shown.clear();
      window_->dialogs.answers.push_back(window_->File(QString::fromLatin1(c.chosen)));
      window_->dialogs.filters.push_back(c.filter);
      window_->Press(Ctrl(Qt::Key_S));
      QCOMPARE(window_->dialogs.shown.size(), 1);  // no question
      QFile saved(written);
      QVERIFY(saved.open(QIODevice::ReadOnly));
      QCOMPARE(saved.readAll(), c.bytes);
      QVERIFY(QFile::remove(written));
    }
    QVERIFY(window_->dialogs.errors.isEmpty());
  }

  void saveOntoAReadOnlyFileShowsTheErrorBoxAndLeavesIt() {
    TMainForm& form = window_->Form();
    form.MmResult->setPlainText(QStringLiteral("new log"));
    const QString path = window_->File(QStringLiteral("graded.txt"));
    WindowUnderTest::WriteText(path, QStringLiteral("the teacher's copy"));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    window_->dialogs.answers.push_back(path);
    window_->Press(Ctrl(Qt::Key_S));
    QCOMPARE(window_->dialogs.errors.size(), 1);
    QVERIFY(window_->dialogs.errors[0].startsWith("ファイル \"" + path + "\" を作成できません。"));
    QVERIFY(window_->dialogs.errors[0].endsWith(QStringLiteral("解除してください。")));
    QFile kept(path);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("the teacher's copy"));
    QVERIFY(QDir(window_->File(QString()))
                .entryList({QStringLiteral(".tarnwick-save-*")}, QDir::Files | QDir::Hidden)
                .isEmpty());
  }

  void clearAsksAndEmptiesTheLogOnlyOnYes() {
    TMainForm& form = window_->Form();
    ScriptedDialogs& dialogs = window_->dialogs;
    window_->RunSql(QStringLiteral("SELECT 1"));
    const QString log = window_->ResultText();
    dialogs.answers = {QString(), "yes"};
    QTest::mouseClick(form.SbLogClear, Qt::LeftButton);
    const QString question = QStringLiteral("ask 結果のクリア: 結果をクリアしますか？ [Yes]");
    QCOMPARE(dialogs.shown, QStringList{question});
    QCOMPARE(window_->ResultText(), log);

    form.AlLogClear->trigger();
    QCOMPARE(dialogs.shown, (QStringList{question, question}));
    QCOMPARE(window_->ResultText(), QString());  // the banner too
    QCOMPARE(form.MmSql->toPlainText(), QStringLiteral("SELECT 1"));
    QCOMPARE(form.History().Count(), std::size_t{1});
  }

  void printDrawsTheLinesThePaneShowsWithinTheMarginsOfEveryPage() {
    TMainForm& form = window_->Form();
    const QString zeros(150, QLatin1Char('0'));
    QStringList log{zeros, QString()};
    for (int i = 1; i <= 100; ++i) log << QStringLiteral("line %1").arg(i, 3, 10, QLatin1Char('0'));
    form.MmResult->setPlainText(log.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    // Printed once without wrapping (each log line one printed line), once wrapping.
    const QString unwrappedPdf = window_->File(QStringLiteral("unwrapped.pdf"));
    const QString wrappedPdf = window_->File(QStringLiteral("wrapped.pdf"));
    window_->dialogs.answers = {unwrappedPdf, wrappedPdf};
    const auto now = [] {
      return QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    };
    const QString before = now();
    form.AlWordWrap->trigger();
    window_->Press(Ctrl(Qt::Key_P));
    form.AlWordWrap->trigger();
    form.AlPrint->trigger();
    const QString after = now();
    QCOMPARE(window_->dialogs.shown, (QStringList{"print", "print"}));
    QVERIFY(window_->dialogs.errors.isEmpty());

    QList<QStringList> printed;
    for (const Pdf& pdf : {ReadPdf(unwrappedPdf), ReadPdf(wrappedPdf)}) {
      QCOMPARE(pdf.title, QStringLiteral("Tarnwick"));
      QCOMPARE(pdf.pages.size(), 3);
      printed.append(QStringList());
      for (const PdfPage& page : pdf.pages) {
        // The header: the name at the left margin (20 mm), the time ending at the right
        // margin (15 mm), both at the top margin (15 mm).
        const PdfLine& header = page.first();
        QVERIFY2(header.text == QStringLiteral("Tarnwick ") + before ||
                     header.text == QStringLiteral("Tarnwick ") + after,
                 qPrintable(header.text));
        QVERIFY(qAbs(header.left - 20 * kPointsPerMm) < 1);
        QVERIFY(qAbs(header.right - (kPaperWidth - 15 * kPointsPerMm)) < 1);
        QVERIFY(qAbs(header.top - 15 * kPointsPerMm) < 1);
        for (const PdfLine& line : page.mid(1)) {
          QVERIFY(qAbs(line.left - 20 * kPointsPerMm) < 1);
          QVERIFY(line.right <= kPaperWidth - 15 * kPointsPerMm);
        }
        printed.last() << Texts(page.mid(1));
      }
      // The last line of a full page still above the bottom margin (20 mm), the next below it.
      const double pitch = pdf.pages[0][2].top - pdf.pages[0][1].top;
      QVERIFY(pitch > 10);
      const double bottom = kPaperHeight - 20 * kPointsPerMm;
      for (const PdfPage& page : pdf.pages.mid(0, 2)) {
        QVERIFY(page.last().top <= bottom + 0.5);
        QVERIFY(page.last().top + pitch > bottom);
      }
    }
    // Unwrapped, the long line goes on on the next printed line, broken between characters
    // (the empty line prints nothing to read back).
    QVERIFY(printed[0][0].size() > 60 && printed[0][0].size() < zeros.size());
    QCOMPARE(printed[0][0] + printed[0][1], zeros);
    QCOMPARE(printed[0].mid(2), log.mid(2));
    // Wrapped, each piece the pane shows is a printed line.
    QStringList shown = ShownLines(*form.MmResult);
    QVERIFY2(shown.size() > log.size(), qPrintable(shown.join(QLatin1Char('|'))));
    shown.removeAll(QString());
    QCOMPARE(printed[1], shown);
  }

  void printCancelledOrFailingLeavesTheLogAsItWas() {
    ScriptedDialogs& dialogs = window_->dialogs;
    dialogs.answers = {QString(), window_->File(QStringLiteral("none/x.pdf"))};
    window_->Form().AlPrint->trigger();  // cancelled
    QCOMPARE(dialogs.shown, QStringList{"print"});
    QVERIFY(dialogs.errors.isEmpty());
    // A printer that cannot start the job: the standard error box, nothing in the log.
    window_->Form().AlPrint->trigger();
    QCOMPARE(dialogs.errors, QStringList{QStringLiteral("印刷できません.")});
    QCOMPARE(window_->ResultSinceMark(), QString());
  }
};

QTEST_MAIN(ResultLogTest)
#include "tst_result_log.moc"
