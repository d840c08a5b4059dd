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
                 std::optional<WallSpan> span, const TimeLine* time, const Environment& env) {
  const KeptChart& kept = *chart;
  const int count = last - first + 1;
  KeptChart zoom{{}, kept.state, {kept.rows.columns, kept.rows.first + first - 1, count}, kept.whole ? kept.whole : chart,
                 nullptr, span};
  ProgramState& state = zoom.state;
  ChartRecord& record = zoom.record;
  stdKelvane::InitChartRecord(state, record);
  record.SeriesVisible = kept.record.SeriesVisible;
  record.Values.redim(1, count, 1, record.SeriesCount);
  for (int k = 1; k <= record.SeriesCount; ++k) {
    if (!record.SeriesVisible.at(k)) continue;
    QList<float> values(count);
    for (int p = first; p <= last; ++p) values[p - first] = kept.record.Values.at(p, k);
    record.Values.setColumn(k, std::move(values));
  }
  record.XMax = float(count);
  const StoredColumn& data = *zoom.rows.columns->data;
  for (int p = first; p <= last && zoom.rows.first + (p - first) < data.size(); ++p) {
    if (span) {
      const qint64 moment = time->moment(p);
      if (moment == TimeLine::kNoMoment || moment < span->from || moment > span->to) continue;
    }
    const double d = data.at(zoom.rows.first + (p - first)).toDouble();
    if (d >= record.YMax || d <= record.YMin) applyVerticalRange(kStoredRange, record, state.YLabelStep, d);
  }
  state.ChartRecordCount = count;
  // The full-screen window's query charts keep the dates of an earlier chart, which may be shorter.
  const auto section = [&](const PointTexts& table) { return table.contains(last) ? table.section(first, last) : PointTexts(); };
  state.PointLabels = section(kept.state.PointLabels);
  state.PointDates = section(kept.state.PointDates);
  stdKelvane::DrawChartAgain(picture, zoom, env);
}

}  // namespace

bool zoomable(const KeptChart& chart) { return !chart.state.LiveChart && chart.rows.columns && chart.rows.count > 1; }

void zoomInto(DrawingSurface& picture, int first, int last, const Environment& env) {
  const std::shared_ptr<const KeptChart> kept = picture.LastChart();
  if (!kept || !zoomable(*kept)) return;
  if (first > last) std::swap(first, last);
  first = std::max(first, 1);
  last = std::min(last, kept->rows.count);
  if (last - first + 1 < 2) return;
  zoomRecords(picture, kept, first, last, std::nullopt, nullptr, env);
}

void zoomIntoSpan(DrawingSurface& picture, WallSpan span, const Environment& env) {
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
  const ProgramState& s = kept->state;
  const std::shared_ptr<const TimeLine> time = stdKelvane::timeLineOf(*kept, env.regional);
  if (!time || !time->range() || !(s.ScaleX > 0)) return;
  const WallSpan range = *time->range();
  const auto momentAt = [&](float x) {
    const double moment = double(range.from) + (double(x) - stdKelvane::secondsToSurface(s, 0)) / s.ScaleX;
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
