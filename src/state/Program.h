#pragma once

#include "Background.h"
#include "MeasurementStore.h"
#include "ProgramState.h"
#include "Services.h"
#include "Views.h"

namespace kelvane {

// What every handler works on: the shared state, the machine, the windows, where the rows of
// entered values go, and the worker that reads rows for the charts.
struct Program {
  ProgramState& state;
  const Environment& env;
  MainWindowView& mainWindow;
  MeasurementStore& store;
  Worker& reader;
};

}  // namespace kelvane
