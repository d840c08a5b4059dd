#include "ReadingSchedule.h"

#include <algorithm>
#include <cmath>

namespace kelvane::db {

// Each moment worked out from the start, not from the one before: no rounding piles up.
ReadingSchedule::Clock::time_point ReadingSchedule::startOf(qint64 period) const {
  return start_ + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(double(period) / rate_));
}

qint64 ReadingSchedule::periodAt(Clock::time_point moment) const {
  const double periods = std::chrono::duration<double>(moment - start_).count() * rate_;
  qint64 period = qint64(std::floor(periods));
  // The division may land a hair either side of a period's beginning.
  while (startOf(period + 1) <= moment) ++period;
  while (period >= 0 && startOf(period) > moment) --period;
  return period;
}

qint64 ReadingSchedule::nextPeriod(qint64 last, Clock::time_point now) const {
  return std::max(last + 1, periodAt(now));
}

std::chrono::seconds ReconnectBackoff::next() {
  const std::chrono::seconds wait = wait_;
  wait_ = std::min(wait_ * 2, kLongest);
  return wait;
}

}  // namespace kelvane::db
