#include "ChartZoom.h"

#include "DrawChart.h"
#include "Scaling.h"
#include "VerticalRange.h"

#include <algorithm>
#include <cmath>

namespace kelvane {

namespace {

// Records first..last of the kept chart as a chart of their own; on the time scale over the span,
// the rows outside it left out of the vertical range.
void zoomRecords(DrawingSurface& picture, const std::shared_ptr<const KeptChart>& chart, int first, int last,
                 std::optional<TimeSpan> span, const TimeLine* time, const Environment& env) {
  const ChartInput& whole = chart->input;
  const ChartSeries& series = whole.series.front();
  const int count = last - first + 1;
  KeptChart zoom{whole, {}, chart->whole ? chart->whole : chart};
  ChartInput& input = zoom.input;
  input.span = span;
  stdKelvane::InitChartRecord(input.record, input.exactXRange);
  ChartSeries& shown = input.series.front();
  shown.rows = {series.rows.columns, series.rows.first + first - 1, count};
  shown.values = series.values.mid(first - 1, count);
  shown.values.resize(count);
  input.record.XMax = float(count);
  const StoredColumn& data = *shown.rows.columns->data;
  StoredRange range{input.record.YMin, input.record.YMax, 1};
  for (int p = first; p <= last && shown.rows.first + (p - first) < data.size(); ++p) {
    if (span) {
      const qint64 moment = time->moment(p);
      if (moment == TimeLine::kNoMoment || moment < span->from || moment > span->to) continue;
    }
    const double d = data.at(shown.rows.first + (p - first)).toDouble();
    range.widen(d);
  }
  input.record.YMin = range.yMin;
  input.record.YMax = range.yMax;
  input.yLabelStep = range.yLabelStep;
  // The full-screen window's query charts keep the dates of an earlier chart, which may be shorter.
  const auto section = [&](const PointTexts& table) { return table.contains(last) ? table.section(first, last) : PointTexts(); };
  input.labels = section(whole.labels);
  input.dates = section(whole.dates);
  stdKelvane::DrawChartAgain(picture, zoom, env);
}

}  // namespace

bool zoomable(const KeptChart& chart) {
  return chart.input.showsStoredRows() && chart.input.series.front().rows.count > 1;
}

void zoomInto(DrawingSurface& picture, int first, int last, const Environment& env) {
  const std::shared_ptr<const KeptChart> kept = picture.LastChart();
  if (!kept || !zoomable(*kept)) return;
  if (first > last) std::swap(first, last);
  first = std::max(first, 1);
  last = std::min(last, kept->input.series.front().rows.count);
  if (last - first + 1 < 2) return;
  zoomRecords(picture, kept, first, last, std::nullopt, nullptr, env);
}

void zoomIntoSpan(DrawingSurface& picture, TimeSpan span, const Environment& env) {
  const std::shared_ptr<const KeptChart> kept = picture.LastChart();
  if (!kept || !zoomable(*kept)) return;
  const std::shared_ptr<const TimeLine> time = stdKelvane::timeLineOf(*kept, env.regional);
  if (!time || !time->range()) return;
  span = {std::max(span.from, time->range()->from), std::min(span.to, time->range()->to)};
  const qint32 from = time->firstAtOrAfter(span.from), to = time->firstAtOrAfter(span.to + 1) - 1;
  if (to - from + 1 < 2) return;
  int first = time->record(from), last = time->record(to);
  if (!time->consecutive(from, to)) {
    for (qint32 position = from; position <= to; ++position) {
      first = std::min(first, time->record(position));
      last = std::max(last, time->record(position));
    }
  }
  zoomRecords(picture, kept, first, last, span, time.get(), env);
}

void zoomBetween(DrawingSurface& picture, PicturePosition from, PicturePosition to, const Environment& env) {
  const std::shared_ptr<const KeptChart> kept = picture.LastChart();
  if (!kept) return;
  if (!stdKelvane::onTimeScale(*kept)) {
    from.halfPixel = to.halfPixel = 0;
    const std::optional<int> first = pointNearest(*kept, from), last = pointNearest(*kept, to);
    if (first && last) zoomInto(picture, *first, *last, env);
    return;
  }
  const ChartFrame& f = kept->frame;
  const std::shared_ptr<const TimeLine> time = stdKelvane::timeLineOf(*kept, env.regional);
  if (!time || !time->range() || !(f.scaleX > 0)) return;
  const TimeSpan range = *time->range();
  const auto momentAt = [&](float x) {
    const double moment = double(range.from) + (double(x) - stdKelvane::secondsToSurface(f, 0)) / f.scaleX;
    return std::isnan(moment) ? double(range.from) : std::clamp(moment, double(range.from), double(range.to));
  };
  const double a = momentAt(from.x), b = momentAt(to.x);
  zoomIntoSpan(picture, {std::llround(std::min(a, b)), std::llround(std::max(a, b))}, env);
}

void zoomOut(DrawingSurface& picture, const Environment& env) {
  const std::shared_ptr<const KeptChart> kept = picture.LastChart();
  if (kept && kept->whole) stdKelvane::DrawChartAgain(picture, *kept->whole, env);
}

}  // namespace kelvane
