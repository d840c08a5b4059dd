#pragma once

#include "database/NewRowsWatch.h"
#include "state/Program.h"

namespace kelvane {

// How long a tick waits for the check it starts: a look into an index answers within a
// millisecond, and a busy file or a silent server must not hold the window noticeably. A later
// tick takes up an answer that comes late.
inline constexpr std::chrono::milliseconds kTickWait{50};

// The Database menu's item "Follow new rows", checked or not.
void mnuFollow_Click(Program& program, NewRowsWatch& watch, bool checked);

// Beside the clock, every tick: while new rows are followed and the main window shows a chart
// that can follow (the recent rows of the chosen database, or a period of it that ends now), the
// rows numbered above its newest are asked for on the watch's connection. Those that came are
// added to the chart, the recent rows keep the newest 20, a sliding period drops the rows that
// fell out of its range, and the chart is drawn again from the rows it holds, as is the
// full-screen window when it shows the same chart. A failure is reported as the Database button
// reports one, once, and ends the following. The tick waits up to wait for the check it starts.
void followNewRows(Program& program, NewRowsWatch& watch, std::chrono::milliseconds wait = kTickWait);

}  // namespace kelvane
