#include "TimeTicks.h"

#include <QDate>
#include <QTime>

#include <algorithm>
#include <cmath>
#include <limits>

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

std::vector<Tick> timeTicks(TickStep step, const TimeSpan& range, const LocalTimeZone& zone) {
  // The round wall times the clock shows within the range, each at its instants.
  const auto [wallFrom, wallTo] = zone.wallRange(range.from, range.to);
  std::vector<std::pair<qint64, qint64>> walls;  // wall time, number
  if (step == kMonthStep) {
    const QDate start = RegionalForms::wallDate(wallFrom);
    for (QDate month(start.year(), start.month(), 1);; month = month.addMonths(1)) {
      const qint64 wall = daysSince1970(month) * kDay;
      if (wall > wallTo) break;
      walls.emplace_back(wall, monthNumber(month));
    }
  } else {
    const qint64 origin = step.seconds == kWeek ? kFirstMonday : 0;
    for (qint64 n = floorDivide(wallFrom - origin - 1, step.seconds) + 1; n * step.seconds + origin <= wallTo; ++n)
      walls.emplace_back(n * step.seconds + origin, n);
  }
  std::vector<Tick> ticks;
  qint64 dayStart = std::numeric_limits<qint64>::min();
  LocalTimeZone::Day day;
  for (const auto& [wall, number] : walls) {
    if (LocalTimeZone::dayStart(wall) != dayStart) day = zone.day(dayStart = LocalTimeZone::dayStart(wall));
    const LocalTimeZone::Instants instants = day.instantsOf(wall);
    for (int i = 0; i < instants.count; ++i)
      if (instants.at[i] >= range.from && instants.at[i] <= range.to) ticks.push_back({instants.at[i], number});
  }
  std::sort(ticks.begin(), ticks.end(), [](const Tick& a, const Tick& b) { return a.at < b.at; });
  // Labels take turns however the clocks change: a repeated time would share its row.
  for (std::size_t i = 1; i < ticks.size(); ++i)
    if ((ticks[i].number - ticks[i - 1].number) % 2 == 0) ticks[i].number = ticks[i - 1].number + 1;
  return ticks;
}

QString tickLabel(TickStep step, qint64 tick, const RegionalForms& regional) {
  return regional.timeText(regional.localTime(tick), step.seconds > 0 && step.seconds < kMinute);
}

}  // namespace kelvane::stdKelvane
