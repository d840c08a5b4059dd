#include "LeakDecisions.h"

#include "chart/ChartPoints.h"
#include "chart/ChartZoom.h"
#include "chart/DrawChart.h"
#include "state/TextResources.h"

#include <algorithm>

namespace kelvane {

namespace {

constexpr qint64 kFewRows = 5;

// The whole chart of stored rows the main window shows, none for the live chart.
std::shared_ptr<const KeptChart> storedChartShown(Program& program) {
  std::shared_ptr<const KeptChart> kept = program.mainWindow.graphField().LastChart();
  if (kept && kept->whole) kept = kept->whole;
  if (!kept || !kept->input.showsStoredRows()) return nullptr;
  return kept;
}

QString cellText(const StoredColumn& column, qsizetype row, const RegionalForms& regional) {
  return row < column.size() ? regional.valueText(column.labelAt(row)) : QString();
}

}  // namespace

bool decisionsAvailable(Program& program) { return program.state.Limits && storedChartShown(program); }

DecisionsList listDecisions(Program& program) {
  DecisionsList list{storedChartShown(program), {}};
  if (list.chart && program.state.Limits) list.stretches = leakStretches(*list.chart, *program.state.Limits);
  return list;
}

QString decisionLine(const DecisionsList& list, std::size_t index, const RegionalForms& regional) {
  const LeakStretch& stretch = list.stretches.at(index);
  const ChartSeries& series = list.chart->input.series.at(stretch.series);
  const ShownRows& rows = series.rows;
  const RowColumns& columns = *rows.columns;
  const auto moment = [&](int record) {
    const qsizetype row = rows.first + record - 1;
    return cellText(*columns.date, row, regional) + QLatin1Char(' ') + cellText(*columns.time, row, regional);
  };
  const qsizetype highest = rows.first + stretch.highest - 1;
  const QString value =
      highest < columns.data->size() ? dataText(columns.data->at(highest).toDouble(), regional) : QString();
  const QString line = LoadResString(TextId::DecisionStretch)
                           .arg(moment(stretch.first), moment(stretch.last), QString::number(stretch.rows), value);
  return list.chart->input.severalStations() ? series.name + QLatin1Char('\t') + line : line;
}

void zoomIntoStretch(Program& program, const DecisionsList& list, std::size_t index) {
  DrawingSurface& picture = program.mainWindow.graphField();
  const std::shared_ptr<const KeptChart> kept = picture.LastChart();
  if (!kept || !list.chart || (kept->whole ? kept->whole : kept) != list.chart) return;
  if (kept->whole) stdKelvane::DrawChartAgain(picture, *list.chart, program.env);
  const LeakStretch& stretch = list.stretches.at(index);
  const std::vector<std::shared_ptr<const TimeLine>>& lines = list.chart->frame.timeLines;
  if (const TimeLine* line = stdKelvane::onTimeScale(*list.chart) && stretch.series < lines.size()
                                 ? lines[stretch.series].get()
                                 : nullptr) {
    // A quarter of its time either side, and a few rows' worth at least.
    const TimeLine& time = *line;
    const qint64 first = time.moment(stretch.first), last = time.moment(stretch.last);
    const qint64 around = std::max({qint64(1), qint64(kFewRows * time.medianInterval()), (last - first) / 4});
    zoomIntoSpan(picture, {first - around, last + around}, program.env);
    return;
  }
  const qint64 around = std::max<qint64>(kFewRows, (qint64(stretch.last) - stretch.first + 1) / 4);
  zoomInto(picture, int(std::max<qint64>(1, stretch.first - around)),
           int(std::min<qint64>(list.chart->input.series.front().rows.count, stretch.last + around)), program.env);
}

}  // namespace kelvane
