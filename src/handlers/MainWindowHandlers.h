#pragma once

#include "state/Program.h"

namespace kelvane {

// The start-up work of the main window once it is shown with its captions: the chart is live,
// the clock labels hold the start-up moment, and the empty default chart is drawn.
void startMainWindow(Program& program);

// The X-axis choice for the next chart of stored records; the chart on screen stays.
void btnNumberOnX_Click(ProgramState& state);
void btnTimeOnX_Click(ProgramState& state);

}  // namespace kelvane
