#include "TimeTicks.h"

#include <QDate>
#include <QTime>

#include <algorithm>
#include <cmath>

namespace kelvane::stdKelvane {

namespace {

constexpr qint64 kMinute = 60, kHour = 3600, kDay = 86400, kWeek = 7 * kDay;
constexpr qint64 kSteps[] = {1,         2,         5,         10,         15,          30,      kMinute,
                             2 * kMinute, 5 * kMinute, 10 * kMinute, 15 * kMinute, 30 * kMinute, kHour, 2 * kHour,
                             3 * kHour, 6 * kHour, 12 * kHour, kDay, 2 * kDay, kWeek};
// The shortest month, for the room its labels have.
constexpr qint64 kShortestMonth = 28 * kDay;
// Weeks begin on Mondays: 5 January 1970 was one.
constexpr qint64 kFirstMonday = 4 * kDay;
// Labels of one row keep at least this far apart, as the X labels of records do.
constexpr double kLabelGap = 60;

qint64 floorDivide(qint64 value, qint64 divisor) {
  return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor);
}

qint64 daysSince1970(const QDate& date) { return date.toJulianDay() - QDate(1970, 1, 1).toJulianDay(); }

qint64 monthNumber(const QDate& date) { return qint64(date.year()) * 12 + date.month() - 1; }

}  // namespace

TickStep timeTickStep(const DrawingSurface& picture, const RegionalForms& regional, double twipsPerSecond,
                      const TickFonts& fonts) {
  const auto room = [&](const QString& text, float points) {
    return double(picture.TextWidth(text, fonts.name, points)) + kLabelGap;
  };
  const QDate widestDay(2000, 12, 28);  // two-digit day and month
  const double dateRoom = room(regional.dateText(widestDay), fonts.datePoints);
  const double minutesRoom = room(regional.timeText(QTime(20, 48), false), fonts.labelPoints);
  const double secondsRoom = room(regional.timeText(QTime(20, 48, 48)), fonts.labelPoints);
  // Dates under the ticks of a step below a day may share a row: they stand a day apart.
  const bool daysApart = kDay * twipsPerSecond >= dateRoom;
  for (const qint64 seconds : kSteps) {
    const double apart = 2 * double(seconds) * twipsPerSecond;
    const double needed = seconds < kMinute ? secondsRoom : minutesRoom;
    if (seconds < kDay ? apart >= needed && daysApart : apart >= std::max(needed, dateRoom)) return {seconds};
  }
  return kMonthStep;
}

std::vector<qint64> timeTicks(TickStep step, const WallSpan& range) {
  std::vector<qint64> ticks;
  if (step == kMonthStep) {
    const QDate start = RegionalForms::wallDate(range.from);
    for (QDate month(start.year(), start.month(), 1);; month = month.addMonths(1)) {
      const qint64 tick = daysSince1970(month) * kDay;
      if (tick > range.to) break;
      if (tick >= range.from) ticks.push_back(tick);
    }
    return ticks;
  }
  const qint64 origin = step.seconds == kWeek ? kFirstMonday : 0;
  for (qint64 tick = (floorDivide(range.from - origin - 1, step.seconds) + 1) * step.seconds + origin; tick <= range.to;
       tick += step.seconds)
    ticks.push_back(tick);
  return ticks;
}

qint64 tickNumber(TickStep step, qint64 tick) {
  if (step == kMonthStep) return monthNumber(RegionalForms::wallDate(tick));
  return floorDivide(tick - (step.seconds == kWeek ? kFirstMonday : 0), step.seconds);
}

QString tickLabel(TickStep step, qint64 tick, const RegionalForms& regional) {
  return regional.timeText(RegionalForms::wallTime(tick), step.seconds > 0 && step.seconds < kMinute);
}

}  // namespace kelvane::stdKelvane
