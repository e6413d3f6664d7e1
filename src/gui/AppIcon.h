#pragma once
#include <QByteArray>
#include <QColor>
#include <QIcon>
#include <QPainterPath>
#include <QPixmap>
#include <vector>

namespace tarnwick {

// One filled shape of the icon.
struct IconShape {
  QPainterPath outline;
  QColor colour;
};

// The program's icon, one picture for the window and the installed icon files: a square
// with rounded corners, blue, lighter in its upper half, with "Tarn" and "wick" in white on
// two lines. The shapes fill a square of `size` pixels, bottom shape first; the letters are
// outlines, so that every rendering of the picture draws the same glyphs.
std::vector<IconShape> TarnwickIconShapes(int size);

// The picture painted in `size` by `size` pixels, and the window's icon made of it in the
// sizes 16, 24, 32, 48 and 64.
QPixmap TarnwickIconPixmap(int size);
QIcon TarnwickIcon();

// The picture as an SVG document of `size` by `size` units, one path per shape.
QByteArray TarnwickIconSvg(int size);

}  // namespace tarnwick
