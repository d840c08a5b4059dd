#include "StoredChart.h"

#include "StoredRows.h"
#include "StoredRowsReading.h"
#include "chart/DrawChart.h"

namespace kelvane {

StoredChart::StoredChart(Program& program, int series, bool withDates)
    : program_(program), series_(series), withDates_(withDates) {
  stdKelvane::InitChartRecord(program.state, record_);
  record_.SeriesVisible.at(series) = true;
}

LoadPlan StoredChart::plan() const {
  LoadPlan plan;
  plan.numberOnX = program_.state.NumberOnX;
  plan.withDates = withDates_;
  plan.yMin = record_.YMin;
  plan.yMax = record_.YMax;
  plan.yLabelStep = program_.state.YLabelStep;
  plan.locale = program_.env.regional.locale();
  return plan;
}

bool StoredChart::openRecentRows(bool allColumns) {
  LoadPlan recent = plan();
  recent.withNewest = true;
  RecentRowsReading reading(program_.state.DatabasePath, allColumns, recent);
  program_.mainWindow.waitForRows(reading);
  count_ = program_.state.ChartRecordCount = reading.count();
  if (count_ == 0) return false;
  rows_ = reading.rows();
  return true;
}

bool StoredChart::openQuery(const QString& sql) {
  QueryReading reading(program_.state.DatabasePath, sql, plan());
  program_.mainWindow.waitForRows(reading);
  rows_ = reading.rows();
  count_ = rows_.count;
  return count_ > 0;
}

void StoredChart::hideClock(ClockLabels& clock) const {
  clock.setDateVisible(false);
  if (!rows_.firstDate) throw itemNotFoundError(QStringLiteral("Date"));
  clock.setDateCaption(program_.env.regional.valueText(*rows_.firstDate));
  clock.setTimeVisible(false);
}

void StoredChart::draw(DrawingSurface& picture) {
  ProgramState& state = program_.state;
  state.ChartRecordCount = count_;
  LoadChartRows(rows_, count_, record_, series_, withDates_, state);
  stdKelvane::DrawChart(picture, record_, state, program_.env, {rows_.columns, 0, count_});
}

}  // namespace kelvane
