#pragma once

#include "ChartRecord.h"
#include "DrawingSurface.h"
#include "state/ProgramState.h"
#include "state/Services.h"

#include <functional>
#include <memory>

namespace kelvane::stdKelvane {

// Erases the picture and draws the whole chart of the record: axes with arrow heads, ticks,
// dotted grid, labels and the visible series, the live way or the stored way as LiveChart says.
// A step that fails is skipped; nothing is ever reported. The picture keeps the chart with the
// stored rows it shows.
void DrawChart(DrawingSurface& picture, const ChartRecord& record, ProgramState& state, const Environment& env,
               ShownRows rows = {});

// Draws a kept chart again on another picture (or on the same one at a new size), with a state of
// its own: the program's state is left as it is. A zoom stays a zoom.
void DrawChartAgain(DrawingSurface& picture, const KeptChart& chart, const Environment& env);

// Draws the picture's chart again changed: a zoom and the chart it zooms into alike.
void drawAgainChanged(DrawingSurface& picture, const std::function<void(KeptChart&)>& change, const Environment& env);

// Whether a kept chart is drawn on the time scale: one of stored rows while TimeScale is on.
bool onTimeScale(const KeptChart& chart);
// The rows of a kept chart of stored rows in time order: those it was drawn with on the time
// scale, or else read now; the X range a period's, a zoom's, or else from the first moment to the
// last. None for the live chart.
std::shared_ptr<const TimeLine> timeLineOf(const KeptChart& chart, const RegionalForms& regional);

}  // namespace kelvane::stdKelvane
