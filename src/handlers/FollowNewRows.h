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

// Beside the clock, every tick: while new rows are followed and the chart shows the recent rows
// of the chosen database, asks whether a row numbered above the chart's newest has come; if so,
// the chart is drawn again as the Database button draws it, and so is the full-screen window
// when it shows the recent rows too. A failure is reported as the Database button reports one,
// once, and ends the following. The tick waits up to wait for the check it starts.
void followNewRows(Program& program, NewRowsWatch& watch, std::chrono::milliseconds wait = kTickWait);

}  // namespace kelvane
