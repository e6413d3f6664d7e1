#include "gui/AppIcon.h"

#include <QFont>
#include <QPainter>
#include <algorithm>

namespace tarnwick {
namespace {

const QColor kUpperBlue(84, 140, 230);
const QColor kLowerBlue(22, 70, 170);

// A word's outline, centred in the box.
QPainterPath WordOutline(const QString& word, const QFont& font, const QRectF& box) {
  QPainterPath outline;
  outline.addText(0, 0, font, word);
  outline.translate(box.center() - outline.boundingRect().center());
  return outline;
}

// An SVG number: at most two decimals, no trailing zeros.
QString SvgNumber(qreal value) {
  QString text = QString::number(value, 'f', 2);
  while (text.endsWith(QLatin1Char('0'))) text.chop(1);
  if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

QString SvgPoint(const QPainterPath::Element& point) {
  return SvgNumber(point.x) + QLatin1Char(' ') + SvgNumber(point.y);
}

// The path data of an outline: moves, lines and cubic curves, as QPainterPath holds them.
QString SvgPathData(const QPainterPath& outline) {
  QStringList commands;
  for (int i = 0; i < outline.elementCount(); ++i) {
    const QPainterPath::Element element = outline.elementAt(i);
    if (element.isMoveTo()) {
      commands << QStringLiteral("M") + SvgPoint(element);
    } else if (element.isLineTo()) {
      commands << QStringLiteral("L") + SvgPoint(element);
    } else if (element.isCurveTo()) {
      // A curve's first control point, then two data elements: the second control point
      // and the end point.
      commands << QStringLiteral("C") + SvgPoint(element) + QLatin1Char(' ') +
                      SvgPoint(outline.elementAt(i + 1)) + QLatin1Char(' ') +
                      SvgPoint(outline.elementAt(i + 2));
      i += 2;
    }
  }
  return commands.join(QString());
}

}  // namespace

std::vector<IconShape> TarnwickIconShapes(int size) {
  QPainterPath square;
  square.addRoundedRect(QRectF(0, 0, size, size), size / 8.0, size / 8.0);
  QPainterPath upperHalf;
  upperHalf.addRect(QRectF(0, 0, size, size / 2.0));

  QFont font(QStringLiteral("DejaVu Sans"));
  font.setBold(true);
  font.setPixelSize(std::max(5, size * 3 / 10));
  const QRectF upperLine(0, size * 0.08, size, size * 0.42);
  const QRectF lowerLine(0, size * 0.50, size, size * 0.42);
  return {{square, kLowerBlue},
          {square.intersected(upperHalf), kUpperBlue},
          {WordOutline(QStringLiteral("Tarn"), font, upperLine), Qt::white},
          {WordOutline(QStringLiteral("wick"), font, lowerLine), Qt::white}};
}

QPixmap TarnwickIconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  for (const IconShape& shape : TarnwickIconShapes(size)) {
    painter.fillPath(shape.outline, shape.colour);
  }
  return pixmap;
}

QIcon TarnwickIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64}) icon.addPixmap(TarnwickIconPixmap(size));
  return icon;
}

QByteArray TarnwickIconSvg(int size) {
  const QString side = QString::number(size);
  QString svg = QStringLiteral(
                    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" "
                    "viewBox=\"0 0 %1 %1\">\n")
                    .arg(side);
  for (const IconShape& shape : TarnwickIconShapes(size)) {
    svg += QStringLiteral("<path fill=\"%1\" fill-rule=\"%2\" d=\"%3\"/>\n")
               .arg(shape.colour.name(),
                    shape.outline.fillRule() == Qt::WindingFill ? QStringLiteral("nonzero")
                                                                : QStringLiteral("evenodd"),
                    SvgPathData(shape.outline));
  }
  svg += QStringLiteral("</svg>\n");
  return svg.toUtf8();
}

}  // namespace tarnwick
