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

// The ticks within the range, at round times of the wall clock: multiples of the step from
// midnight, weeks from a Monday, months on their first day.
std::vector<qint64> timeTicks(TickStep step, const WallSpan& range);
// The count of a tick from some fixed tick: labels of even and odd ticks take turns in the rows.
qint64 tickNumber(TickStep step, qint64 tick);
// "hh:mm", or "hh:mm:ss" for steps below a minute, with the regional separator.
QString tickLabel(TickStep step, qint64 tick, const RegionalForms& regional);

}  // namespace kelvane::stdKelvane
