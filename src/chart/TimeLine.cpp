#include "TimeLine.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <utility>

namespace kelvane {

namespace {

// A single moment is drawn in the middle of a minute.
constexpr qint64 kLoneMomentMargin = 30;

}  // namespace

TimeLine::TimeLine(const ShownRows& rows, const RegionalForms& regional, std::optional<TimeSpan> span)
    : columns_(rows.columns),
      dates_(columns_->date.get()),
      times_(columns_->time.get()),
      firstRow_(rows.first),
      records_(rows.count) {
  readDays(regional);

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
  if (!span && leftOut_ < records_) span = TimeSpan{first, last};
  if (!span) return;
  span_ = span;
  placeRecords(*span, ordered && leftOut_ == 0);
  // Drawn, not chosen, a minute wide: a span of one moment charts the rows of that moment alone.
  range_ = span->to - span->from < 1 ? TimeSpan{span->from - kLoneMomentMargin, span->to + kLoneMomentMargin} : *span;
  // The intervals of the pass hold while every record is charted in number order.
  findGaps(order_.empty() && firstRecord_ == 1 && count_ == records_ ? std::move(intervals) : Intervals());
}

// The day of each date text and the second of each time text; the rows of days the clocks change
// on each at its instant: in the hour repeated in autumn, rows take the first pass until their
// times go back, so that they keep their number order.
void TimeLine::readDays(const RegionalForms& regional) {
  const LocalTimeZone& zone = regional.timeZone();
  std::unordered_map<quint32, std::pair<qint64, LocalTimeZone::Day>> changing;  // by date text
  dayStarts_.reserve(std::size_t(dates_->textCount()));
  for (quint32 text = 0; text < quint32(dates_->textCount()); ++text) {
    const std::optional<qint64> wallDay = regional.wallDaySeconds(dates_->text(text));
    const LocalTimeZone::Day day = wallDay ? zone.day(*wallDay) : LocalTimeZone::Day();
    dayStarts_.push_back(!wallDay ? kNoMoment : day.steady() ? *wallDay - day.before : kChangingDay);
    if (wallDay && !day.steady()) changing.emplace(text, std::pair{*wallDay, day});
  }
  secondsOfDay_.reserve(std::size_t(times_->textCount()));
  for (quint32 text = 0; text < quint32(times_->textCount()); ++text)
    secondsOfDay_.push_back(regional.wallSecondsOfDay(times_->text(text)).value_or(-1));
  if (changing.empty()) return;

  // Over every row of the columns, so that a zoom into some of them places them alike.
  struct Repeated {
    double order;  // the row's number, or its place where the result has none
    qsizetype row;
    qint32 second;
  };
  struct RepeatedHour {
    LocalTimeZone::Day day;
    std::vector<Repeated> rows;
  };
  std::unordered_map<qint64, RepeatedHour> repeated;  // by day: a column may hold a text more than once
  const StoredColumn& numbers = *columns_->number;
  const qsizetype rows = std::min(dates_->size(), times_->size());
  for (qsizetype row = 0; row < rows; ++row) {
    const quint32 date = dates_->textIndexAt(row), time = times_->textIndexAt(row);
    if (date >= dayStarts_.size() || dayStarts_[date] != kChangingDay || time >= secondsOfDay_.size()) continue;
    const qint32 second = secondsOfDay_[time];
    if (second < 0) continue;
    const auto& [wallDay, day] = changing.at(date);
    const LocalTimeZone::Instants instants = day.instantsOf(wallDay + second);
    if (instants.count == 2) {
      const std::optional<double> number = row < numbers.size() ? numbers.numberAt(row) : std::nullopt;
      RepeatedHour& hour = repeated[wallDay];
      hour.day = day;
      hour.rows.push_back({number && !std::isnan(*number) ? *number : double(row), row, second});
      continue;
    }
    changingMoments_.emplace_back(row, instants.count == 1 ? instants.at[0] : wallDay + second - day.before);
  }
  // In the hour the clocks repeat, rows in number order take the first pass up to the widest step
  // back in time, the change of pass, and the second from there: a row delivered late steps back
  // less, and keeps the rows after it in the first pass.
  for (auto& [wallDay, hour] : repeated) {
    std::vector<Repeated>& rowsOfDay = hour.rows;
    std::stable_sort(rowsOfDay.begin(), rowsOfDay.end(), [](const Repeated& a, const Repeated& b) { return a.order < b.order; });
    std::size_t change = rowsOfDay.size();
    qint32 widest = 0;
    for (std::size_t i = 1; i < rowsOfDay.size(); ++i)
      if (rowsOfDay[i - 1].second - rowsOfDay[i].second > widest) widest = rowsOfDay[i - 1].second - rowsOfDay[i].second, change = i;
    for (std::size_t i = 0; i < rowsOfDay.size(); ++i)
      changingMoments_.emplace_back(rowsOfDay[i].row, hour.day.instantsOf(wallDay + rowsOfDay[i].second).at[i < change ? 0 : 1]);
  }
  std::sort(changingMoments_.begin(), changingMoments_.end());
}

qint64 TimeLine::changingMoment(qsizetype row) const {
  const auto found = std::lower_bound(changingMoments_.begin(), changingMoments_.end(), std::pair{row, kNoMoment});
  return found != changingMoments_.end() && found->first == row ? found->second : kNoMoment;
}

bool TimeLine::consecutive(qint32 from, qint32 to) const {
  if (order_.empty()) return true;
  // The run that holds from reaches to.
  const auto next = std::upper_bound(runStarts_.begin(), runStarts_.end(), from);
  return next == runStarts_.end() || to < *next;
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

void TimeLine::placeRecords(const TimeSpan& range, bool ordered) {
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
  for (const auto& [at, p] : timed) {
    if (order_.empty() || p != order_.back() + 1) runStarts_.push_back(qint32(order_.size()));
    order_.push_back(p);
  }
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
