#include "Scaling.h"

#include "Single.h"
#include "state/RuntimeError.h"

#include <cmath>

namespace kelvane::stdKelvane {

namespace {

// Stores the factor even when the range has zero width, so that the mappings on that axis fail
// later instead of using an old factor.
void storeScale(float& factor, float length, float range) {
  if (range == 0) {
    factor = float(double(length) / double(range));
    throw divisionByZeroError();
  }
  factor = singleQuotient(length, range);
}

}  // namespace

void setPlotRanges(ChartFrame& frame, const ChartRecord& record, bool exactXRange) {
  frame.xMin = record.XMin;
  frame.xMax = exactXRange ? record.XMax : record.XMax - 2;
  frame.yMin = record.YMin;
  frame.yMax = record.YMax;
  frame.margin = kPlotMargin;
}

void setPlotScale(ChartFrame& frame, const ChartRecord& record, DrawingSurface& picture) {
  float plotWidth = 0, plotHeight = 0;
  skipOnFailure([&] {
    plotWidth = picture.Width() - 2 * frame.margin - kExtraRightMargin;
    plotHeight = picture.Height() - 2 * frame.margin;
  });
  skipOnFailure([&] { storeScale(frame.scaleX, plotWidth, frame.xMax - frame.xMin); });
  skipOnFailure([&] { storeScale(frame.scaleY, plotHeight, frame.yMax - frame.yMin); });
  if (record.EqualScale) {
    if (frame.scaleX >= frame.scaleY)
      frame.scaleX = frame.scaleY;
    else
      frame.scaleY = frame.scaleX;
  }
  skipOnFailure([&] { picture.SetScale(0, picture.Height(), picture.Width(), 0); });
}

float XToSurface(const ChartFrame& frame, float x) { return toSingle(toSurface(frame.margin, frame.xMin, frame.scaleX, x)); }

float YToSurface(const ChartFrame& frame, float y) { return toSingle(toSurface(frame.margin, frame.yMin, frame.scaleY, y)); }

}  // namespace kelvane::stdKelvane
