#include "TimeLine.h"

#include <algorithm>
#include <utility>

namespace kelvane {

namespace {

// A single moment is drawn in the middle of a minute.
constexpr qint64 kLoneMomentMargin = 30;

}  // namespace

TimeLine::TimeLine(const ShownRows& rows, const RegionalForms& regional, std::optional<WallSpan> span)
    : columns_(rows.columns),
      dates_(columns_->date.get()),
      times_(columns_->time.get()),
      firstRow_(rows.first),
      records_(rows.count) {
  daySeconds_.reserve(std::size_t(dates_->textCount()));
  for (quint32 text = 0; text < quint32(dates_->textCount()); ++text)
    daySeconds_.push_back(regional.wallDaySeconds(dates_->text(text)).value_or(kNoMoment));
  secondsOfDay_.reserve(std::size_t(times_->textCount()));
  for (quint32 text = 0; text < quint32(times_->textCount()); ++text)
    secondsOfDay_.push_back(regional.wallSecondsOfDay(times_->text(text)).value_or(-1));

  // One pass: the first and last moment, whether the records come in time order, and while they
  // do, their intervals.
  qint64 first = std::numeric_limits<qint64>::max(), last = kNoMoment, previous = kNoMoment;
  bool ordered = true;
  Intervals intervals;
  for (qint32 p = 1; p <= records_; ++p) {
    const qint64 at = moment(p);
    if (at == kNoMoment) {
      ++leftOut_;
      continue;
    }
    if (ordered && previous != kNoMoment) intervals.add(at - previous, p - 2, records_ / 64);
    ordered = ordered && at >= previous;
    previous = at;
    first = std::min(first, at);
    last = std::max(last, at);
  }
  if (span) range_ = span;
  else if (leftOut_ < records_) range_ = WallSpan{first, last};
  if (!range_) return;
  if (range_->to - range_->from < 1) range_ = WallSpan{range_->from - kLoneMomentMargin, range_->to + kLoneMomentMargin};
  placeRecords(ordered && leftOut_ == 0);
  // The intervals of the pass hold while every record is charted in number order.
  findGaps(order_.empty() && firstRecord_ == 1 && count_ == records_ ? std::move(intervals) : Intervals());
}

void TimeLine::Intervals::add(qint64 interval, qint32 position, qint64 most) {
  if (interval <= 0) return;  // rows of one moment are no interval
  ++count;
  if (interval <= kCountedInterval) ++counted[std::size_t(interval)];
  else longer.push_back(interval);
  if (interval <= 1 || !allLongOnes) return;
  if (qint64(longOnes.size()) >= most) {
    allLongOnes = false;
    longOnes = {};
  } else {
    longOnes.push_back(position);
  }
}

void TimeLine::placeRecords(bool ordered) {
  const WallSpan range = *range_;
  if (ordered) {
    // The records in the range are those from the first at or after its start to the last at or
    // before its end.
    const auto firstAfter = [&](qint64 at) {
      qint32 low = 1, high = records_ + 1;
      while (low < high) {
        const qint32 middle = low + (high - low) / 2;
        (moment(middle) < at ? low = middle + 1 : high = middle);
      }
      return low;
    };
    firstRecord_ = firstAfter(range.from);
    count_ = std::max(0, firstAfter(range.to + 1) - firstRecord_);
    return;
  }
  std::vector<std::pair<qint64, qint32>> timed;
  for (qint32 p = 1; p <= records_; ++p) {
    const qint64 at = moment(p);
    if (at != kNoMoment && at >= range.from && at <= range.to) timed.emplace_back(at, p);
  }
  std::sort(timed.begin(), timed.end());
  order_.reserve(timed.size());
  for (const auto& [at, p] : timed) order_.push_back(p);
  count_ = qint32(order_.size());
}

qint32 TimeLine::firstAtOrAfter(qint64 at) const {
  qint32 low = 0, high = count_;
  while (low < high) {
    const qint32 middle = low + (high - low) / 2;
    (momentAt(middle) < at ? low = middle + 1 : high = middle);
  }
  return low;
}

void TimeLine::findGaps(Intervals intervals) {
  if (intervals.count == 0) {
    for (qint32 position = 1; position < count_; ++position)
      intervals.add(momentAt(position) - momentAt(position - 1), position - 1, count_ / 64);
  }
  const auto nth = [&](qint64 n) {
    for (qint64 length = 1; length <= kCountedInterval; ++length) {
      if (n < intervals.counted[std::size_t(length)]) return length;
      n -= intervals.counted[std::size_t(length)];
    }
    std::nth_element(intervals.longer.begin(), intervals.longer.begin() + n, intervals.longer.end());
    return intervals.longer[std::size_t(n)];
  };
  if (intervals.count > 0) median_ = (double(nth((intervals.count - 1) / 2)) + double(nth(intervals.count / 2))) / 2;
  const auto isGapAt = [&](qint32 position) { return isGap(momentAt(position + 1) - momentAt(position)); };
  if (intervals.allLongOnes) {
    for (const qint32 position : intervals.longOnes)
      if (isGapAt(position)) gaps_.push_back(position);
    return;
  }
  for (qint32 position = 0; position + 1 < count_; ++position)
    if (isGapAt(position)) gaps_.push_back(position);
}

}  // namespace kelvane
