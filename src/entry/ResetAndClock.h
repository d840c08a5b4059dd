#pragma once

#include "entry/Program.h"

namespace kelvane {

// Empties the entry box and the result lists; the chart and the calculation run stay as they are.
void btnReset_Click(Program& program);

// The one-second clock: while the chart shows the calculation run the time and date labels of
// both chart windows show the current moment, otherwise they are hidden.
void TimerCurrentTime_Timer(Program& program);

}  // namespace kelvane
