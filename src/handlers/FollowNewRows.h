#pragma once

#include "database/NewRowsWatch.h"
#include "entry/Program.h"

namespace kelvane {

// The Database menu's item "Follow new rows", checked or not.
void mnuFollow_Click(Program& program, NewRowsWatch& watch, bool checked);

// Beside the clock, every tick: while new rows are followed and the main window shows a chart
// that can follow (the recent rows of the chosen database, or a period of it that ends now), the
// rows numbered above its newest are asked for on the watch's connection, unless a check is under
// way. When they come, they are added to the chart, the recent rows keep the newest 20, a sliding
// period drops the rows that fell out of its range, and the chart is drawn again from the rows it
// holds, as is the full-screen window when it shows the same chart. A failure is reported as the
// Database button reports one, once, and ends the following. The stations charted beside the
// chosen database are each asked on a watch of their own, and the chart is drawn once when all
// have answered; a station whose check fails is named once, struck through, and no longer asked.
void followNewRows(Program& program, NewRowsWatch& watch);

// A chart that was to be followed failed: the item is unchecked, so that the operator sees that
// nothing is followed (the failure has been told).
void followedChartFailed(Program& program);

}  // namespace kelvane
