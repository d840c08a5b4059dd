#pragma once

#include "ProgramState.h"
#include "Services.h"
#include "Views.h"

namespace kelvane {

// What every handler works on: the shared state, the machine and the windows.
struct Program {
  ProgramState& state;
  const Environment& env;
  MainWindowView& mainWindow;
};

}  // namespace kelvane
