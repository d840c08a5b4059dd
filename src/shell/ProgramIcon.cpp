#include "ProgramIcon.h"

#include <QPainter>
#include <QPolygonF>

namespace kelvane {

QPixmap programIcon(int size) {
  QPixmap icon(size, size);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 32.0, size / 32.0);
  painter.setPen(QPen(QColor(64, 64, 64), 1));
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 4, 4);
  painter.setPen(QPen(Qt::black, 1.5));
  painter.drawLine(QPointF(6, 5), QPointF(6, 26));
  painter.drawLine(QPointF(6, 26), QPointF(27, 26));
  painter.setPen(QPen(QColor(0, 0, 255), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPolyline(QPolygonF({{7, 22}, {11, 18}, {15, 20}, {19, 13}, {23, 15}, {27, 7}}));
  return icon;
}

}  // namespace kelvane
