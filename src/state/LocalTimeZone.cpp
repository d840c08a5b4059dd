#include "LocalTimeZone.h"

#include <QDateTime>

#include <algorithm>

namespace kelvane {

namespace {

constexpr qint64 kDay = 86400;
// No zone is further than this from UTC: a wall time lies within it of its instants.
constexpr qint64 kFarthestOffset = 18 * 3600;

QDateTime utc(qint64 instant) { return QDateTime::fromSecsSinceEpoch(instant, Qt::UTC); }

}  // namespace

LocalTimeZone::LocalTimeZone(QTimeZone zone)
    : zone_(zone.isValid() ? std::move(zone) : QTimeZone(QTimeZone::utc())), changes_(zone_.hasTransitions()) {}

qint64 LocalTimeZone::dayStart(qint64 wall) { return (wall >= 0 ? wall / kDay : -((-wall + kDay - 1) / kDay)) * kDay; }

int LocalTimeZone::offsetAt(qint64 instant) const {
  return zone_.offsetFromUtc(utc(changes_ ? instant : 0));
}

LocalTimeZone::Day LocalTimeZone::day(qint64 wallDay) const {
  // Every instant whose wall time falls in the day lies between these.
  const qint64 from = wallDay - kFarthestOffset, to = wallDay + kDay + kFarthestOffset;
  Day day;
  day.before = day.after = offsetAt(from);
  if (!changes_) return day;
  for (const QTimeZone::OffsetData& change : zone_.transitions(utc(from), utc(to))) {
    const qint64 at = change.atUtc.toSecsSinceEpoch();
    const int offset = change.offsetFromUtc;
    if (offset == day.after) continue;
    const qint64 wallBefore = at + day.after, wallAfter = at + offset;
    if (std::min(wallBefore, wallAfter) >= wallDay + kDay) break;  // a change after the day
    if (std::max(wallBefore, wallAfter) < wallDay) {
      day.before = day.after = offset;  // one before it
      continue;
    }
    if (!day.steady()) break;
    day.changeAt = at;
    day.after = offset;
  }
  return day;
}

std::pair<qint64, qint64> LocalTimeZone::wallRange(qint64 from, qint64 to) const {
  std::pair<qint64, qint64> range = std::minmax(wallOf(from), wallOf(to));
  if (!changes_ || to <= from) return range;
  for (const QTimeZone::OffsetData& change : zone_.transitions(utc(from + 1), utc(to))) {
    const qint64 at = change.atUtc.toSecsSinceEpoch();
    range.first = std::min({range.first, wallOf(at - 1), wallOf(at)});
    range.second = std::max({range.second, wallOf(at - 1), wallOf(at)});
  }
  return range;
}

qint64 LocalTimeZone::instantOf(qint64 wall, bool later) const {
  const Day around = day(dayStart(wall));
  const Instants found = around.instantsOf(wall);
  if (found.count == 0) return wall - around.before;
  return found.at[later ? found.count - 1 : 0];
}

}  // namespace kelvane
