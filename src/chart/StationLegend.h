#pragma once

#include "ChartInput.h"
#include "DrawingSurface.h"

#include <vector>

namespace kelvane {

// The most stations a chart compares: the chosen database and five beside it.
constexpr int kMostStations = 6;

// The colour of the station-th series (from 0): the chosen database's own colour, then dark
// orange, dark green, magenta, brown and teal, which stay apart from it, from each other and from
// the limits' lines.
Colour stationColour(int station, Colour chosen);

namespace stdKelvane {

// The names of the series in their colours, in a row at the top of the picture above the plot,
// from left on; the name of a station that could not be read struck through. Steps that fail are
// skipped, as every step of a chart is.
void drawStationLegend(DrawingSurface& picture, const std::vector<ChartSeries>& series, float left, Colour foreColour);

}  // namespace stdKelvane
}  // namespace kelvane
