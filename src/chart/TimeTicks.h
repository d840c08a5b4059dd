#pragma once

#include "DrawingSurface.h"
#include "TimeLine.h"
#include "state/RegionalForms.h"

#include <QString>

#include <vector>

namespace kelvane::stdKelvane {

// How far apart the ticks of a time axis stand: a number of seconds, or a calendar month (0).
struct TickStep {
  qint64 seconds = 1;
  bool operator==(const TickStep& other) const { return seconds == other.seconds; }
};
constexpr TickStep kMonthStep{0};

// The fonts the ticks are labelled in: the time of each tick, and the date of each new day.
struct TickFonts {
  QString name;
  float labelPoints, datePoints;
};

// The smallest of 1, 2, 5, 10, 15, 30 seconds, 1, 2, 5, 10, 15, 30 minutes, 1, 2, 3, 6, 12 hours,
// 1, 2, 7 days and a month whose labels stand apart, as the X labels of records do: those of one
// row (they take turns in two) two steps apart, and the dates of the days that begin too; the
// month when none does. twipsPerSecond is the scale of the axis.
TickStep timeTickStep(const DrawingSurface& picture, const RegionalForms& regional, double twipsPerSecond,
                      const TickFonts& fonts);

// A tick: its instant, and its count from some fixed tick, by which the labels of even and odd
// ticks take turns in the rows.
struct Tick {
  qint64 at;
  qint64 number;
};
// The ticks within the range, in time order, at round times of the local wall clock: multiples of
// the step from midnight, weeks from a Monday, months on their first day. A time the clocks skip
// has no tick; one they repeat has two.
std::vector<Tick> timeTicks(TickStep step, const TimeSpan& range, const LocalTimeZone& zone);
// "hh:mm", or "hh:mm:ss" for steps below a minute, with the regional separator: the local time.
QString tickLabel(TickStep step, qint64 tick, const RegionalForms& regional);

}  // namespace kelvane::stdKelvane
