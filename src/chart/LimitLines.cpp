#include "LimitLines.h"

#include "DrawChart.h"
#include "VerticalRange.h"

namespace kelvane {

void widenForLimits(ChartFrame& frame, const LeakLimits& limits, float& yLabelStep) {
  for (const double limit : {limits.upper, limits.lower}) {
    float step = yLabelStep;
    skipOnFailure([&] { applyVerticalRange(kStoredRange, frame.yMin, frame.yMax, step, limit); });
    if (step > yLabelStep) yLabelStep = step;
  }
}

void drawAgainWithLimits(DrawingSurface& picture, const std::optional<LeakLimits>& limits, const Environment& env) {
  stdKelvane::drawAgainChanged(picture, [&](ChartInput& input) { input.limits = limits; }, env);
}

}  // namespace kelvane
