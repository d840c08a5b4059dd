#pragma once

#include "chart/LeakStretches.h"
#include "entry/Program.h"

#include <memory>
#include <vector>

namespace kelvane {

// What Database > Leak decisions... lists: the stretches at or above A of the main window's chart
// of stored rows, of the whole chart while it shows a zoom.
struct DecisionsList {
  std::shared_ptr<const KeptChart> chart;
  std::vector<LeakStretch> stretches;
};

// Whether the menu item can open: the main window's chart shows stored rows and limits are set.
bool decisionsAvailable(Program& program);
// Computed from the rows the chart holds, without reading the database.
DecisionsList listDecisions(Program& program);
// A line of the list: Date and Time of the stretch's first and last rows, its number of rows and
// its highest value, in the regional forms; with several stations after the station's name and
// a tab, the column Station of the list.
QString decisionLine(const DecisionsList& list, std::size_t index, const RegionalForms& regional);
// The main window's chart zoomed into the stretch, with a quarter of its rows (a few at least)
// either side, or on the time scale a quarter of its time (a few rows' intervals at least).
// Nothing happens when the chart is no longer the one listed.
void zoomIntoStretch(Program& program, const DecisionsList& list, std::size_t index);

}  // namespace kelvane
