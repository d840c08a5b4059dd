#pragma once

#include "ChartRecord.h"

namespace kelvane {

// How a chart's vertical range follows its values: a value at or beyond a bound moves that bound
// to the whole number past it, and a value from the coarse limit on also sets the label step to a
// twentieth of the new bound, so that about 20 labels stand on the axis.
struct VerticalRangeRule {
  double valueScale;   // what a value is carried multiplied by, against the record's bounds
  double coarseLimit;  // in the same scale as the values
  bool resetsOtherBound;
};

// The live chart: values times 10000, decided from the newest value alone. A value of 14 or more
// gives 0 to Int(value + 1), one of -6 or less Int(value) to 1.
inline constexpr VerticalRangeRule kLiveRange{10000, 200000, true};
// Stored rows: each value only widens the bound it passes.
inline constexpr VerticalRangeRule kStoredRange{1, 20, false};

void applyVerticalRange(const VerticalRangeRule& rule, float& yMin, float& yMax, float& yLabelStep, double value);
inline void applyVerticalRange(const VerticalRangeRule& rule, ChartRecord& record, float& yLabelStep, double value) {
  applyVerticalRange(rule, record.YMin, record.YMax, yLabelStep, value);
}

// The vertical range of stored rows and its label step, widened value by value as rows are loaded.
struct StoredRange {
  float yMin = 0, yMax = 0, yLabelStep = 1;

  // A value inside the range leaves it alone: most rows need no more than the comparisons.
  void widen(double value) {
    if (value >= yMax || value <= yMin) applyVerticalRange(kStoredRange, yMin, yMax, yLabelStep, value);
  }
};

}  // namespace kelvane
