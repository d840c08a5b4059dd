#pragma once

#include <QtGlobal>

#include <chrono>

namespace kelvane::db {

// The moments a collector reads at: period k begins at start + k / rate, whatever the readings
// before it took, so that a slow answer never shifts the ones after it.
class ReadingSchedule {
 public:
  using Clock = std::chrono::steady_clock;

  ReadingSchedule(double rate, Clock::time_point start) : rate_(rate), start_(start) {}

  Clock::time_point startOf(qint64 period) const;
  // The period a moment falls in; -1 before the first.
  qint64 periodAt(Clock::time_point moment) const;
  // The period of the next reading once the one of period `last` (-1: none yet) is done at `now`:
  // the one after it, or the one `now` falls in when whole periods have passed meanwhile. Its
  // reading starts at its beginning, or at once when that has passed.
  qint64 nextPeriod(qint64 last, Clock::time_point now) const;

 private:
  double rate_;
  Clock::time_point start_;
};

// The waits before connecting again: 1, 2, 4 ... seconds, never more than 30; back to 1 once a
// connection holds.
class ReconnectBackoff {
 public:
  std::chrono::seconds next();
  void reset() { wait_ = kFirst; }

 private:
  static constexpr std::chrono::seconds kFirst{1}, kLongest{30};
  std::chrono::seconds wait_ = kFirst;
};

}  // namespace kelvane::db
