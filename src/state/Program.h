#pragma once

#include "MeasurementStore.h"
#include "ProgramState.h"
#include "Services.h"
#include "Views.h"

namespace kelvane {

// What every handler works on: the shared state, the machine, the windows, and where the rows of
// entered values go.
struct Program {
  ProgramState& state;
  const Environment& env;
  MainWindowView& mainWindow;
  MeasurementStore& store;
};

}  // namespace kelvane
