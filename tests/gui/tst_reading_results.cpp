// Reading the result pane: a sideways scroll bar while lines are not wrapped, the last lines
// kept in view when the window gets smaller, and a font whose "." and "," stay apart.
#include <QAction>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <cmath>

#include "gui/FontMapping.h"
#include "support/WindowUnderTest.h"

using namespace tarnwick;
using namespace tarnwick::test;

namespace {

// The lowest row holding ink darker than `darkest` when a character is drawn in the font on
// a baseline, counted from the baseline (0: the row just above it; 1 and more: below it).
int LowestInk(const QFont& font, QChar character, qreal dx, int darkest) {
  const QFontMetricsF metrics(font);
  const int baseline = static_cast<int>(std::ceil(metrics.ascent())) + 2;
  QImage image(static_cast<int>(metrics.maxWidth()) * 3 + 8,
               baseline + static_cast<int>(std::ceil(metrics.descent())) + 4, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(QPointF(4 + dx, baseline), QString(character));
  painter.end();
  int lowest = -1000;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < darkest) lowest = y - baseline + 1;
    }
  }
  return lowest;
}

}  // namespace

class ReadingResultsTest : public WindowTestCase {
  Q_OBJECT

 private slots:
  void unwrappedLinesScrollSideways() {
    TMainForm& form = window_->Form();
    QScrollBar* bar = form.MmResult->horizontalScrollBar();
    window_->RunSql(QStringLiteral("SELECT String(400, 'x') AS wide;"));
    QTest::qWait(0);
    QVERIFY(!bar->isVisible());  // wrapped: nothing to scroll to
    form.AlWordWrap->trigger();
    QTest::qWait(0);
    QVERIFY(bar->isVisible());
    QVERIFY(bar->maximum() > 0);
    bar->setValue(bar->maximum());  // the grid's last columns can be reached
    QCOMPARE(bar->value(), bar->maximum());
    form.AlWordWrap->trigger();
    QTest::qWait(0);
    QVERIFY(!bar->isVisible());
  }

  void theLastLinesStayInViewWhenTheWindowGetsSmaller() {
    TMainForm& form = window_->Form();
    form.resize(700, 700);
    QString script;
    for (int i = 1; i <= 40; ++i) script += QStringLiteral("SELECT %1 AS n;\n").arg(i);
    window_->RunSql(script + QStringLiteral("SELECT 'the end' AS last;"));
    for (const QSize size : {QSize(700, 400), QSize(500, 250), QSize(700, 600)}) {
      form.resize(size);
      QTest::qWait(0);
      const QScrollBar* bar = form.MmResult->verticalScrollBar();
      QCOMPARE(bar->value(), bar->maximum());
    }
    // A reader who scrolled up keeps the place.
    QScrollBar* bar = form.MmResult->verticalScrollBar();
    bar->setValue(10);
    form.resize(700, 350);
    QTest::qWait(0);
    QCOMPARE(bar->value(), 10);
  }

  void thePanesFontKeepsThePeriodOnTheBaselineAndTheCommaBelowIt() {
    // At every size the font commands reach (and beyond), wherever a character falls between
    // two pixels, the comma's tail reaches below the baseline and the period does not.
    for (int points = 7; points <= 40; ++points) {
      const QFont font = PaneFont(points);
      for (const qreal dx : {0.0, 0.25, 0.5, 0.75}) {
        const QByteArray trace = QByteArray::number(points) + "pt +" + QByteArray::number(dx);
        QVERIFY2(LowestInk(font, QLatin1Char(','), dx, 160) >= 1, trace);
        QVERIFY2(LowestInk(font, QLatin1Char('.'), dx, 128) <= 0, trace);
      }
    }
  }
};

QTEST_MAIN(ReadingResultsTest)
#include "tst_reading_results.moc"
