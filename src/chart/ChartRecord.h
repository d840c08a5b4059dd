#pragma once

#include "state/Tables.h"

#include <QtGlobal>

namespace kelvane {

// A colour as the charts carry it: red in the low byte, then green, then blue; top byte 0.
using Colour = quint32;

constexpr Colour rgbColour(unsigned red, unsigned green, unsigned blue) { return red | green << 8 | blue << 16; }

// The entries of the classic 16-colour palette that the charts use.
namespace Palette {
constexpr int Black = 0;
constexpr int LightBlue = 9;
constexpr int LightGreen = 10;
constexpr int LightRed = 12;
constexpr int BrightWhite = 15;
}  // namespace Palette
Colour paletteColour(int index);

// Values carry each data value times this.
constexpr float kValueScale = 10000;

// Everything one chart is drawn from. Values hold each data value times 10000; the ranges are in
// the unit of the entered values.
struct ChartRecord {
  float XMin = 0;
  float XMax = 0;
  float YMin = 0;
  float YMax = 0;
  qint16 AxisColor = 0;
  bool EqualScale = false;
  Colour BackColor = 0;
  Colour ForeColor = 0;
  qint16 SeriesCount = 0;
  Table<Colour> SeriesColor;  // 1..SeriesCount
  Table<bool> SeriesVisible;  // 1..SeriesCount
  Table2D<float> Values;      // point index by series index 1..SeriesCount
  bool ShowXLabels = false;
  bool ShowYLabels = false;
  bool ShowYGrid = false;
  bool ShowXGrid = false;
};

namespace stdKelvane {

// Gives the record its defaults: x 0..20 for a stored chart (an exact X range) or 0..22 for the
// live one, y -6..14, six series none visible, all values 0. The label step that goes with them
// is 1.
void InitChartRecord(ChartRecord& record, bool exactXRange);

}  // namespace stdKelvane
}  // namespace kelvane
