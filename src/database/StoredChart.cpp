#include "StoredChart.h"

#include "StoredRows.h"
#include "StoredRowsReading.h"
#include "chart/StationLegend.h"
#include "entry/ProgramChart.h"

#include <algorithm>

namespace kelvane {

namespace {

// The stations beside the chosen database: one listed that is the chosen one is charted once.
QList<ComparedStation> chartedStations(const ProgramState& state) {
  QList<ComparedStation> stations = state.Stations;
  stations.removeIf([&](const ComparedStation& station) { return station.path == state.DatabasePath; });
  return stations;
}

}  // namespace

StoredChart::StoredChart(Program& program, int series, bool withDates)
    : program_(program), series_(series), withDates_(withDates), stationsSet_(chartedStations(program.state)) {
  prepareChartRecord(program.state, record_);
  record_.SeriesVisible.at(series) = true;
}

LoadPlan storedRowsPlan(const Program& program, bool withDates) {
  // The chart's first vertical range, the same for every chart: made once, as follow ticks ask often.
  static const ChartRecord first = [] {
    ChartRecord record;
    stdKelvane::InitChartRecord(record, true);
    return record;
  }();
  LoadPlan plan;
  plan.numberOnX = program.state.NumberOnX;
  plan.withDates = withDates;
  plan.yMin = first.YMin;
  plan.yMax = first.YMax;
  plan.yLabelStep = 1;
  plan.locale = program.env.regional.locale();
  plan.budget = program.env.readBudget;
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

template <typename T>
std::vector<Outcome<T>> StoredChart::readEach(std::function<T(const QString&, JobControl&)> readOne) {
  QStringList sources{program_.state.DatabasePath};
  for (const ComparedStation& station : stationsSet_) sources << station.path;
  return read<std::vector<Outcome<T>>>([sources, readOne](JobControl& job) {
    std::vector<std::function<T(JobControl&)>> reads;
    for (const QString& source : sources)
      reads.push_back([source, readOne](JobControl& one) { return readOne(source, one); });
    return readAtOnce(std::move(reads), job);
  });
}

bool StoredChart::openRecentRows(bool allColumns) {
  LoadPlan recent = storedRowsPlan(program_, withDates_);
  recent.withNewest = true;
  const std::function<RecentRows(const QString&, JobControl&)> readOne = [allColumns, recent](const QString& source,
                                                                                               JobControl& job) {
    return readRecentRows(source, allColumns, recent, job);
  };
  RecentRows read;
  if (stationsSet_.isEmpty()) {
    read = this->read<RecentRows>([source = program_.state.DatabasePath, readOne](JobControl& job) {
      return readOne(source, job);
    });
  } else {
    std::vector<Outcome<RecentRows>> each = readEach(readOne);
    for (int i = 0; i < stationsSet_.size(); ++i) {
      Outcome<RecentRows>& station = each[std::size_t(i) + 1];
      Outcome<CompactRows> rows{std::nullopt, station.failure};
      if (station.value) {
        if (station.value->count.failure) rows.failure = station.value->count.failure;
        else if (*station.value->count.value == 0) rows.value = CompactRows();
        else rows = std::move(station.value->rows);
      }
      stations_.push_back({stationsSet_[i], std::move(rows)});
    }
    read = each.front().take();
  }
  count_ = program_.state.ChartRecordCount = read.count.take();
  if (count_ == 0) return false;
  rows_ = read.rows.take();
  return true;
}

bool StoredChart::openQuery(const QString& sql, bool withNewest) {
  LoadPlan query = storedRowsPlan(program_, withDates_);
  query.withNewest = withNewest;
  const std::function<CompactRows(const QString&, JobControl&)> readOne = [sql, query](const QString& source,
                                                                                        JobControl& job) {
    return readQuery(source, sql, query, job);
  };
  if (stationsSet_.isEmpty()) {
    rows_ = read<CompactRows>([source = program_.state.DatabasePath, readOne](JobControl& job) { return readOne(source, job); });
  } else {
    std::vector<Outcome<CompactRows>> each = readEach(readOne);
    for (int i = 0; i < stationsSet_.size(); ++i) stations_.push_back({stationsSet_[i], std::move(each[std::size_t(i) + 1])});
    rows_ = each.front().take();
  }
  count_ = rows_.count;
  return count_ > 0;
}

void StoredChart::show(CompactRows rows) {
  rows_ = std::move(rows);
  widenRange(rows_, storedRowsPlan(program_, withDates_));
  count_ = program_.state.ChartRecordCount = rows_.count;
}

void StoredChart::showStations(std::vector<StationRows> stations) {
  const LoadPlan plan = storedRowsPlan(program_, withDates_);
  for (StationRows& station : stations)
    if (station.rows.value) widenRange(*station.rows.value, plan);
  stations_ = std::move(stations);
}

std::vector<ChartSeries> StoredChart::stationSeries() {
  std::vector<ChartSeries> beside;
  // Each range was widened by the same rule from the same start: the widest bounds are those all
  // the rows together would have given.
  float& step = program_.state.YLabelStep;
  for (std::size_t i = 0; i < stations_.size(); ++i) {
    ChartSeries series;
    series.name = stations_[i].station.name;
    series.colour = stationColour(int(i) + 1, record_.SeriesColor.at(series_));
    const std::optional<CompactRows>& rows = stations_[i].rows.value;
    // A station whose loading stopped at a row could not be read as a chart reads it.
    series.unreadable = !rows || rows->loaded < rows->count;
    if (!series.unreadable) {
      series.rows = {rows->columns, rows->first, rows->count};
      series.values = rows->values;
      if (series.values.size() != rows->count) series.values.resize(rows->count);
      record_.YMin = std::min(record_.YMin, rows->yMin);
      record_.YMax = std::max(record_.YMax, rows->yMax);
      step = std::max(step, rows->yLabelStep);
    }
    beside.push_back(std::move(series));
  }
  return beside;
}

void StoredChart::hideClock(ClockLabels& clock) const {
  clock.setDateVisible(false);
  if (!rows_.firstDate) throw itemNotFoundError(QStringLiteral("Date"));
  clock.setDateCaption(program_.env.regional.labelText(*rows_.firstDate));
  clock.setTimeVisible(false);
}

void StoredChart::draw(DrawingSurface& picture) {
  ProgramState& state = program_.state;
  state.ChartRecordCount = count_;
  ChartSeries series;
  series.colour = record_.SeriesColor.at(series_);
  LoadChartRows(rows_, count_, record_, series, withDates_, state);
  std::vector<ChartSeries> beside = stationSeries();
  if (!beside.empty()) series.name = stationName(state.DatabasePath);
  drawChart(picture, state, record_, program_.env, std::move(series), std::move(beside));
}

}  // namespace kelvane
