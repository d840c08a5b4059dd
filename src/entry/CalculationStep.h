#pragma once

#include "entry/Program.h"

namespace kelvane {

// The Input button: reads the typed value, draws it on the sliding chart and records it in the
// lists, the log and the database. A text that is no number, or a number too large to chart,
// is refused with a message and leaves the lists, the log, the database and the chart alone.
void btnCalculation_Click(Program& program);

// The typed text as a Single; the mode becomes "calculation" once it converts.
float Data(Program& program);

}  // namespace kelvane
