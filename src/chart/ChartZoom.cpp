#include "ChartZoom.h"

#include "DrawChart.h"
#include "VerticalRange.h"

#include <algorithm>

namespace kelvane {

bool zoomable(const KeptChart& chart) { return !chart.state.LiveChart && chart.rows.columns && chart.rows.count > 1; }

void zoomInto(DrawingSurface& picture, int first, int last, const Environment& env) {
  const std::shared_ptr<const KeptChart> kept = picture.LastChart();
  if (!kept || !zoomable(*kept)) return;
  if (first > last) std::swap(first, last);
  first = std::max(first, 1);
  last = std::min(last, kept->rows.count);
  const int count = last - first + 1;
  if (count < 2) return;

  KeptChart zoom{{}, kept->state, {kept->rows.columns, kept->rows.first + first - 1, count}, kept->whole ? kept->whole : kept};
  ProgramState& state = zoom.state;
  ChartRecord& record = zoom.record;
  stdKelvane::InitChartRecord(state, record);
  record.SeriesVisible = kept->record.SeriesVisible;
  record.Values.redim(1, count, 1, record.SeriesCount);
  for (int k = 1; k <= record.SeriesCount; ++k) {
    if (!record.SeriesVisible.at(k)) continue;
    QList<float> values(count);
    for (int p = first; p <= last; ++p) values[p - first] = kept->record.Values.at(p, k);
    record.Values.setColumn(k, std::move(values));
  }
  record.XMax = float(count);
  const StoredColumn& data = *zoom.rows.columns->data;
  for (qsizetype row = zoom.rows.first; row < zoom.rows.first + count && row < data.size(); ++row) {
    const double d = data.at(row).toDouble();
    if (d >= record.YMax || d <= record.YMin) applyVerticalRange(kStoredRange, record, state.YLabelStep, d);
  }
  state.ChartRecordCount = count;
  // The full-screen window's query charts keep the dates of an earlier chart, which may be shorter.
  const auto section = [&](const PointTexts& table) { return table.contains(last) ? table.section(first, last) : PointTexts(); };
  state.PointLabels = section(kept->state.PointLabels);
  state.PointDates = section(kept->state.PointDates);
  stdKelvane::DrawChartAgain(picture, zoom, env);
}

void zoomOut(DrawingSurface& picture, const Environment& env) {
  const std::shared_ptr<const KeptChart> kept = picture.LastChart();
  if (kept && kept->whole) stdKelvane::DrawChartAgain(picture, *kept->whole, env);
}

}  // namespace kelvane
