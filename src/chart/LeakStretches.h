#pragma once

#include "DrawingSurface.h"
#include "state/LeakLimits.h"

#include <vector>

namespace kelvane {

// A stretch of a chart's records at or above A: the first and last of them and the one of the
// highest value, counted from 1, and how many it holds.
struct LeakStretch {
  int first, last, highest;
  int rows;
  std::size_t series = 0;  // the station whose rows they are, from 0
};

// The stretches of the records of a chart of stored rows that reach A, in order (in time order on
// the time scale): one pass over the values of its series as the chart carries them, so that the
// stretches lie where its bands are. Those of several stations each station's own, all in the
// order of their first moments. None for the live chart.
std::vector<LeakStretch> leakStretches(const KeptChart& chart, const LeakLimits& limits);

}  // namespace kelvane
