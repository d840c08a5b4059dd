#pragma once

#include "chart/ChartRecord.h"
#include "chart/DrawingSurface.h"
#include "state/ProgramState.h"
#include "state/Services.h"

namespace kelvane {

// Widest window of the live chart: values drawn before it moves on.
constexpr int kWindowPoints = 21;

// The vertical range a newest value v (times 10000) asks for, tried against the record's current
// range: 14 or more gives 0 to Int(value + 1), -6 or less Int(value) to 1, with a coarser label
// step once the range passes 20. Older values never widen it.
void chooseVerticalRange(ChartRecord& record, float& yLabelStep, double v);

// Takes LastValueScaled into both window collections, draws the live chart of the window on the
// picture and moves the window on once it is full.
void updateSlidingWindow(ProgramState& state, ChartRecord& record, DrawingSurface& picture, const Environment& env);

}  // namespace kelvane
