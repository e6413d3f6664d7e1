// The result log's commands: save, clear and print (to a PDF file, read back with poppler's
// pdftotext).
#include <QAction>
#include <QDateTime>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>
#include <algorithm>

#include "gui/PaneLines.h"
#include "gui/PaneText.h"
#include "gui/QtResultPane.h"
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
  void saveWritesThePaneAsShiftJisReplacingAFileWithoutAsking() {
    TMainForm& form = window_->Form();
    // "表" ends in the byte of a backslash in Shift-JIS.
    form.MmResult->setPlainText(QStringLiteral("表\nabc\n\nend"));
    const QString path = window_->File(QStringLiteral("report"));
    WindowUnderTest::WriteText(path, QStringLiteral("an older and longer file"));
    window_->dialogs.answers.push_back(path);
    window_->Press(Ctrl(Qt::Key_S));
    QCOMPARE(window_->dialogs.shown.size(), 1);  // no question
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("\x95\x5c\r\nabc\r\n\r\nend"));
  }

  void clearAsksAndEmptiesTheLogOnlyOnYes() {
    TMainForm& form = window_->Form();
    ScriptedDialogs& dialogs = window_->dialogs;
    window_->RunSql(QStringLiteral("SELECT 1"));
    const QString log = window_->ResultText();
    dialogs.answers = {QString(), "yes"};
    QTest::mouseClick(form.SbLogClear, Qt::LeftButton);
    const QString question = QStringLiteral("ask 結果のクリア: 結果をクリアしますか？");
    QCOMPARE(dialogs.shown, QStringList{question});
    QCOMPARE(window_->ResultText(), log);

    form.AlLogClear->trigger();
    QCOMPARE(dialogs.shown, (QStringList{question, question}));
    QCOMPARE(window_->ResultText(), QString());  // the banner too
    QCOMPARE(form.MmSql->toPlainText(), QStringLiteral("SELECT 1"));
    QCOMPARE(form.History().Count(), std::size_t{1});
    // The next line goes in as into an empty pane.
    form.AlShowVersion->trigger();
    QVERIFY(window_->ResultText().startsWith(QStringLiteral("Tarnwick Version")));
  }

  void printLaysOutHeadersLongLinesAndPageBreaks() {
    TMainForm& form = window_->Form();
    form.AlWordWrap->trigger();  // the pane does not wrap: each log line is one printed line
    const QString zeros(150, QLatin1Char('0'));
    const QString kana = QStringLiteral("a") + QString(60, QChar(0x3042));  // "a" and 60 "あ"
    QStringList log{zeros, kana, QString()};
    for (int i = 1; i <= 100; ++i) log << QStringLiteral("line %1").arg(i, 3, 10, QLatin1Char('0'));
    form.MmResult->setPlainText(log.join(QLatin1Char('\n')) + QLatin1Char('\n'));

    const QString pdf = window_->File(QStringLiteral("log.pdf"));
    window_->dialogs.answers.push_back(pdf);
    const QString before =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    window_->Press(Ctrl(Qt::Key_P));
    const QString after = QDateTime::currentDateTime().toString(QStringLiteral("yyyy/MM/dd HH:mm"));
    QCOMPARE(window_->dialogs.shown, QStringList{"print"});
    QVERIFY(window_->dialogs.errors.isEmpty());

    const QList<PdfPage> pages = ReadPdf(pdf).pages;
    QCOMPARE(pages.size(), 3);
    QStringList printed;
    for (const PdfPage& page : pages) {
      // The header: the name at the left margin (20 mm), the time ending at the right margin
      // (15 mm), both at the top margin (15 mm).
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
      printed << Texts(page.mid(1));
    }
    // The long lines continue on the next printed line, broken between characters.
    QCOMPARE(printed.size(), 2 + 2 + 100);  // the empty line prints nothing to read back
    QVERIFY(printed[0].size() > 60 && printed[0].size() < zeros.size());
    QCOMPARE(printed[0] + printed[1], zeros);
    QVERIFY(printed[2].size() > 30 && printed[2].size() < kana.size());
    QCOMPARE(printed[2] + printed[3], kana);
    QCOMPARE(printed.mid(4), log.mid(3));
    // The last line of a full page still above the bottom margin (20 mm), the next below it.
    const double pitch = pages[0][2].top - pages[0][1].top;
    QVERIFY(pitch > 10);
    const double bottom = kPaperHeight - 20 * kPointsPerMm;
    for (const PdfPage& page : pages.mid(0, 2)) {
      QVERIFY(page.last().top <= bottom + 0.5);
      QVERIFY(page.last().top + pitch > bottom);
    }
  }

  void printWrappingPanePrintsThePiecesItShows() {
    TMainForm& form = window_->Form();
    const QString zeros(150, QLatin1Char('0'));
    form.MmResult->setPlainText(QStringLiteral("first\n") + zeros + QLatin1Char('\n'));
    const QStringList shown = ShownLines(*form.MmResult);
    QVERIFY2(shown.size() >= 4, qPrintable(shown.join(QLatin1Char('|'))));  // zeros in 3 pieces
    QCOMPARE(shown.first(), QStringLiteral("first"));

    const QString pdf = window_->File(QStringLiteral("wrapped.pdf"));
    window_->dialogs.answers.push_back(pdf);
    form.AlPrint->trigger();
    const QList<PdfPage> pages = ReadPdf(pdf).pages;
    QCOMPARE(pages.size(), 1);
    QCOMPARE(Texts(pages[0]).mid(1), shown);

    // A large result goes into the pane with many lines to a block; each line is still a
    // line of its own.
    form.MmResult->clear();
    QtResultPane pane(*form.MmResult);
    std::vector<std::string> rows;
    for (int i = 1; i <= QtResultPane::kLinesForBlocks + 100; ++i) {
      rows.push_back("row " + std::to_string(i));
      pane.AppendLine(rows.back());
    }
    pane.Flush();
    QVERIFY(form.MmResult->document()->blockCount() < static_cast<int>(rows.size()) / 2);
    QVERIFY(DisplayedLines(*form.MmResult) == rows);
  }

  void printOfAnEmptyLogIsOneHeaderPage() {
    TMainForm& form = window_->Form();
    ScriptedDialogs& dialogs = window_->dialogs;
    form.MmResult->clear();
    const QString pdf = window_->File(QStringLiteral("empty.pdf"));
    dialogs.answers = {QString(), pdf, window_->File(QStringLiteral("none/x.pdf"))};
    form.AlPrint->trigger();  // cancelled
    QCOMPARE(dialogs.shown, QStringList{"print"});
    QVERIFY(!QFileInfo::exists(pdf));

    form.AlPrint->trigger();
    const Pdf printed = ReadPdf(pdf);
    QCOMPARE(printed.title, QStringLiteral("Tarnwick"));
    QCOMPARE(printed.pages.size(), 1);
    QCOMPARE(printed.pages[0].size(), 1);
    QVERIFY(printed.pages[0][0].text.startsWith(QStringLiteral("Tarnwick 20")));

    // A printer that cannot start the job: the standard error box, nothing in the log.
    form.AlPrint->trigger();
    QCOMPARE(dialogs.errors, QStringList{QStringLiteral("印刷できません.")});
    QCOMPARE(window_->ResultText(), QString());
  }
};

QTEST_MAIN(ResultLogTest)
#include "tst_result_log.moc"
