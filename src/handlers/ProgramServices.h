#pragma once

#include "StoreAndForward.h"
#include "database/NewRowsWatch.h"
#include "entry/EnteredValues.h"
#include "entry/Program.h"
#include "state/Background.h"
#include "state/HeldMessages.h"
#include "state/ProgramSettings.h"

#include <optional>

namespace kelvane {

// What lives as long as the program beside its main window: the settings file, the values
// entered, the worker that reads rows, the store-and-forward of entered values, the watch for new
// rows, and the program the handlers work on. Built in main.cpp on the window it serves.
class ProgramServices {
 public:
  // messages: the gate the environment's messages go through, when there is one.
  ProgramServices(ProgramState& state, const Environment& env, MainWindowView& window, HeldMessages* messages = nullptr);

  // Once the window shows: the values an earlier run kept are taken up for delivery, and the alarms
  // it left standing.
  void start();
  // The clock's tick, its four jobs in this order.
  void tick();
  // At exit: whatever the databases do, the program ends within the exit's wait; a kept row stays
  // kept.
  void shutdown();
  // While a read's progress dialog may show, no message box opens.
  std::optional<HeldMessages::Hold> holdMessages();

  ProgramSettings settings;
  EnteredValues entered;
  Worker reader;
  StoreAndForward store;
  NewRowsWatch newRows;
  Program program;

 private:
  HeldMessages* messages_;
};

}  // namespace kelvane
