#pragma once

#include "chart/ChartRecord.h"
#include "chart/DrawingSurface.h"
#include "state/ProgramState.h"
#include "state/Services.h"

#include <initializer_list>

namespace kelvane {

// Widest window of the live chart: values drawn before it moves on.
constexpr int kWindowPoints = 21;

// One collection of the window and the column of the staging table (and series of the record)
// that carries it.
struct WindowColumn {
  const QList<double>& values;
  int column;
};

// Stages the first count items of each collection in its column of PointTable, item p in row p.
void stageWindowValues(ProgramState& state, qint32 count, std::initializer_list<WindowColumn> columns);
// Copies rows 0 to count + 1 of the staged columns into the record's series of the same index, as
// Singles; an empty cell gives 0.
void copyStagedValues(ProgramState& state, ChartRecord& record, qint32 count, std::initializer_list<int> columns);
// Draws the live chart of the window: x 0 to 22 until it is full, then the slots from WindowStart.
void drawWindowChart(ProgramState& state, ChartRecord& record, DrawingSurface& picture, const Environment& env);

// Takes LastValueScaled into both window collections, draws the live chart of the window on the
// picture and moves the window on once it is full.
void updateSlidingWindow(ProgramState& state, ChartRecord& record, DrawingSurface& picture, const Environment& env);

}  // namespace kelvane
