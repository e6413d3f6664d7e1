#include "gui/AppIcon.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace tarnwick {

QPixmap TarnwickIconPixmap(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const QRectF square(0, 0, size, size);
  const qreal radius = size / 8.0;
  QPainterPath outline;
  outline.addRoundedRect(square, radius, radius);
  painter.setClipPath(outline);
  painter.fillRect(QRectF(0, 0, size, size / 2.0), QColor(84, 140, 230));
  painter.fillRect(QRectF(0, size / 2.0, size, size / 2.0), QColor(22, 70, 170));

  QFont font(QStringLiteral("DejaVu Sans"));
  font.setBold(true);
  font.setPixelSize(std::max(5, size * 3 / 10));
  painter.setFont(font);
  painter.setPen(Qt::white);
  const QRectF upper(0, size * 0.08, size, size * 0.42);
  const QRectF lower(0, size * 0.50, size, size * 0.42);
  painter.drawText(upper, Qt::AlignCenter, QStringLiteral("Tarn"));
  painter.drawText(lower, Qt::AlignCenter, QStringLiteral("wick"));
  return pixmap;
}

QIcon TarnwickIcon() {
  QIcon icon;
  for (int size : {16, 24, 32, 48, 64}) icon.addPixmap(TarnwickIconPixmap(size));
  return icon;
}

}  // namespace tarnwick
