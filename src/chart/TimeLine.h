#pragma once

#include "state/RegionalForms.h"
#include "state/RowColumns.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

namespace kelvane {

// Moments in wall seconds (RegionalForms::wallSeconds), both ends included.
struct WallSpan {
  qint64 from = 0, to = 0;
  bool operator==(const WallSpan& other) const { return from == other.from && to == other.to; }
};

// The records of a chart of stored rows on the time scale, each at the moment its Date and Time
// texts stand for, in time order. The moments are looked up from the columns' distinct texts,
// each read once, so that ten million rows take no memory a row; only rows that go back in time
// (a clock set back) or have no moment cost an index of the records.
class TimeLine {
 public:
  static constexpr qint64 kNoMoment = std::numeric_limits<qint64>::min();

  // The records 1..rows.count of a chart; those whose moment lies outside span, when given, are
  // not charted.
  TimeLine(const ShownRows& rows, const RegionalForms& regional, std::optional<WallSpan> span = std::nullopt);

  // The moment of record p (1..records), kNoMoment when its texts are no moment.
  qint64 moment(qint32 p) const {
    const qsizetype row = firstRow_ + p - 1;
    // StoredColumn::kNoText lies beyond every table.
    const quint32 date = dates_->textIndexAt(row), time = times_->textIndexAt(row);
    if (date >= daySeconds_.size() || time >= secondsOfDay_.size()) return kNoMoment;
    const qint64 day = daySeconds_[date];
    const qint32 second = secondsOfDay_[time];
    return day == kNoMoment || second < 0 ? kNoMoment : day + second;
  }
  qint32 records() const { return records_; }

  // The X range: the span given, or else from the first to the last moment, a minute wide around a
  // single moment; none when no record has a moment and no span was given.
  const std::optional<WallSpan>& range() const { return range_; }

  // The records charted in time order (those of one moment in number order), at positions
  // 0..count() - 1.
  qint32 count() const { return count_; }
  qint32 record(qint32 position) const { return order_.empty() ? firstRecord_ + position : order_[position]; }
  qint64 momentAt(qint32 position) const { return moment(record(position)); }
  // Whether the positions from..to hold records one after the other.
  bool consecutive(qint32 from, qint32 to) const { return order_.empty() || record(to) - record(from) == to - from; }
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

  void placeRecords(bool ordered);
  void findGaps(Intervals intervals);

  std::shared_ptr<const RowColumns> columns_;
  const StoredColumn* dates_;
  const StoredColumn* times_;
  qsizetype firstRow_;
  qint32 records_;
  std::vector<qint64> daySeconds_;   // a date text's day, kNoMoment for a text that is no date
  std::vector<qint32> secondsOfDay_;  // a time text's second of the day, -1 for one that is no time
  std::optional<WallSpan> range_;
  qint32 leftOut_ = 0;
  qint32 firstRecord_ = 1, count_ = 0;
  std::vector<qint32> order_;  // empty while the records charted are firstRecord_.. in order
  double median_ = 0;
  std::vector<qint32> gaps_;
};

}  // namespace kelvane
