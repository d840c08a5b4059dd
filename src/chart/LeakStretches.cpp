#include "LeakStretches.h"

#include "DrawChart.h"

namespace kelvane {

std::vector<LeakStretch> leakStretches(const KeptChart& chart, const LeakLimits& limits) {
  std::vector<LeakStretch> stretches;
  const ChartRecord& record = chart.record;
  if (chart.state.LiveChart) return stretches;
  int k = 1;
  while (k <= record.SeriesCount && !(record.SeriesVisible.contains(k) && record.SeriesVisible.at(k))) ++k;
  if (k > record.SeriesCount || !record.Values.contains(1, k)) return stretches;
  // In time order on the time scale.
  const TimeLine* time = stdKelvane::onTimeScale(chart) ? chart.timeLine.get() : nullptr;
  const int last = time ? time->count() : record.Values.upperBound();
  const float reach = carriedUpper(limits);
  bool inside = false;
  float highest = 0;
  for (int i = 1; i <= last; ++i) {
    const int p = time ? time->record(i - 1) : i;
    const float value = record.Values.at(p, k);
    if (!(value >= reach)) {
      inside = false;
      continue;
    }
    if (!inside) {
      stretches.push_back({p, p, p, 1});
      highest = value;
      inside = true;
      continue;
    }
    LeakStretch& stretch = stretches.back();
    stretch.last = p;
    ++stretch.rows;
    if (value > highest) highest = value, stretch.highest = p;
  }
  return stretches;
}

}  // namespace kelvane
