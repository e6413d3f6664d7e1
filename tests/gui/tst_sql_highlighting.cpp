// Syntax colours in the SQL pane: what each part of a line gets, recolouring only what an
// edit changes, the setting that turns them off, and colours that stay readable.
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <cmath>

#include "gui/SqlColouring.h"
#include "gui/SqlHighlighter.h"
#include "support/WindowUnderTest.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// The coloured parts of a line as "K[SELECT] F[Count] ...", then "/" and what it leaves open.
QString Coloured(const QString& line, OpenForm carried) {
  const QByteArray utf8 = line.toUtf8();
  OpenForm open = OpenForm::None;
  QStringList parts;
  for (const ColourSpan& span : ColourLine(utf8.toStdString(), carried, open)) {
    const QString text = QString::fromUtf8(
        utf8.mid(static_cast<qsizetype>(span.offset), static_cast<qsizetype>(span.length)));
    parts << QString(QLatin1Char("-KFTDNC"[static_cast<int>(span.colour)])) + '[' + text + ']';
  }
  return parts.join(' ') + QStringLiteral(" /%1").arg(static_cast<int>(open));
}

// The relative luminance of a colour and the contrast of two, as the WCAG define them.
double Luminance(const QColor& colour) {
  auto channel = [](double c) {
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
         0.0722 * channel(colour.blueF());
}
double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

SqlHighlighter* HighlighterOf(const QPlainTextEdit* pane) {
  return pane->document()->findChild<SqlHighlighter*>();
}

// The colours a block shows, as "start+length:#rrggbb".
QStringList BlockColours(const QTextBlock& block) {
  QStringList colours;
  for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
    colours << QStringLiteral("%1+%2:%3")
                   .arg(range.start)
                   .arg(range.length)
                   .arg(range.format.foreground().color().name());
  }
  return colours;
}

}  // namespace

class SqlHighlightingTest : public WindowTestCase {
  Q_OBJECT

 private slots:
  void eachPartOfALineGetsTheColourOfItsKind() {
    constexpr auto none = OpenForm::None;
    const struct {
      QString line;
      OpenForm carried;
      QString coloured;
    } cases[] = {
        {"SELECT Count(*), 'a' FROM t WHERE d = #2012/02/22# AND n > 1.5 -- 注記", none,
         "K[SELECT] F[Count] T['a'] K[FROM] K[WHERE] D[#2012/02/22#] K[AND] N[1.5] C[-- 注記] /0"},
        // Keywords in any case; LEFT before '(' is the function; names and "texts" in Jet.
        {"select Left (名前, 2) from [表 1] left join u", none,
         "K[select] F[Left] N[2] K[from] K[left] K[join] /0"},
        {"CREATE TABLE t (c CHAR(10), v VALUES(1))", none,
         "K[CREATE] K[TABLE] K[CHAR] N[10] K[VALUES] N[1] /0"},
        {"INSERT INTO t(a) SELECT Max(a) FROM u ON v (w)", none,
         "K[INSERT] K[INTO] K[SELECT] F[Max] K[FROM] K[ON] /0"},
        {"WHERE s = \"二重\" OR x IN (1)", none, "K[WHERE] T[\"二重\"] K[OR] K[IN] N[1] /0"},
        // A block comment left open runs on into the next lines.
        {"SELECT 1 /* 開いた", none, "K[SELECT] N[1] C[/* 開いた] /1"},
        {"まだ */ FROM t", OpenForm::BlockComment, "C[まだ */] K[FROM] /0"},
        {"ずっと", OpenForm::BlockComment, "C[ずっと] /1"},
        {"", OpenForm::BlockComment, " /1"},
        // Texts, names and dates end with their line at the latest.
        {"VALUES ('it''s", none, "K[VALUES] T['it''s] /0"},
        {"WHERE \"x", none, "K[WHERE] T[\"x] /0"},
        {"#2012/02 [name", none, "D[#2012/02 [name] /0"},
    };
    for (const auto& test : cases) {
      QCOMPARE(Coloured(test.line, test.carried), test.coloured);
    }
  }

