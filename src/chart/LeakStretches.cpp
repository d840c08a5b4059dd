#include "LeakStretches.h"

#include "DrawChart.h"

#include <algorithm>

namespace kelvane {

namespace {

void addStretches(std::vector<LeakStretch>& stretches, const KeptChart& chart, const LeakLimits& limits,
                  std::size_t series) {
  const QList<float>& values = chart.input.series[series].values;
  // In time order on the time scale.
  const TimeLine* time = stdKelvane::onTimeScale(chart) && series < chart.frame.timeLines.size()
                             ? chart.frame.timeLines[series].get()
                             : nullptr;
  const int last = time ? time->count() : int(values.size());
  const float reach = carriedUpper(limits);
  bool inside = false;
  float highest = 0;
  for (int i = 1; i <= last; ++i) {
    const int p = time ? time->record(i - 1) : i;
    const float value = values.at(p - 1);
    if (!(value >= reach)) {
      inside = false;
      continue;
    }
    if (!inside) {
      stretches.push_back({p, p, p, 1, series});
      highest = value;
      inside = true;
      continue;
    }
    LeakStretch& stretch = stretches.back();
    stretch.last = p;
    ++stretch.rows;
    if (value > highest) highest = value, stretch.highest = p;
  }
}

}  // namespace

std::vector<LeakStretch> leakStretches(const KeptChart& chart, const LeakLimits& limits) {
  std::vector<LeakStretch> stretches;
  if (chart.input.live || chart.input.series.empty()) return stretches;
  if (!chart.input.severalStations()) {
    addStretches(stretches, chart, limits, 0);
    return stretches;
  }
  for (std::size_t series = 0; series < chart.input.series.size(); ++series)
    addStretches(stretches, chart, limits, series);
  const auto firstMoment = [&](const LeakStretch& stretch) {
    return stretch.series < chart.frame.timeLines.size() ? chart.frame.timeLines[stretch.series]->moment(stretch.first)
                                                         : TimeLine::kNoMoment;
  };
  std::stable_sort(stretches.begin(), stretches.end(),
                   [&](const LeakStretch& a, const LeakStretch& b) { return firstMoment(a) < firstMoment(b); });
  return stretches;
}

}  // namespace kelvane
