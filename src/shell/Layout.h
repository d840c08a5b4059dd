#pragma once

#include <QFont>
#include <QWidget>

namespace kelvane {

// The screen's logical resolution, by which the twips of the window designs become pixels.
double screenDotsPerInch();

// Places the widget at its design position in twips, relative to its container.
void placeInTwips(QWidget* widget, int left, int top, int width, int height);
int twipsOnScreen(int twips);

// Tahoma (or its stand-in) at the size of the design.
QFont tahoma(double points);

}  // namespace kelvane
