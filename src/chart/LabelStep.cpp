#include "LabelStep.h"

#include "Single.h"
#include "state/RuntimeError.h"

#include <algorithm>
#include <cmath>

namespace kelvane::stdKelvane {

namespace {

// Labels of one row keep at least this far apart: 4 pixels of a screen.
constexpr double kLabelGap = 60;
// The labels of one chart are alike (all times, or all numbers of a similar size): a few spread
// over the range tell their width without a million texts measured.
constexpr int kMeasuredLabels = 32;

double widestLabel(const DrawingSurface& picture, const ChartFrame& frame, const PointTexts& labels,
                   const Environment& env, const QString& fontName, float points) {
  double widest = 0;
  const double from = frame.xMin, to = frame.xMax;
  for (int n = 0; n < kMeasuredLabels; ++n) {
    skipOnFailure([&] {
      const int record = indexOf(toSingle(from + (to - from) * n / (kMeasuredLabels - 1)));
      const QString text = env.regional.valueText(labels.labelAt(record));
      widest = std::max(widest, double(picture.TextWidth(text, fontName, points)));
    });
  }
  return widest;
}

}  // namespace

double storedLabelStep(const DrawingSurface& picture, const ChartFrame& frame, const PointTexts& labels,
                       const Environment& env, const QString& fontName, float points) {
  const double spacing = frame.scaleX, range = double(frame.xMax) - frame.xMin;
  if (!(spacing > 0 && std::isfinite(spacing) && range > 0)) return 1;
  const double needed = widestLabel(picture, frame, labels, env, fontName, points) + kLabelGap;
  // Beyond the whole range only the first label is left, however large the step.
  double step = 1;
  for (double decade = 1; 2 * step * spacing < needed && step < range;) {
    for (const double multiple : {2.0, 5.0, 10.0}) {
      step = multiple * decade;
      if (2 * step * spacing >= needed || step >= range) break;
    }
    decade *= 10;
  }
  return step;
}

}  // namespace kelvane::stdKelvane
