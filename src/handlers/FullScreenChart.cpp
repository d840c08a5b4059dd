#include "FullScreenChart.h"

#include "StoredRowsChart.h"
#include "database/StoredChart.h"
#include "state/TextResources.h"
#include "entry/ProgramChart.h"
#include "chart/VerticalRange.h"
#include "entry/SlidingWindow.h"
#include "state/RuntimeError.h"

namespace kelvane {

namespace {

// The calculation run from the full-screen copy of the window, drawn where the main window's last
// chart stood; the window itself does not move on.
void drawCalculationRun(Program& program, FullScreenView& screen) {
  ProgramState& state = program.state;
  state.WindowStart = float(state.scaleStored);
  ChartRecord record;
  prepareChartRecord(state, record);
  record.SeriesVisible.at(kFullScreenSeries) = true;
  screen.clockLabels().setDateCaption(program.env.regional.shortDate(program.env.clock.now().date()));

  const qint32 count = qint32(state.FullScreenWindowValues.size());
  stageWindowValues(state, count, {{state.FullScreenWindowValues, kFullScreenSeriesColumn}});
  applyVerticalRange(kLiveRange, record, state.YLabelStep, state.LastValueScaled.toDouble());
  copyStagedValues(state, record, count, {kFullScreenSeriesColumn});
  const bool moved = state.scaleLimit >= kWindowPoints;
  if (moved) state.WindowStart -= 1;
  drawWindowChart(state, record, screen.picMaximized(), program.env);
  if (moved) {
    state.WindowStart += 1;
    state.PointCounter -= 1;
  }
  state.PointTable.clearCells();
}

void drawRecentRows(Program& program, FullScreenView&) {
  chartStoredRows(program, RecentRowsWanted{true}, ChartPicture::FullScreen);
}

void drawLastQuery(Program& program, FullScreenView&) {
  chartStoredRows(program, QueryRowsWanted{program.state.QueryText}, ChartPicture::FullScreen);
}

// Only a Data value that is no number is told; any other failure ends the drawing silently.
template <typename Draw>
void drawTrapped(Program& program, Draw&& draw) {
  ProgramState& state = program.state;
  try {
    state.MaximizedChart = true;
    draw();
  } catch (const RuntimeError& error) {
    if (error.number() == ErrorNumber::TypeMismatch) {
      program.env.alert(LoadResString(TextId::FullScreenTypeMismatch));
    }
  }
}

}  // namespace

void btnMaximized_Click(Program& program) {
  ProgramState& state = program.state;
  drawTrapped(program, [&] {
    const auto draw = state.OperatingMode == Mode::Calculation ? drawCalculationRun
                      : state.OperatingMode == Mode::SQLquery  ? drawLastQuery
                      : state.OperatingMode == Mode::Database  ? drawRecentRows
                                                               : nullptr;
    if (!draw) return;
    FullScreenView& screen = program.mainWindow.fullScreenWindow();
    screen.showMaximized();
    state.MaximizedMode = state.OperatingMode;
    draw(program, screen);
  });
}

void redrawFullScreen(Program& program, const CompactRows& rows, const std::vector<StationRows>& stations) {
  ProgramState& state = program.state;
  if (!program.mainWindow.fullScreenShown() || state.MaximizedMode != state.OperatingMode) return;
  drawTrapped(program, [&] { chartStoredRows(program, rows, ChartPicture::FullScreen, stations); });
}

}  // namespace kelvane
