#include "Layout.h"

#include "chart/Twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace kelvane {

double screenDotsPerInch() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->logicalDotsPerInchX() : 96.0;
}

int twipsOnScreen(int twips) { return twipsToPixels(twips, screenDotsPerInch()); }

void placeInTwips(QWidget* widget, int left, int top, int width, int height) {
  widget->setGeometry(twipsOnScreen(left), twipsOnScreen(top), twipsOnScreen(width), twipsOnScreen(height));
}

QFont tahoma(double points) {
  QFont font(QStringLiteral("Tahoma"));
  font.setPointSizeF(points);
  return font;
}

}  // namespace kelvane
