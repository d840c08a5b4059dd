#pragma once

#include "state/Views.h"

class QWidget;

namespace kelvane {

// Runs the reading on a thread of its own while the user-interface thread goes on with its
// events (the clock ticks). For the first half second no input reaches any window; then the
// modal progress dialog dlgProgress counts the rows read and offers Cancel.
void waitWithProgress(RowReading& reading, QWidget* window);

}  // namespace kelvane
