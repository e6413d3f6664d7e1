#include "gui/FontMapping.h"

#include <QFontMetricsF>
#include <algorithm>

namespace tarnwick {

namespace {

const QString kFixedGothic = QStringLiteral("ＭＳ ゴシック");
const QString kProportionalGothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString kUiGothic = QStringLiteral("MS UI Gothic");
const QString kVlGothic = QStringLiteral("VL Gothic");
const QString kIpaGothic = QStringLiteral("IPAGothic");
const QString kIpaPGothic = QStringLiteral("IPAPGothic");
constexpr int kWindowFontPoints = 9;

}  // namespace

QString MappedFontFamily(const QString& windowsFace) {
  if (windowsFace == kFixedGothic) return kVlGothic;
  if (windowsFace == kProportionalGothic || windowsFace == kUiGothic) return kIpaPGothic;
  return windowsFace;
}

QFont MappedFont(const QString& windowsFace, int pointSize) {
  const QString family = MappedFontFamily(windowsFace);
  QFont font;
  const bool fixedPitch = family == kVlGothic;
  // Fallbacks in case the mapped font is missing: another Japanese face of the same kind.
  const QStringList families =
      fixedPitch ? QStringList{family, kIpaGothic, QStringLiteral("Noto Sans Mono CJK JP"),
                               QStringLiteral("monospace")}
                 : QStringList{family, QStringLiteral("IPAPゴシック"),
                               QStringLiteral("Noto Sans CJK JP"), QStringLiteral("sans-serif")};
  font.setFamilies(families);
  font.setPointSize(std::max(pointSize, 1));
  font.setStyleHint(fixedPitch ? QFont::TypeWriter : QFont::SansSerif);
  font.setFixedPitch(fixedPitch);
  if (fixedPitch) {
    // Full hinting rounds every advance to whole pixels, and at most sizes a half-width
    // advance rounded twice no longer adds up to a full-width one.
    font.setHintingPreference(QFont::PreferVerticalHinting);
    // The font engine scales each advance on its own, and at some sizes two half-width
    // advances come to 1/64 pixel less than a full-width one; spacing every character by the
    // difference makes them add up again, so that a grid's columns line up however many
    // double-width characters stand before them.
    const QFontMetricsF metrics(font);
    const qreal gap = metrics.horizontalAdvance(QStringLiteral("漢")) -
                      2 * metrics.horizontalAdvance(QLatin1Char('a'));
    if (gap > 0) font.setLetterSpacing(QFont::AbsoluteSpacing, gap);
  }
  return font;
}

QFont PaneFont(int pointSize) { return MappedFont(kFixedGothic, pointSize); }

QFont BaseFont() { return MappedFont(kProportionalGothic, kWindowFontPoints); }

QFont MenuFont() { return MappedFont(kUiGothic, kWindowFontPoints); }

}  // namespace tarnwick
