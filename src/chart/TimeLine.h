#pragma once

#include "state/RegionalForms.h"
#include "state/RowColumns.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

namespace kelvane {

// Instants (seconds since 1970 in UTC), both ends included.
struct TimeSpan {
  qint64 from = 0, to = 0;
  bool operator==(const TimeSpan& other) const { return from == other.from && to == other.to; }
};

// The records of a chart of stored rows on the time scale, each at the instant its Date and Time
// texts stand for on the local wall clock, in time order. The moments are looked up from the
// columns' distinct texts, each read once, so that ten million rows take no memory a row; only
// rows out of time order (delivered late, a clock set back) or with no moment cost an index of
// the records, and only rows of a day the clocks change on a table of their own.
class TimeLine {
 public:
  static constexpr qint64 kNoMoment = std::numeric_limits<qint64>::min();

  // The records 1..rows.count of a chart; those whose moment lies outside span, when given, are
  // not charted.
  TimeLine(const ShownRows& rows, const RegionalForms& regional, std::optional<TimeSpan> span = std::nullopt);

  // The moment of record p (1..records), kNoMoment when its texts are no moment.
  qint64 moment(qint32 p) const {
    const qsizetype row = firstRow_ + p - 1;
    // StoredColumn::kNoText lies beyond every table.
    const quint32 date = dates_->textIndexAt(row), time = times_->textIndexAt(row);
    if (date >= dayStarts_.size() || time >= secondsOfDay_.size()) return kNoMoment;
    const qint64 day = dayStarts_[date];
    const qint32 second = secondsOfDay_[time];
    if (day <= kChangingDay || second < 0) return day == kChangingDay && second >= 0 ? changingMoment(row) : kNoMoment;
    return day + second;
  }
  qint32 records() const { return records_; }

  // The X range: the span given, or else from the first to the last moment, a minute wide around a
  // single moment; none when no record has a moment and no span was given.
  const std::optional<TimeSpan>& range() const { return range_; }
  // The moments whose rows are charted: the range without the margin drawn around a lone moment.
  const std::optional<TimeSpan>& span() const { return span_; }
  // Widens the X range to one that holds it, as the time lines of several stations share one
  // axis; the records charted stay those of the range before.
  void widenRange(const TimeSpan& range) {
    range_ = range_ ? TimeSpan{std::min(range_->from, range.from), std::max(range_->to, range.to)} : range;
  }

  // The records charted in time order (those of one moment in number order), at positions
  // 0..count() - 1.
  qint32 count() const { return count_; }
  qint32 record(qint32 position) const { return order_.empty() ? firstRecord_ + position : order_[position]; }
  qint64 momentAt(qint32 position) const { return moment(record(position)); }
  // Whether the positions from..to hold records one after the other, in number order.
  bool consecutive(qint32 from, qint32 to) const;
  // The first position whose moment is not before the one given; count() when there is none.
  qint32 firstAtOrAfter(qint64 moment) const;

  // Records whose Date and Time are no moment.
  qint32 leftOut() const { return leftOut_; }
  // The median of the intervals between the distinct moments charted; 0 with fewer than two.
  double medianInterval() const { return median_; }
  // A gap: longer than five times the median interval, and than one second.
  bool isGap(qint64 interval) const { return interval > 1 && double(interval) > kGapFactor * median_; }
  // The longest interval that is no gap.
  double longestStep() const { return std::max(1.0, kGapFactor * median_); }
  // The positions after which a gap opens, in order.
  const std::vector<qint32>& gaps() const { return gaps_; }

 private:
  static constexpr double kGapFactor = 5;
  // A date text's day on which the clocks change: its rows' moments are in changingMoments_.
  static constexpr qint64 kChangingDay = kNoMoment + 1;

  // Intervals up to this many seconds are counted by length to find their median; the few longer
  // ones are sorted.
  static constexpr qint64 kCountedInterval = 4096;
  struct Intervals {
    std::vector<qint64> counted = std::vector<qint64>(kCountedInterval + 1, 0), longer;
    qint64 count = 0;
    // Where the intervals longer than a second lie, while they are few: the gaps are among them.
    std::vector<qint32> longOnes;
    bool allLongOnes = true;
    void add(qint64 interval, qint32 position, qint64 most);
  };

  void readDays(const RegionalForms& regional);
  qint64 changingMoment(qsizetype row) const;
  void placeRecords(const TimeSpan& range, bool ordered);
  void findGaps(Intervals intervals);

  std::shared_ptr<const RowColumns> columns_;
  const StoredColumn* dates_;
  const StoredColumn* times_;
  qsizetype firstRow_;
  qint32 records_;
  std::vector<qint64> dayStarts_;      // the instant a date text's day starts, kNoMoment for no date
  std::vector<qint32> secondsOfDay_;  // a time text's second of the day, -1 for one that is no time
  std::vector<std::pair<qsizetype, qint64>> changingMoments_;  // by row of the columns
  std::optional<TimeSpan> range_;
  std::optional<TimeSpan> span_;
  qint32 leftOut_ = 0;
  qint32 firstRecord_ = 1, count_ = 0;
  std::vector<qint32> order_;  // empty while the records charted are firstRecord_.. in order
  std::vector<qint32> runStarts_;  // with an order: the positions where a run of records one after the other begins
  double median_ = 0;
  std::vector<qint32> gaps_;
};

}  // namespace kelvane
