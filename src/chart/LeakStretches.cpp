#include "LeakStretches.h"

namespace kelvane {

std::vector<LeakStretch> leakStretches(const KeptChart& chart, const LeakLimits& limits) {
  std::vector<LeakStretch> stretches;
  const ChartRecord& record = chart.record;
  if (chart.state.LiveChart) return stretches;
  int k = 1;
  while (k <= record.SeriesCount && !(record.SeriesVisible.contains(k) && record.SeriesVisible.at(k))) ++k;
  if (k > record.SeriesCount || !record.Values.contains(1, k)) return stretches;
  const int last = record.Values.upperBound();
  const float reach = carriedUpper(limits);
  bool inside = false;
  float highest = 0;
  for (int p = 1; p <= last; ++p) {
    const float value = record.Values.at(p, k);
    if (!(value >= reach)) {
      inside = false;
      continue;
    }
    if (!inside) {
      stretches.push_back({p, p, p});
      highest = value;
      inside = true;
      continue;
    }
    LeakStretch& stretch = stretches.back();
    stretch.last = p;
    if (value > highest) highest = value, stretch.highest = p;
  }
  return stretches;
}

}  // namespace kelvane
