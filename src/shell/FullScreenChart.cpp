#include "FullScreenChart.h"

#include "TextResources.h"
#include "chart/DrawChart.h"
#include "chart/Single.h"
#include "database/Connection.h"
#include "database/ConnectionString.h"
#include "database/Recordset.h"
#include "database/StoredRows.h"
#include "entry/SlidingWindow.h"
#include "state/RuntimeError.h"

namespace kelvane {

namespace {

constexpr int kSeries = 4;  // light blue, as series 1 on the main window

void drawCalculationRun(Program& program, FullScreenView& screen) {
  ProgramState& state = program.state;
  state.WindowStart = float(state.scaleStored);
  ChartRecord record;
  stdKelvane::InitChartRecord(state, record);
  record.SeriesVisible.at(kSeries) = true;
  screen.clockLabels().setDateCaption(program.env.regional.shortDate(program.env.clock.now().date()));

  const qint32 count = qint32(state.FullScreenWindowValues.size());
  for (state.PointCounter = 1; state.PointCounter <= count; ++state.PointCounter)
    state.PointTable.at(state.PointCounter, kFullScreenSeriesColumn) =
        state.FullScreenWindowValues.at(state.PointCounter - 1);
  if (!state.LastValueScaled.isNull()) chooseVerticalRange(record, state.YLabelStep, state.LastValueScaled.toDouble());
  for (state.PointCounter = 0; state.PointCounter <= count + 1; ++state.PointCounter) {
    const QVariant& cell = state.PointTable.at(state.PointCounter, kFullScreenSeriesColumn);
    record.Values.at(state.PointCounter, kSeries) = cell.isNull() ? 0.0f : toSingle(cell.toDouble());
  }
  if (state.scaleLimit < kWindowPoints) {
    stdKelvane::DrawChart(screen.picMaximized(), record, state, program.env);
  } else {
    state.WindowStart -= 1;
    record.XMax = state.WindowStart + 22;
    record.XMin = state.WindowStart;
    stdKelvane::DrawChart(screen.picMaximized(), record, state, program.env);
    state.WindowStart += 1;
    state.PointCounter -= 1;
  }
  state.PointTable.clearCells();
}

void drawRecentRows(Program& program, FullScreenView& screen) {
  ProgramState& state = program.state;
  state.ExactXRange = true;
  ChartRecord record;
  stdKelvane::InitChartRecord(state, record);
  record.SeriesVisible.at(kSeries) = true;
  Connection connection;
  Recordset rows;
  state.ChartRecordCount = openRecentRows(connection, rows, state.DatabasePath, RecentRowsSql::Newest20AllColumns,
                                          RecentRowsSql::AllColumns);
  if (state.ChartRecordCount == 0) return;
  LoadChartRows(rows, state.ChartRecordCount, record, kSeries, true, state, program.env.regional);
  stdKelvane::DrawChart(screen.picMaximized(), record, state, program.env);
}

void drawLastQuery(Program& program, FullScreenView& screen) {
  ProgramState& state = program.state;
  state.ExactXRange = true;
  ChartRecord record;
  stdKelvane::InitChartRecord(state, record);
  record.SeriesVisible.at(kSeries) = true;
  Connection connection;
  Recordset rows;
  connection.Mode = adModeRead;  // the operator's text, run again: it still cannot write
  connection.Open(ConnectionString(state.DatabasePath));
  rows.Open(state.QueryText, connection);
  if (rows.IsEOF() || rows.IsBOF()) return;
  state.ChartRecordCount = rows.RecordCount();
  LoadChartRows(rows, state.ChartRecordCount, record, kSeries, false, state, program.env.regional);
  stdKelvane::DrawChart(screen.picMaximized(), record, state, program.env);
}

}  // namespace

void btnMaximized_Click(Program& program) {
  ProgramState& state = program.state;
  try {
    state.MaximizedChart = true;
    const auto draw = state.OperatingMode == Mode::Calculation ? drawCalculationRun
                      : state.OperatingMode == Mode::SQLquery  ? drawLastQuery
                      : state.OperatingMode == Mode::Database  ? drawRecentRows
                                                               : nullptr;
    if (!draw) return;
    FullScreenView& screen = program.mainWindow.fullScreenWindow();
    screen.showMaximized();
    draw(program, screen);
  } catch (const RuntimeError& error) {
    if (error.number() == ErrorNumber::TypeMismatch) {
      state.AlarmMessage = LoadResString(50);
      program.env.alert(state.AlarmMessage.toString());
    }
  }
}

}  // namespace kelvane
