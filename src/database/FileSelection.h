#pragma once

#include "state/ProgramState.h"
#include "state/Services.h"

namespace kelvane::stdFileOpen {

// The File menu's "Select Database file...": the chosen file's path becomes DatabasePath. A
// cancelled dialog keeps the earlier path; nothing is opened or tested here.
void SelectDatabaseFile(ProgramState& state, FileChooser& chooser);

}  // namespace kelvane::stdFileOpen
