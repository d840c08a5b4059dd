#include "VerticalRange.h"

#include "Single.h"

namespace kelvane {

void applyVerticalRange(const VerticalRangeRule& rule, ChartRecord& record, float& yLabelStep, double value) {
  // The bounds are compared as Singles times the scale, as the chart carries them.
  if (value >= singleProduct(record.YMax, rule.valueScale)) {
    if (rule.resetsOtherBound) record.YMin = 0;
    record.YMax = wholeFloor(value / rule.valueScale + 1);
    if (value >= rule.coarseLimit) yLabelStep = wholeFloor(record.YMax / 20);
  }
  // Against the lower bound as the upper rule has left it.
  if (value <= singleProduct(record.YMin, rule.valueScale)) {
    record.YMin = wholeFloor(value / rule.valueScale);
    if (rule.resetsOtherBound) record.YMax = 1;
    if (value <= -rule.coarseLimit) yLabelStep = wholeFloor(-record.YMin / 20);
  }
}

}  // namespace kelvane
