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

template <typename T>
T StoredChart::read(std::function<T(JobControl&)> work) {
  const std::shared_ptr<Job<T>> job = program_.reader.start(std::move(work));
  program_.mainWindow.waitForRows(*job);
  std::optional<Outcome<T>> outcome = job->outcome();
  if (!outcome) throw cancelledError();  // left to end on its own
  return outcome->take();
}

bool StoredChart::openRecentRows(bool allColumns) {
  LoadPlan recent = plan();
  recent.withNewest = true;
  RecentRows read = this->read<RecentRows>([source = program_.state.DatabasePath, allColumns, recent](JobControl& job) {
    return readRecentRows(source, allColumns, recent, job);
  });
  count_ = program_.state.ChartRecordCount = read.count.take();
  if (count_ == 0) return false;
  rows_ = read.rows.take();
  return true;
}

bool StoredChart::openQuery(const QString& sql, bool withNewest) {
  LoadPlan query = plan();
  query.withNewest = withNewest;
  rows_ = read<CompactRows>([source = program_.state.DatabasePath, sql, query](JobControl& job) {
    return readQuery(source, sql, query, job);
  });
  count_ = rows_.count;
  return count_ > 0;
}

void StoredChart::show(CompactRows rows) {
  rows_ = std::move(rows);
  count_ = program_.state.ChartRecordCount = rows_.count;
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
  stdKelvane::DrawChart(picture, record_, state, program_.env, {rows_.columns, rows_.first, count_});
}

}  // namespace kelvane
