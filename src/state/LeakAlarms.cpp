#include "LeakAlarms.h"

#include <tuple>

namespace kelvane {

namespace {

AlarmChange lineOf(AlarmEvent event, const QString& database, const QDateTime& moment, const LeakAlarm* alarm = nullptr) {
  AlarmChange line{event, database, moment, {}, {}, {}, {}};
  if (alarm) {
    line.value = alarm->value;
    line.upper = alarm->upper;
  }
  return line;
}

// The banner's order: not acknowledged first, then returned, then acknowledged.
int urgencyOf(AlarmState state) {
  switch (state) {
    case AlarmState::Unacknowledged: return 0;
    case AlarmState::ReturnedUnacknowledged: return 1;
    default: return 2;
  }
}

}  // namespace

void LeakAlarms::apply(const AlarmChange& line, Changes& changes) {
  LeakAlarm& alarm = alarms_[line.database];
  bool announce = false;
  switch (line.event) {
    case AlarmEvent::Raised:
      // A rise soon after a return that nobody has acknowledged yet is the same alarm again.
      if (alarm.state != AlarmState::ReturnedUnacknowledged || alarm.returnedAt.secsTo(line.moment) > kChatterSeconds) {
        alarm.value = line.value.value_or(0);
        alarm.upper = line.upper.value_or(0);
        alarm.raisedAt = line.moment;
        alarm.silenced = false;
        announce = true;
      }
      alarm.state = AlarmState::Unacknowledged;
      alarm.returnedAt = {};
      break;
    case AlarmEvent::Acknowledged:
      if (alarm.state == AlarmState::Unacknowledged) alarm.state = AlarmState::Acknowledged;
      if (alarm.state == AlarmState::ReturnedUnacknowledged) alarm.state = AlarmState::Normal;
      break;
    case AlarmEvent::Returned:
      if (alarm.state != AlarmState::Unacknowledged) break;
      alarm.state = AlarmState::ReturnedUnacknowledged;
      alarm.returnedAt = line.moment;
      break;
    case AlarmEvent::Normal:
      alarm.state = AlarmState::Normal;
      alarm.returnedAt = {};
      break;
    case AlarmEvent::Silenced:
      alarm.silenced = true;
      break;
    case AlarmEvent::Shelved:
      alarm.shelvedUntil = line.until;
      break;
    case AlarmEvent::Unshelved:
      alarm.shelvedUntil = {};
      alarm.silenced = false;
      announce = alarm.unacknowledged();
      break;
  }
  if (announce && !alarm.shelved()) changes.announced.append(line.database);
  changes.lines.append(line);
}

std::optional<AlarmEvent> LeakAlarms::eventOf(const QString& database, double value, std::optional<double> upper) const {
  if (!upper) return std::nullopt;
  const bool atA = value >= *upper;
  const LeakAlarm* alarm = alarmOf(database);
  const AlarmState state = alarm ? alarm->state : AlarmState::Normal;
  if (atA && (state == AlarmState::Normal || state == AlarmState::ReturnedUnacknowledged)) return AlarmEvent::Raised;
  if (!atA && state == AlarmState::Unacknowledged) return AlarmEvent::Returned;
  if (!atA && state == AlarmState::Acknowledged) return AlarmEvent::Normal;
  return std::nullopt;
}

LeakAlarms::Changes LeakAlarms::observe(const QString& database, double value, const QDateTime& moment,
                                        std::optional<double> upper) {
  Changes changes;
  const std::optional<AlarmEvent> event = eventOf(database, value, upper);
  if (!event) return changes;
  AlarmChange line = lineOf(*event, database, moment);
  line.value = value;
  line.upper = upper;
  apply(line, changes);
  return changes;
}

LeakAlarms::Changes LeakAlarms::acknowledge(const QString& database, const QDateTime& now) {
  Changes changes;
  const LeakAlarm* alarm = alarmOf(database);
  if (!alarm || !alarm->unacknowledged()) return changes;
  const bool returned = alarm->state == AlarmState::ReturnedUnacknowledged;
  apply(lineOf(AlarmEvent::Acknowledged, database, now, alarm), changes);
  if (returned) apply(lineOf(AlarmEvent::Normal, database, now), changes);
  return changes;
}

LeakAlarms::Changes LeakAlarms::silence(const QDateTime& now) {
  QList<AlarmChange> lines;
  for (const auto& [database, alarm] : alarms_)
    if (alarm.unacknowledged() && !alarm.silenced && !alarm.shelved())
      lines.append(lineOf(AlarmEvent::Silenced, database, now, &alarm));
  Changes changes;
  for (const AlarmChange& line : lines) apply(line, changes);
  return changes;
}

LeakAlarms::Changes LeakAlarms::shelve(const QString& database, const QDateTime& now, const QDateTime& until,
                                       const QString& comment) {
  AlarmChange line = lineOf(AlarmEvent::Shelved, database, now);
  line.until = until;
  line.comment = comment;
  Changes changes;
  apply(line, changes);
  return changes;
}

LeakAlarms::Changes LeakAlarms::unshelve(const QDateTime& now) {
  QList<AlarmChange> lines;
  for (const auto& [database, alarm] : alarms_)
    if (alarm.shelved()) lines.append(lineOf(AlarmEvent::Unshelved, database, now));
  Changes changes;
  for (const AlarmChange& line : lines) apply(line, changes);
  return changes;
}

LeakAlarms::Changes LeakAlarms::tick(const QDateTime& now, std::optional<double> upper) {
  QList<AlarmChange> lines;
  for (const auto& [database, alarm] : alarms_) {
    if (alarm.shelved() && alarm.shelvedUntil <= now) lines.append(lineOf(AlarmEvent::Unshelved, database, now));
    if (upper) continue;
    if (alarm.state == AlarmState::Unacknowledged) lines.append(lineOf(AlarmEvent::Returned, database, now));
    if (alarm.state == AlarmState::Acknowledged) lines.append(lineOf(AlarmEvent::Normal, database, now));
  }
  Changes changes;
  for (const AlarmChange& line : lines) apply(line, changes);
  return changes;
}

void LeakAlarms::takeUp(const AlarmChange& line) {
  Changes ignored;
  apply(line, ignored);
}

const LeakAlarm* LeakAlarms::alarmOf(const QString& database) const {
  const auto found = alarms_.find(database);
  return found == alarms_.end() ? nullptr : &found->second;
}

std::optional<QString> LeakAlarms::shown() const {
  std::optional<QString> shown;
  const LeakAlarm* first = nullptr;
  for (const auto& [database, alarm] : alarms_) {
    if (alarm.state == AlarmState::Normal || alarm.shelved()) continue;
    const auto rank = [](const LeakAlarm& a) { return std::tuple(urgencyOf(a.state), -a.raisedAt.toSecsSinceEpoch()); };
    if (first && rank(*first) <= rank(alarm)) continue;
    first = &alarm;
    shown = database;
  }
  return shown;
}

bool LeakAlarms::anyShelved() const {
  for (const auto& entry : alarms_)
    if (entry.second.shelved()) return true;
  return false;
}

bool LeakAlarms::sounding() const {
  for (const auto& entry : alarms_) {
    const LeakAlarm& alarm = entry.second;
    if (alarm.unacknowledged() && !alarm.silenced && !alarm.shelved()) return true;
  }
  return false;
}

}  // namespace kelvane
