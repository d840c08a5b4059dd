#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

namespace kelvane {

// The program's icon: a small rising chart on a white tile.
QPixmap programIcon(int size = 32);

// The same icon as an image, which needs no running application; null when the icon's picture
// is missing from the program.
QImage programIconImage(int size);

}  // namespace kelvane
