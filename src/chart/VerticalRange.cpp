#include "VerticalRange.h"

#include "Single.h"

namespace kelvane {

void applyVerticalRange(const VerticalRangeRule& rule, float& yMin, float& yMax, float& yLabelStep, double value) {
  // The bounds are compared as Singles times the scale, as the chart carries them.
  if (value >= singleProduct(yMax, rule.valueScale)) {
    if (rule.resetsOtherBound) yMin = 0;
    yMax = wholeFloor(value / rule.valueScale + 1);
    if (value >= rule.coarseLimit) yLabelStep = wholeFloor(yMax / 20);
  }
  // Against the lower bound as the upper rule has left it.
  if (value <= singleProduct(yMin, rule.valueScale)) {
    yMin = wholeFloor(value / rule.valueScale);
    if (rule.resetsOtherBound) yMax = 1;
    if (value <= -rule.coarseLimit) yLabelStep = wholeFloor(-yMin / 20);
  }
}

}  // namespace kelvane
