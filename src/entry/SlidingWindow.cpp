#include "SlidingWindow.h"

#include "chart/DrawChart.h"
#include "chart/Single.h"
#include "state/RuntimeError.h"

#include <cmath>

namespace kelvane {

namespace {

constexpr double kScale = 10000;
constexpr double kCoarseLabelLimit = 200000;  // 20 in the unit of the entered values

float wholeFloorOf(double value) { return toSingle(std::floor(value)); }

float singleOrZero(const QVariant& cell) { return cell.isNull() ? 0.0f : toSingle(cell.toDouble()); }

// Removes the item at a position counted from 1; a position below 1 is refused.
void removeAtPosition(QList<double>& values, qint32 position) {
  if (position < 1 || position > values.size()) throw invalidArgumentError();
  values.removeAt(position - 1);
}

}  // namespace

void chooseVerticalRange(ChartRecord& record, float& yLabelStep, double v) {
  if (v >= singleProduct(record.YMax, kScale)) {
    record.YMin = 0;
    record.YMax = wholeFloorOf(v / kScale + 1);
    if (v >= kCoarseLabelLimit) yLabelStep = wholeFloor(record.YMax / 20);
  }
  if (v <= singleProduct(record.YMin, kScale)) {
    record.YMin = wholeFloorOf(v / kScale);
    record.YMax = 1;
    if (v <= -kCoarseLabelLimit) yLabelStep = wholeFloor(-record.YMin / 20);
  }
}

void updateSlidingWindow(ProgramState& state, ChartRecord& record, DrawingSurface& picture, const Environment& env) {
  const double v = state.LastValueScaled.toDouble();
  state.MainWindowValues.append(v);
  state.FullScreenWindowValues.append(v);

  const qint32 count = qint32(state.MainWindowValues.size());
  for (state.PointCounter = 1; state.PointCounter <= count; ++state.PointCounter) {
    const int p = state.PointCounter;
    state.PointTable.at(p, kMainSeriesColumn) = state.MainWindowValues.at(p - 1);
    state.PointTable.at(p, kFullScreenSeriesColumn) = state.FullScreenWindowValues.at(p - 1);
  }

  chooseVerticalRange(record, state.YLabelStep, v);

  for (state.PointCounter = 0; state.PointCounter <= count + 1; ++state.PointCounter) {
    const int p = state.PointCounter;
    record.Values.at(p, kMainSeriesColumn) = singleOrZero(state.PointTable.at(p, kMainSeriesColumn));
    record.Values.at(p, kFullScreenSeriesColumn) = singleOrZero(state.PointTable.at(p, kFullScreenSeriesColumn));
  }

  if (state.scaleLimit < kWindowPoints) {
    stdKelvane::DrawChart(picture, record, state, env);
  } else {
    record.XMax = state.WindowStart + 22;
    record.XMin = state.WindowStart;
    stdKelvane::DrawChart(picture, record, state, env);
    state.WindowStart += 1;
    state.PointCounter -= 1;
    removeAtPosition(state.MainWindowValues, state.PointCounter - kWindowPoints);
  }
  if (state.scaleLimit > kWindowPoints) removeAtPosition(state.FullScreenWindowValues, state.PointCounter - kWindowPoints);
  if (state.scaleLimit >= kWindowPoints) state.ScrollCount += 1;

  state.PointTable.clearCells();
  record.Values.erase();
  state.scaleStored = indexOf(state.WindowStart);
}

}  // namespace kelvane
