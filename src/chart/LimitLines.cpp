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

namespace {

KeptChart withLimits(const KeptChart& chart, const std::optional<LeakLimits>& limits) {
  KeptChart again = chart;
  again.state.Limits = limits;
  if (chart.whole) again.whole = std::make_shared<const KeptChart>(withLimits(*chart.whole, limits));
  return again;
}

}  // namespace

void drawAgainWithLimits(DrawingSurface& picture, const std::optional<LeakLimits>& limits, const Environment& env) {
  if (const auto kept = picture.LastChart()) stdKelvane::DrawChartAgain(picture, withLimits(*kept, limits), env);
}

}  // namespace kelvane
