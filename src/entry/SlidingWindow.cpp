#include "SlidingWindow.h"

#include "ProgramChart.h"
#include "chart/Single.h"
#include "chart/VerticalRange.h"
#include "state/RuntimeError.h"

namespace kelvane {

namespace {

constexpr int kWindowSlots = 22;

float singleOrZero(const QVariant& cell) { return cell.isNull() ? 0.0f : toSingle(cell.toDouble()); }

// Removes the item at a position counted from 1; a position below 1 is refused.
void removeAtPosition(QList<double>& values, qint32 position) {
  if (position < 1 || position > values.size()) throw invalidArgumentError();
  values.removeAt(position - 1);
}

}  // namespace

void stageWindowValues(ProgramState& state, qint32 count, std::initializer_list<WindowColumn> columns) {
  for (state.PointCounter = 1; state.PointCounter <= count; ++state.PointCounter)
    for (const WindowColumn& staged : columns)
      state.PointTable.at(state.PointCounter, staged.column) = staged.values.at(state.PointCounter - 1);
}

void copyStagedValues(ProgramState& state, ChartRecord& record, qint32 count, std::initializer_list<int> columns) {
  for (state.PointCounter = 0; state.PointCounter <= count + 1; ++state.PointCounter)
    for (int column : columns)
      record.Values.at(state.PointCounter, column) = singleOrZero(state.PointTable.at(state.PointCounter, column));
}

void drawWindowChart(ProgramState& state, ChartRecord& record, DrawingSurface& picture, const Environment& env) {
  if (state.scaleLimit >= kWindowPoints) {
    record.XMax = state.WindowStart + kWindowSlots;
    record.XMin = state.WindowStart;
  }
  drawChart(picture, state, record, env);
}

void updateSlidingWindow(ProgramState& state, ChartRecord& record, DrawingSurface& picture, const Environment& env) {
  const double v = state.LastValueScaled.toDouble();
  state.MainWindowValues.append(v);
  state.FullScreenWindowValues.append(v);
  state.WindowEntryNumbers.append(state.EntryNumber);
  if (state.WindowEntryNumbers.size() > kWindowSlots) state.WindowEntryNumbers.removeFirst();

  const qint32 count = qint32(state.MainWindowValues.size());
  stageWindowValues(state, count,
                    {{state.MainWindowValues, kMainSeriesColumn}, {state.FullScreenWindowValues, kFullScreenSeriesColumn}});
  applyVerticalRange(kLiveRange, record, state.YLabelStep, v);
  copyStagedValues(state, record, count, {kMainSeriesColumn, kFullScreenSeriesColumn});

  drawWindowChart(state, record, picture, env);
  if (state.scaleLimit >= kWindowPoints) {
    state.WindowStart += 1;
    state.PointCounter -= 1;
    removeAtPosition(state.MainWindowValues, state.PointCounter - kWindowPoints);
  }
  // The full-screen copy keeps one value more: its removals start a step later.
  if (state.scaleLimit > kWindowPoints) removeAtPosition(state.FullScreenWindowValues, state.PointCounter - kWindowPoints);
  if (state.scaleLimit >= kWindowPoints) state.ScrollCount += 1;

  state.PointTable.clearCells();
  record.Values.erase();
  state.scaleStored = indexOf(state.WindowStart);
}

}  // namespace kelvane
