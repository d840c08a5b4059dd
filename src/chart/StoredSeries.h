#pragma once

#include "ChartRecord.h"
#include "DrawingSurface.h"
#include "state/ProgramState.h"

namespace kelvane::stdKelvane {

// Draws series k of a stored chart as one polyline, record p at x = p for the usual stored record
// (x range 0..count, points 1..count), starting at the first record. A point that cannot be read
// or placed is left out. Of the points that crowd into one pixel column only those that can
// change a pixel are drawn, so that a million records cost what the picture's width does.
void drawStoredSeries(DrawingSurface& picture, const ChartRecord& record, const ProgramState& state, int k);

}  // namespace kelvane::stdKelvane
