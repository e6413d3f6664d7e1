// Writes the program's icon files for installation, in the layout of the hicolor icon theme:
// OUTDIR/<N>x<N>/apps/tarnwick.png for each size and OUTDIR/scalable/apps/tarnwick.svg, all
// drawn from the window's icon. Runs at build time, without a display.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>

#include "gui/AppIcon.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTDIR\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);  // the fonts of the letters
  const QDir out(QString::fromLocal8Bit(argv[1]));
  for (int size : {16, 24, 32, 48, 64, 128, 256}) {
    const QString folder = QStringLiteral("%1x%1/apps").arg(size);
    if (!out.mkpath(folder) ||
        !tarnwick::TarnwickIconPixmap(size).save(out.filePath(folder + "/tarnwick.png"))) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(out.filePath(folder)));
      return 1;
    }
  }
  const QByteArray svgText = tarnwick::TarnwickIconSvg(256);
  QFile svg(out.filePath(QStringLiteral("scalable/apps/tarnwick.svg")));
  if (!out.mkpath(QStringLiteral("scalable/apps")) || !svg.open(QIODevice::WriteOnly) ||
      svg.write(svgText) != svgText.size() || !svg.flush()) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(svg.fileName()));
    return 1;
  }
  return 0;
}
