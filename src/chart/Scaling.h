#pragma once

#include "ChartInput.h"
#include "ChartRecord.h"
#include "DrawingSurface.h"

namespace kelvane::stdKelvane {

// The margin of the plot area on every side but the right one, which is 100 wider.
constexpr float kPlotMargin = 300;
constexpr float kExtraRightMargin = 100;

// The plot's ranges in data units, taken from the record: the X range ends two slots before XMax
// unless it is exact.
void setPlotRanges(ChartFrame& frame, const ChartRecord& record, bool exactXRange);

// The scale factors of the picture and its coordinate system (y grows upwards). Each part that
// fails (a range of zero width, a picture too small) is skipped and leaves what it could store.
void setPlotScale(ChartFrame& frame, const ChartRecord& record, DrawingSurface& picture);

// Surface position of a data position; raises Overflow when it is no finite Single.
float XToSurface(const ChartFrame& frame, float x);
float YToSurface(const ChartFrame& frame, float y);

// The mapping itself: infinite or not a number where the functions above raise Overflow, for the
// loops over a million points that cannot afford an exception at each.
inline float toSurface(float margin, float plotMin, float scale, float value) {
  return float((double(margin) - double(plotMin) * scale) + double(scale) * value);
}

// On the time scale x counts the seconds from the start of the X range: a Double, as the
// seconds of months are more than a Single holds.
inline float secondsToSurface(const ChartFrame& frame, double seconds) {
  return float((double(frame.margin) - double(frame.xMin) * frame.scaleX) + double(frame.scaleX) * seconds);
}

}  // namespace kelvane::stdKelvane
