#pragma once

#include "ChartRecord.h"
#include "DrawingSurface.h"
#include "state/ProgramState.h"

namespace kelvane::stdKelvane {

// The margin of the plot area on every side but the right one, which is 100 wider.
constexpr float kPlotMargin = 300;
constexpr float kExtraRightMargin = 100;

// The plot's ranges in data units, taken from the record.
void setPlotRanges(ProgramState& state, const ChartRecord& record);

// The scale factors of the picture and its coordinate system (y grows upwards). Each part that
// fails (a range of zero width, a picture too small) is skipped and leaves what it could store.
void setPlotScale(ProgramState& state, const ChartRecord& record, DrawingSurface& picture);

// Surface position of a data position; raises Overflow when it is no finite Single.
float XToSurface(const ProgramState& state, float x);
float YToSurface(const ProgramState& state, float y);

// The mapping itself: infinite or not a number where the functions above raise Overflow, for the
// loops over a million points that cannot afford an exception at each.
inline float toSurface(float margin, float plotMin, float scale, float value) {
  return float((double(margin) - double(plotMin) * scale) + double(scale) * value);
}

// On the time scale x counts the seconds from the start of the X range: a Double, as the
// seconds of months are more than a Single holds.
inline float secondsToSurface(const ProgramState& state, double seconds) {
  return float((double(state.PlotMargin) - double(state.PlotXMin) * state.ScaleX) + double(state.ScaleX) * seconds);
}

}  // namespace kelvane::stdKelvane