  void theSqlPaneIsColouredLineByLineAndTypingRecoloursOneLine() {
    TMainForm& form = window_->Form();
    SqlHighlighter* highlighter = HighlighterOf(form.MmSql);
    QVERIFY(highlighter != nullptr);
    QVERIFY(HighlighterOf(form.MmResult) == nullptr);  // the log is never coloured

    QStringList lines;
    for (int i = 0; i < 1000; ++i) lines << QStringLiteral("SELECT 'あ', %1 FROM t;").arg(i);
    form.MmSql->setPlainText(lines.join('\n'));
    const QTextBlock block = form.MmSql->document()->findBlockByNumber(500);
    QCOMPARE(BlockColours(block),
             (QStringList{"0+6:#0000c0", "7+3:#a31515", "12+3:#006e5a", "16+4:#0000c0"}));
    auto typeAt = [&](int blockNumber, int column, const QString& text) {
      QTextCursor cursor(form.MmSql->document()->findBlockByNumber(blockNumber));
      cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
      form.MmSql->setTextCursor(cursor);
      form.MmSql->setFocus();
      const long long before = highlighter->BlocksColoured();
      QTest::keyClicks(form.MmSql, text);
      return highlighter->BlocksColoured() - before;
    };
    QCOMPARE(typeAt(500, 0, QStringLiteral("x")), 1);
    QCOMPARE(BlockColours(form.MmSql->document()->findBlockByNumber(500)),
             (QStringList{"8+3:#a31515", "13+3:#006e5a", "17+4:#0000c0"}));
    // Opening a comment colours its line at once and the lines after it afterwards, a slice
    // at a time; typing inside it then recolours one line again.
    QCOMPARE(typeAt(600, 0, QStringLiteral("/")), 1);
    QCOMPARE(typeAt(600, 1, QStringLiteral("*")), 1);
    QVERIFY(highlighter->FollowUpPending());
    const long long opened = highlighter->BlocksColoured();
    const QTextBlock last = form.MmSql->document()->lastBlock();
    const QStringList comment{QStringLiteral("0+%1:#007800").arg(last.length() - 1)};
    QTRY_COMPARE(BlockColours(last), comment);
    QTRY_VERIFY(!highlighter->FollowUpPending());
    QCOMPARE(highlighter->BlocksColoured() - opened, 399);
    QCOMPARE(typeAt(700, 3, QStringLiteral("z")), 1);
    // Closing it takes the colours back the same way.
    QCOMPARE(typeAt(650, 0, QStringLiteral("*/")), 2);
    QTRY_COMPARE(BlockColours(last).size(), 4);
    QCOMPARE(BlockColours(form.MmSql->document()->findBlockByNumber(649)).size(), 1);
  }

  void highlightKeyOfTheSettingsTurnsTheColoursOff() {
    window_.reset();
    window_ = std::make_unique<WindowUnderTest>();
    WindowUnderTest::WriteText(window_->ExeFile(QStringLiteral("Tarnwick.ini")),
                               QStringLiteral("[GUI]\nHIGHLIGHT=0\n"));
    TMainForm& form = window_->StartWithDatabase();
    QVERIFY(HighlighterOf(form.MmSql) == nullptr);
    form.MmSql->setPlainText(QStringLiteral("SELECT 1"));
    QVERIFY(BlockColours(form.MmSql->document()->firstBlock()).isEmpty());
  }

  void coloursAreReadableOnThePaneAndTheLogStaysBlack() {
    TMainForm& form = window_->Form();
    const QColor base = form.MmSql->palette().color(QPalette::Base);
    for (const SqlColour colour : {SqlColour::Keyword, SqlColour::Function, SqlColour::Text,
                                   SqlColour::Date, SqlColour::Number, SqlColour::Comment}) {
      const QColor shown = SqlHighlighter::ColourOf(colour);
      // WCAG's level for normal text, and distinct from the plain text around it.
      QVERIFY2(Contrast(shown, base) >= 4.5, qPrintable(shown.name()));
      QVERIFY2(shown != form.MmSql->palette().color(QPalette::Text), qPrintable(shown.name()));
    }
    // The echo of a statement in the result pane, which is what printing prints, has no
    // colours of its own.
    window_->RunSql(QStringLiteral("SELECT 'x' -- note"));
    for (QTextBlock block = form.MmResult->document()->firstBlock(); block.isValid();
         block = block.next()) {
      QVERIFY(block.layout()->formats().isEmpty());
    }
  }
};

QTEST_MAIN(SqlHighlightingTest)
#include "tst_sql_highlighting.moc"
