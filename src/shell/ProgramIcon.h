#pragma once

#include <QIcon>
#include <QPixmap>

namespace kelvane {

// The program's icon: a small rising chart on a window-coloured tile.
QPixmap programIcon(int size = 32);

}  // namespace kelvane
