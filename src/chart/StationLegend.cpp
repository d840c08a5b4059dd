#include "StationLegend.h"

#include "state/RuntimeError.h"

namespace kelvane {

namespace {

const QString kLegendFont = QStringLiteral("Tahoma");
constexpr float kLegendFontSize = 7;
constexpr float kLegendTop = 20;   // twips below the picture's top edge
constexpr float kLegendGap = 200;  // between one name and the next
constexpr float kStrikeRise = 70;  // the line through a name, about half its height down

}  // namespace

Colour stationColour(int station, Colour chosen) {
  static constexpr Colour kBeside[] = {rgbColour(230, 120, 0), rgbColour(0, 140, 70), rgbColour(190, 0, 160),
                                       rgbColour(140, 90, 40), rgbColour(0, 130, 140)};
  if (station <= 0) return chosen;
  return kBeside[(station - 1) % std::size(kBeside)];
}

namespace stdKelvane {

void drawStationLegend(DrawingSurface& picture, const std::vector<ChartSeries>& series, float left, Colour foreColour) {
  float top = 0;
  if (!skipOnFailure([&] { top = picture.Height() - kLegendTop; })) return;
  skipOnFailure([&] { picture.SetFont(kLegendFont, kLegendFontSize); });
  skipOnFailure([&] { picture.SetDrawWidth(1); });
  float x = left;
  for (const ChartSeries& one : series) {
    float width = 0;
    skipOnFailure([&] { width = picture.TextWidth(one.name, kLegendFont, kLegendFontSize); });
    skipOnFailure([&] { picture.SetForeColor(one.colour); });
    skipOnFailure([&] {
      picture.SetCurrentX(x);
      picture.SetCurrentY(top);
      picture.Print(one.name);
    });
    if (one.unreadable) skipOnFailure([&] { picture.Line(x, top - kStrikeRise, x + width, top - kStrikeRise, one.colour); });
    x += width + kLegendGap;
  }
  skipOnFailure([&] { picture.SetForeColor(foreColour); });
}

}  // namespace stdKelvane
}  // namespace kelvane
