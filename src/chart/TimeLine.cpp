#include "TimeLine.h"

#include <algorithm>
#include <utility>

namespace kelvane {

namespace {

// A single moment is drawn in the middle of a minute.
constexpr qint64 kLoneMomentMargin = 30;
// Intervals up to this many seconds are counted by length to find their median; the few longer
// ones are sorted.
constexpr qint64 kCountedInterval = 4096;

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

  qint64 first = std::numeric_limits<qint64>::max(), last = kNoMoment, previous = kNoMoment;
  bool ordered = true;
  for (qint32 p = 1; p <= records_; ++p) {
    const qint64 at = moment(p);
    if (at == kNoMoment) {
      ++leftOut_;
      continue;
    }
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
  findGaps();
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

void TimeLine::findGaps() {
  std::vector<qint64> counted(kCountedInterval + 1, 0), longer;
  qint64 intervals = 0;
  for (qint32 position = 1; position < count_; ++position) {
    const qint64 interval = momentAt(position) - momentAt(position - 1);
    if (interval <= 0) continue;  // rows of one moment are no interval
    ++intervals;
    if (interval <= kCountedInterval) ++counted[std::size_t(interval)];
    else longer.push_back(interval);
  }
  const auto nth = [&](qint64 n) {
    for (qint64 length = 1; length <= kCountedInterval; ++length) {
      if (n < counted[std::size_t(length)]) return length;
      n -= counted[std::size_t(length)];
    }
    std::nth_element(longer.begin(), longer.begin() + n, longer.end());
    return longer[std::size_t(n)];
  };
  if (intervals > 0) median_ = (double(nth((intervals - 1) / 2)) + double(nth(intervals / 2))) / 2;
  for (qint32 position = 1; position < count_; ++position)
    if (isGap(momentAt(position) - momentAt(position - 1))) gaps_.push_back(position - 1);
}

}  // namespace kelvane
