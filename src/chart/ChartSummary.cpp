#include "ChartSummary.h"

#include "DrawChart.h"

#include <cmath>

namespace kelvane {

namespace {

// Sums of the values less the first, which keep the variance exact where the values lie far from 0.
class Moments {
 public:
  void add(double value) {
    if (count_ == 0) shift_ = value;
    const double d = value - shift_;
    ++count_;
    sum_ += d;
    squares_ += d * d;
  }
  std::optional<double> mean() const { return count_ > 0 ? std::optional(shift_ + sum_ / double(count_)) : std::nullopt; }
  std::optional<double> deviation() const {
    if (count_ < 2) return std::nullopt;
    return std::sqrt(std::max(0.0, (squares_ - sum_ * sum_ / double(count_)) / double(count_ - 1)));
  }

 private:
  qint64 count_ = 0;
  double shift_ = 0, sum_ = 0, squares_ = 0;
};

// The time at or above A, in time order: each row at or above it counts up to the next row.
class TimeAtLimit {
 public:
  TimeAtLimit(const TimeLine& time, double upper) : time_(time), upper_(upper) {}
  void next(qint64 moment, bool atLimit) {
    if (reached_ && !time_.isGap(moment - previous_)) seconds_ += moment - previous_;
    previous_ = moment;
    reached_ = atLimit;
  }
  double upper() const { return upper_; }
  qint64 seconds() const { return seconds_; }

 private:
  const TimeLine& time_;
  const double upper_;
  qint64 previous_ = 0, seconds_ = 0;
  bool reached_ = false;
};

}  // namespace

std::optional<ChartSummary> summarize(const KeptChart& chart, const RegionalForms& regional, std::size_t series) {
  const std::shared_ptr<const TimeLine> line = stdKelvane::timeLineOf(chart, regional, series);
  if (!line || !chart.input.series[series].rows.columns) return std::nullopt;
  const TimeLine& time = *line;
  const ShownRows& rows = chart.input.series[series].rows;
  const StoredColumn& data = *rows.columns->data;
  const std::optional<TimeSpan>& range = time.span();
  ChartSummary summary;
  Moments moments;
  std::optional<TimeAtLimit> atLimit;
  if (chart.input.limits) atLimit.emplace(time, chart.input.limits->upper), summary.rowsAtA = 0;
  // Rows in time order already are followed in time here; others in a pass of their own.
  const bool inOrder = time.count() == 0 || time.consecutive(0, time.count() - 1);
  for (qint32 p = 1; p <= time.records(); ++p) {
    const qint64 moment = time.moment(p);
    const bool timed = moment != TimeLine::kNoMoment;
    // A zoom into a span of time holds no row without a moment.
    if (timed ? moment < range->from || moment > range->to : chart.whole && chart.input.span) continue;
    ++summary.rows;
    const qsizetype row = rows.first + p - 1;
    const std::optional<double> value = row < data.size() ? data.numberAt(row) : std::nullopt;
    if (value) {
      moments.add(*value);
      if (!summary.lowest || *value < summary.lowest->value) summary.lowest = ChartSummary::Found{*value, p};
      if (!summary.highest || *value > summary.highest->value) summary.highest = ChartSummary::Found{*value, p};
    }
    const bool reached = atLimit && value && *value >= atLimit->upper();
    if (reached) ++*summary.rowsAtA;
    if (!timed) {
      ++summary.leftOut;
      continue;
    }
    if (!summary.first || moment < *summary.first) summary.first = moment;
    if (!summary.last || moment > *summary.last) summary.last = moment;
    if (atLimit && inOrder) atLimit->next(moment, reached);
  }
  if (atLimit && !inOrder) {
    for (qint32 position = 0; position < time.count(); ++position) {
      const qsizetype row = rows.first + time.record(position) - 1;
      const std::optional<double> value = row < data.size() ? data.numberAt(row) : std::nullopt;
      atLimit->next(time.momentAt(position), value && *value >= atLimit->upper());
    }
  }
  if (atLimit) summary.secondsAtA = atLimit->seconds();
  summary.mean = moments.mean();
  summary.deviation = moments.deviation();
  for (const qint32 gap : time.gaps()) {
    const qint64 from = time.momentAt(gap), seconds = time.momentAt(gap + 1) - from;
    ++summary.gaps;
    summary.gapSeconds += seconds;
    if (!summary.longestGap || seconds > summary.longestGap->seconds) summary.longestGap = ChartSummary::Gap{seconds, from};
  }
  return summary;
}

}  // namespace kelvane
