#pragma once

#include "entry/Program.h"
#include "state/ProgramSettings.h"

namespace kelvane {

// Database > Time scale, checked or not: the charts of stored rows on show are drawn again at once
// from the rows they hold, each row at its moment or one record apart, and the choice is kept for
// the next run; a settings file that cannot be written is told, and the choice holds all the same.
void mnuTimeScale_Click(Program& program, ProgramSettings& settings, bool checked);

}  // namespace kelvane
