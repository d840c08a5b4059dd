#include "LimitLines.h"

#include "DrawChart.h"
#include "VerticalRange.h"

namespace kelvane {

void widenForLimits(ProgramState& state, const LeakLimits& limits, float& yLabelStep) {
  ChartRecord range;
  range.YMin = state.PlotYMin;
  range.YMax = state.PlotYMax;
  for (const double limit : {limits.upper, limits.lower}) {
    float step = yLabelStep;
    skipOnFailure([&] { applyVerticalRange(kStoredRange, range, step, limit); });
    if (step > yLabelStep) yLabelStep = step;
  }
  state.PlotYMin = range.YMin;
  state.PlotYMax = range.YMax;
}

void drawAgainWithLimits(DrawingSurface& picture, const std::optional<LeakLimits>& limits, const Environment& env) {
  stdKelvane::drawAgainChanged(picture, [&](KeptChart& chart) { chart.state.Limits = limits; }, env);
}

}  // namespace kelvane
