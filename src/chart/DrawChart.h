#pragma once

#include "ChartInput.h"
#include "DrawingSurface.h"
#include "state/Services.h"

#include <functional>
#include <memory>

namespace kelvane::stdKelvane {

// Erases the picture and draws the whole chart of the input: axes with arrow heads, ticks, dotted
// grid, labels and its series, the live way or the stored way. A step that fails is skipped;
// nothing is ever reported. The picture keeps the chart, its input and the frame it was drawn in,
// which is returned.
ChartFrame DrawChart(DrawingSurface& picture, const ChartInput& input, const Environment& env);

// Draws a kept chart again on another picture (or on the same one at a new size). A zoom stays a
// zoom.
void DrawChartAgain(DrawingSurface& picture, const KeptChart& chart, const Environment& env);

// Draws the picture's chart again with its input changed: a zoom and the chart it zooms into alike.
void drawAgainChanged(DrawingSurface& picture, const std::function<void(ChartInput&)>& change, const Environment& env);

// Whether an input is drawn on the time scale: stored rows while the time scale is on.
bool onTimeScale(const ChartInput& input);
inline bool onTimeScale(const KeptChart& chart) { return onTimeScale(chart.input); }
// The rows of a kept chart of stored rows in time order: those it was drawn with on the time
// scale, or else read now; the X range a period's, a zoom's, or else from the first moment to the
// last. None for the live chart.
// series: which stored series, from 0.
std::shared_ptr<const TimeLine> timeLineOf(const KeptChart& chart, const RegionalForms& regional, std::size_t series = 0);

}  // namespace kelvane::stdKelvane
