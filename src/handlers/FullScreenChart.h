#pragma once

#include "database/CompactRows.h"
#include "database/StationReads.h"
#include "entry/Program.h"

namespace kelvane {

// The Full screen button: rebuilds the chart of the current mode (the live window, the recent
// rows read again, or the last query run again) on the full-screen window. In any other mode
// nothing is shown. Only a Data value that is no number is reported (message 50).
void btnMaximized_Click(Program& program);

// The full-screen window, when it is on screen with a chart of the current mode, drawn again where
// it stands from rows held, as the button draws them.
void redrawFullScreen(Program& program, const CompactRows& rows, const std::vector<StationRows>& stations = {});

}  // namespace kelvane
