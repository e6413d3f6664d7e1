#pragma once
// The window's fonts, named as the window's layout names them, mapped to the Japanese
// fonts the set-up installs (VL Gothic for the panes, IPA P Gothic for the rest).
#include <QFont>
#include <QString>
#include <QStringList>

namespace tarnwick {

// "ＭＳ ゴシック" (fixed pitch): VL Gothic, whose "." and "," stay apart at every size (IPA
// Gothic's period looks like a comma at the panes' usual sizes). "ＭＳ Ｐゴシック" and "MS UI
// Gothic" (proportional): IPAPGothic. Any other name is used as it is.
QString MappedFontFamily(const QString& windowsFace);

// A font of the mapped family at a size in points. A fixed-pitch face keeps exact
// (unrounded) advances, so that a double-width character takes exactly two cells at every
// size and the result grids line up. Sizes below 1 point are shown at 1 point.
QFont MappedFont(const QString& windowsFace, int pointSize);

// The two panes' font, "ＭＳ ゴシック" at the given size.
QFont PaneFont(int pointSize);
// The window's base font and the menu bar's font, 9 points (12 pixels at 96 dots per inch).
QFont BaseFont();
QFont MenuFont();

}  // namespace tarnwick
