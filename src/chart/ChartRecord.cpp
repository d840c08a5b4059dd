#include "ChartRecord.h"

#include <cmath>

namespace kelvane {

Colour paletteColour(int index) {
  switch (index) {
    case Palette::LightBlue: return rgbColour(0, 0, 255);
    case Palette::LightGreen: return rgbColour(0, 255, 0);
    case Palette::LightRed: return rgbColour(255, 0, 0);
    case Palette::BrightWhite: return rgbColour(255, 255, 255);
    default: return rgbColour(0, 0, 0);
  }
}

namespace stdKelvane {

void InitChartRecord(ChartRecord& record, bool exactXRange) {
  record.SeriesCount = 6;
  record.XMin = 0;
  record.XMax = exactXRange ? 20 : 22;
  record.ShowXLabels = record.ShowYLabels = record.ShowYGrid = record.ShowXGrid = true;
  record.YMin = -6;
  record.YMax = 14;
  record.EqualScale = false;
  record.SeriesVisible.redim(1, record.SeriesCount);
  const int lastPoint = int(std::nearbyint(record.XMax - record.XMin));
  record.Values.redim(0, lastPoint, 1, record.SeriesCount);
  record.SeriesColor.redim(1, record.SeriesCount);
  record.AxisColor = qint16(paletteColour(Palette::Black));
  record.BackColor = paletteColour(Palette::BrightWhite);
  record.ForeColor = paletteColour(Palette::Black);
  const int seriesPalette[] = {Palette::LightBlue, Palette::LightRed, Palette::LightGreen,
                               Palette::LightBlue, Palette::LightRed, Palette::LightGreen};
  for (int k = 1; k <= record.SeriesCount; ++k) record.SeriesColor.at(k) = paletteColour(seriesPalette[k - 1]);
}

}  // namespace stdKelvane
}  // namespace kelvane
