#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>

namespace kelvane {

// The states of a leak alarm as alarm management (ISA-18.2, IEC 62682) names them. The alarm
// latches: it returns to Normal only once acknowledged.
enum class AlarmState { Normal, Unacknowledged, Acknowledged, ReturnedUnacknowledged };

// What the alarm journal records: each change of an alarm's state, and what the operator did.
enum class AlarmEvent { Raised, Acknowledged, Returned, Normal, Silenced, Shelved, Unshelved };

// One line of the alarm journal.
struct AlarmChange {
  AlarmEvent event = AlarmEvent::Raised;
  QString database;
  QDateTime moment;
  std::optional<double> value;  // the value observed, or the alarm's own
  std::optional<double> upper;  // A then; none once the limits are cleared
  QDateTime until;              // when a shelf ends
  QString comment;              // the operator's
};

// The leak alarm of one database.
struct LeakAlarm {
  AlarmState state = AlarmState::Normal;
  double value = 0;  // the value that raised it
  double upper = 0;  // A then
  QDateTime raisedAt, returnedAt;
  bool silenced = false;
  QDateTime shelvedUntil;  // none while not shelved

  bool unacknowledged() const {
    return state == AlarmState::Unacknowledged || state == AlarmState::ReturnedUnacknowledged;
  }
  bool shelved() const { return shelvedUntil.isValid(); }
};

// While an alarm has returned unacknowledged, a rise again within this time belongs to it: a value
// that chatters about A raises one alarm, not one a row.
inline constexpr qint64 kChatterSeconds = 60;

// The leak alarm of each database, fed with the values observed, what the operator does and the
// clock's moments. Each input tells what changed: the journal's lines and the alarms to announce.
// The same lines, taken up again, bring back the alarms as they were.
class LeakAlarms {
 public:
  struct Changes {
    QList<AlarmChange> lines;  // in order
    QStringList announced;     // databases whose alarm is to be announced anew, tone and notification
  };

  // What a value of the database would change, judged against A: none within a stretch at or
  // above A, below A while none stands, or while no limits are set.
  std::optional<AlarmEvent> eventOf(const QString& database, double value, std::optional<double> upper) const;
  // The value at its moment.
  Changes observe(const QString& database, double value, const QDateTime& moment, std::optional<double> upper);
  // The operator's acknowledgement of the database's alarm.
  Changes acknowledge(const QString& database, const QDateTime& now);
  // The tone of every alarm that sounds stops; none is acknowledged.
  Changes silence(const QDateTime& now);
  // No banner, tone or notification for the database's alarm until the moment given; the journal
  // records it all the same.
  Changes shelve(const QString& database, const QDateTime& now, const QDateTime& until, const QString& comment);
  // Every shelf ends.
  Changes unshelve(const QDateTime& now);
  // The clock: shelves whose time has come end, and without limits no value stands at A any more.
  Changes tick(const QDateTime& now, std::optional<double> upper);
  // A line of an earlier run's journal, taken up as it happened then.
  void takeUp(const AlarmChange& line);

  const LeakAlarm* alarmOf(const QString& database) const;
  bool anyShelved() const;
  // The database whose alarm the banner shows, none when every alarm is Normal or shelved: one not
  // acknowledged before one returned, one returned before one acknowledged, the newest first.
  std::optional<QString> shown() const;
  // Whether the tone sounds: an alarm not acknowledged is neither silenced nor shelved.
  bool sounding() const;

 private:
  void apply(const AlarmChange& line, Changes& changes);

  std::map<QString, LeakAlarm> alarms_;
};

}  // namespace kelvane
