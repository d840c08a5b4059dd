#include "ProgramIcon.h"

#include <QPainter>
#include <QSvgRenderer>

namespace kelvane {

QImage programIconImage(int size) {
  QSvgRenderer picture(QStringLiteral(":/kelvane.svg"));
  if (!picture.isValid() || size <= 0) return {};
  QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  picture.render(&painter, QRectF(0, 0, size, size));
  return icon;
}

QPixmap programIcon(int size) { return QPixmap::fromImage(programIconImage(size)); }

}  // namespace kelvane
