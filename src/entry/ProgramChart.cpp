#include "ProgramChart.h"

#include "chart/DrawChart.h"

namespace kelvane {

void prepareChartRecord(ProgramState& state, ChartRecord& record) {
  stdKelvane::InitChartRecord(record, state.ExactXRange);
  state.YLabelStep = 1;
}

ChartInput chartInput(const ProgramState& state, const ChartRecord& record, const RegionalForms& regional,
                      std::optional<ChartSeries> series, std::vector<ChartSeries> stations) {
  ChartInput input;
  input.record = record;
  input.exactXRange = state.ExactXRange;
  input.yLabelStep = state.YLabelStep;
  input.windowStart = state.WindowStart;
  input.limits = state.Limits;
  input.timeScale = state.TimeScale;
  input.source.database = state.DatabasePath;
  if (state.LiveChart) {
    input.live = LiveWindow{state.PointCounter, state.ScrollCount, state.LastEntryTime, state.MaximizedChart,
                            state.WindowEntryNumbers};
    // Rows charted while the chart is live (the full-screen window's query after a run) are drawn
    // the live way, from the record's visible series.
    if (series) {
      ChartRecord& shown = input.record;
      shown.Values.redim(1, int(series->values.size()), 1, shown.SeriesCount);
      for (int k = 1; k <= shown.SeriesCount; ++k)
        if (shown.SeriesVisible.at(k)) shown.Values.setColumn(k, series->values);
    }
    return input;
  }
  if (series) input.series.push_back(std::move(*series));
  for (ChartSeries& station : stations) input.series.push_back(std::move(station));
  input.labels = state.PointLabels;
  input.dates = state.PointDates;
  input.datesUnderLabels = state.OperatingMode == Mode::Database || state.OperatingMode == Mode::SQLquery;
  if (state.OperatingMode != Mode::SQLquery) return input;
  input.source.query = state.QueryText;
  input.source.period = state.PeriodCharted;
  if (state.PeriodCharted)
    input.span = TimeSpan{regional.instantOf(state.PeriodCharted->from), regional.instantOf(state.PeriodCharted->to, true)};
  return input;
}

ChartFrame drawChart(DrawingSurface& picture, const ProgramState& state, const ChartRecord& record,
                     const Environment& env, std::optional<ChartSeries> series, std::vector<ChartSeries> stations) {
  return stdKelvane::DrawChart(picture, chartInput(state, record, env.regional, std::move(series), std::move(stations)),
                               env);
}

}  // namespace kelvane
