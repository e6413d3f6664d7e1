// The program's icon as an SVG document: painted back, it is the picture of the window's icon.
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTest>
#include <QXmlStreamReader>

#include "gui/AppIcon.h"

using namespace tarnwick;

namespace {

// The outline of an SVG path's data made of M, L and C commands with absolute coordinates.
QPainterPath ParsePathData(const QString& data) {
  QPainterPath path;
  static const QRegularExpression token(QStringLiteral("[MLC]|-?[0-9]+(?:\\.[0-9]+)?"));
  QStringList tokens;
  for (const QRegularExpressionMatch& match : token.globalMatch(data)) tokens << match.captured();
  QChar command;
  QList<qreal> numbers;
  const auto flush = [&] {
    if (command == QLatin1Char('M') && numbers.size() == 2) {
      path.moveTo(numbers[0], numbers[1]);
    } else if (command == QLatin1Char('L') && numbers.size() == 2) {
      path.lineTo(numbers[0], numbers[1]);
    } else if (command == QLatin1Char('C') && numbers.size() == 6) {
      path.cubicTo(numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], numbers[5]);
    } else if (!command.isNull()) {
      QTest::qFail("malformed path data", __FILE__, __LINE__);
    }
    numbers.clear();
  };
  for (const QString& t : tokens) {
    if (t.front().isLetter()) {
      flush();
      command = t.front();
    } else {
      numbers << t.toDouble();
    }
  }
  flush();
  return path;
}

// Paints every path of an SVG document of size by size units.
QImage PaintSvgPaths(const QByteArray& svg, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QXmlStreamReader reader(svg);
  while (reader.readNextStartElement()) {
    if (reader.name() == QLatin1String("svg")) continue;
    const QXmlStreamAttributes attributes = reader.attributes();
    QPainterPath path = ParsePathData(attributes.value(QLatin1String("d")).toString());
    path.setFillRule(attributes.value(QLatin1String("fill-rule")) == QLatin1String("nonzero")
                         ? Qt::WindingFill
                         : Qt::OddEvenFill);
    painter.fillPath(path, QColor(attributes.value(QLatin1String("fill")).toString()));
    reader.skipCurrentElement();
  }
  return reader.hasError() ? QImage() : image;
}

}  // namespace

class AppIconTest : public QObject {
  Q_OBJECT

 private slots:
  void svgIsThePictureOfTheWindowsIcon() {
    constexpr int kSize = 64;
    const QByteArray svg = TarnwickIconSvg(kSize);
    QVERIFY(svg.contains("viewBox=\"0 0 64 64\""));
    const QImage fromSvg = PaintSvgPaths(svg, kSize);
    QVERIFY(!fromSvg.isNull());
    const QImage painted =
        TarnwickIconPixmap(kSize).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int differing = 0;
    int white = 0;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        const QColor a = fromSvg.pixelColor(x, y);
        const QColor b = painted.pixelColor(x, y);
        const int difference =
            std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                      std::abs(a.blue() - b.blue()), std::abs(a.alpha() - b.alpha())});
        if (difference > 16) ++differing;
        if (b == Qt::white) ++white;
      }
    }
    QCOMPARE(differing, 0);
    // The letters are there: a good share of the square is white.
    QVERIFY2(white > kSize * kSize / 20, qPrintable(QString::number(white)));
    // Rounded corners are transparent, the halves are their two blues.
    QCOMPARE(painted.pixelColor(0, 0).alpha(), 0);
    QCOMPARE(painted.pixelColor(kSize / 2, 1), QColor(84, 140, 230));
    QCOMPARE(painted.pixelColor(kSize / 2, kSize - 2), QColor(22, 70, 170));
  }
};

QTEST_MAIN(AppIconTest)
#include "tst_app_icon.moc"
