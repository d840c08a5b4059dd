#pragma once

#include "ChartRecord.h"
#include "DrawingSurface.h"
#include "state/LeakLimits.h"
#include "state/Services.h"

#include <optional>

namespace kelvane {

// How a chart shows the leak test's limits: a dashed line at A and one at B, and a band over the
// plot's height where a stored series reaches A.
constexpr Colour kUpperLimitColour = rgbColour(200, 0, 0);
constexpr Colour kLowerLimitColour = rgbColour(0, 128, 0);
constexpr Colour kLeakBandColour = rgbColour(255, 225, 225);

// Widens the plot's vertical range, after the rules that chose it, as a stored value does: just so
// far that both limits lie inside. The label step only ever grows with it.
void widenForLimits(ChartFrame& frame, const LeakLimits& limits, float& yLabelStep);

// Draws the picture's chart again with the limits, or without any: a zoom and the chart it zooms
// into alike, from what the picture keeps.
void drawAgainWithLimits(DrawingSurface& picture, const std::optional<LeakLimits>& limits, const Environment& env);

}  // namespace kelvane
