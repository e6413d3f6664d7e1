#pragma once
#include <QIcon>
#include <QPixmap>

namespace tarnwick {

// The program's icon: a blue square, lighter in its upper half, with "Tarn" and "wick" in
// white on two lines; painted in the sizes 16, 24, 32, 48 and 64 pixels.
QIcon TarnwickIcon();
QPixmap TarnwickIconPixmap(int size);

}  // namespace tarnwick
