#include "gui/FontMapping.h"

#include <algorithm>

namespace tarnwick {

namespace {

const QString kFixedGothic = QStringLiteral("ＭＳ ゴシック");
const QString kProportionalGothic = QStringLiteral("ＭＳ Ｐゴシック");
const QString kUiGothic = QStringLiteral("MS UI Gothic");
const QString kIpaGothic = QStringLiteral("IPAGothic");
const QString kIpaPGothic = QStringLiteral("IPAPGothic");
constexpr int kWindowFontPoints = 9;

}  // namespace

QString MappedFontFamily(const QString& windowsFace) {
  if (windowsFace == kFixedGothic) return kIpaGothic;
  if (windowsFace == kProportionalGothic || windowsFace == kUiGothic) return kIpaPGothic;
  return windowsFace;
}

QFont MappedFont(const QString& windowsFace, int pointSize) {
  const QString family = MappedFontFamily(windowsFace);
  QFont font;
  const bool fixedPitch = family == kIpaGothic;
  // Fallbacks in case the IPA fonts are missing: another Japanese face of the same kind.
  const QStringList families =
      fixedPitch ? QStringList{family, QStringLiteral("IPAゴシック"),
                               QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("monospace")}
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
  }
  return font;
}

QFont PaneFont(int pointSize) { return MappedFont(kFixedGothic, pointSize); }

QFont BaseFont() { return MappedFont(kProportionalGothic, kWindowFontPoints); }

QFont MenuFont() { return MappedFont(kUiGothic, kWindowFontPoints); }

}  // namespace tarnwick
