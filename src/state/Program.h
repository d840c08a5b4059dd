#pragma once

#include "ProgramState.h"
#include "Services.h"
#include "Views.h"

namespace kelvane {

class PendingRows;

// What every handler works on: the shared state, the machine and the windows, and the rows kept
// for databases that did not answer, which a delivery on its own thread shares.
struct Program {
  ProgramState& state;
  const Environment& env;
  MainWindowView& mainWindow;
  PendingRows& pendingRows;
};

}  // namespace kelvane
