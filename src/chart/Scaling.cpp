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

void setPlotRanges(ProgramState& state, const ChartRecord& record) {
  state.PlotXMin = record.XMin;
  state.PlotXMax = state.ExactXRange ? record.XMax : record.XMax - 2;
  state.PlotYMin = record.YMin;
  state.PlotYMax = record.YMax;
  state.PlotMargin = kPlotMargin;
}

void setPlotScale(ProgramState& state, const ChartRecord& record, DrawingSurface& picture) {
  float plotWidth = 0, plotHeight = 0;
  skipOnFailure([&] {
    plotWidth = picture.Width() - 2 * state.PlotMargin - kExtraRightMargin;
    plotHeight = picture.Height() - 2 * state.PlotMargin;
  });
  skipOnFailure([&] { storeScale(state.ScaleX, plotWidth, state.PlotXMax - state.PlotXMin); });
  skipOnFailure([&] { storeScale(state.ScaleY, plotHeight, state.PlotYMax - state.PlotYMin); });
  if (record.EqualScale) {
    if (state.ScaleX >= state.ScaleY)
      state.ScaleX = state.ScaleY;
    else
      state.ScaleY = state.ScaleX;
  }
  skipOnFailure([&] { picture.SetScale(0, picture.Height(), picture.Width(), 0); });
}

float XToSurface(const ProgramState& state, float x) {
  return toSingle(toSurface(state.PlotMargin, state.PlotXMin, state.ScaleX, x));
}

float YToSurface(const ProgramState& state, float y) {
  return toSingle(toSurface(state.PlotMargin, state.PlotYMin, state.ScaleY, y));
}

}  // namespace kelvane::stdKelvane
