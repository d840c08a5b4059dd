#pragma once

#include "EnteredValues.h"
#include "state/Background.h"
#include "state/MeasurementStore.h"
#include "state/ProgramState.h"
#include "state/Services.h"
#include "state/Views.h"

namespace kelvane {

// What every handler works on: the shared state, the machine, the windows, the values entered,
// where their rows go, and the worker that reads rows for the charts.
struct Program {
  ProgramState& state;
  const Environment& env;
  MainWindowView& mainWindow;
  EnteredValues& entered;
  MeasurementStore& store;
  Worker& reader;
};

}  // namespace kelvane
