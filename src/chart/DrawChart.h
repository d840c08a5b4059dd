#pragma once

#include "ChartRecord.h"
#include "DrawingSurface.h"
#include "state/ProgramState.h"
#include "state/Services.h"

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

}  // namespace kelvane::stdKelvane
