#include "LeakAlarm.h"

#include "AlarmJournal.h"
#include "state/RuntimeError.h"
#include "state/TextResources.h"

#include <QFileInfo>

namespace kelvane {

namespace {

void journal(Program& program, const QList<AlarmChange>& lines) {
  if (lines.isEmpty()) return;
  QByteArray text;
  for (const AlarmChange& line : lines) text += journalLine(line, operatorLogin(), program.env.regional);
  try {
    appendToJournal(alarmJournalPath(program.env), text);
  } catch (const RuntimeError& error) {
    program.env.alert(LoadResString(TextId::AlarmJournalNotWritten).arg(error.sourceAndDescription()));
  }
}

}  // namespace

QString alarmDatabaseName(const QString& database) {
  return database.isEmpty() ? LoadResString(TextId::NoDatabaseChosen) : QFileInfo(database).fileName();
}

QString alarmText(const LeakAlarm& alarm, const QString& database, const RegionalForms& regional) {
  QString text = LoadResString(TextId::LeakAlarmBanner)
                     .arg(alarmValueText(alarm.value, regional), alarmMomentText(alarm.raisedAt, regional),
                          alarmDatabaseName(database));
  if (alarm.state == AlarmState::ReturnedUnacknowledged)
    text += QLatin1Char('\n') + LoadResString(TextId::AlarmReturnedLine).arg(alarmMomentText(alarm.returnedAt, regional));
  return text;
}

void observeLeakAlarm(Program& program, const QString& database, double value, const QDateTime& moment) {
  const std::optional<LeakLimits>& limits = program.state.Limits;
  if (!limits) return;
  const LeakAlarms::Changes changes = program.state.Alarms.observe(database, value, moment, limits->upper);
  if (!changes.lines.isEmpty()) takeAlarmChanges(program, changes);
}

void takeAlarmChanges(Program& program, const LeakAlarms::Changes& changes) {
  journal(program, changes.lines);
  const LeakAlarms& alarms = program.state.Alarms;
  const RegionalForms& regional = program.env.regional;
  MainWindowView& window = program.mainWindow;
  const std::optional<QString> shown = alarms.shown();
  const LeakAlarm* banner = shown ? alarms.alarmOf(*shown) : nullptr;
  if (banner)
    window.alarmBanner().showAlarm(alarmText(*banner, *shown, regional), banner->state);
  else
    window.alarmBanner().hideAlarm();
  window.alarmTone().setSounding(program.state.AlarmSound && alarms.sounding());
  if (!window.inSight())
    for (const QString& database : changes.announced)
      window.desktopNotifier().notify(LoadResString(TextId::LeakAlarmTitle), alarmText(*alarms.alarmOf(database), database, regional));
  // The banner shows an alarm not acknowledged before any other.
  if (!banner || !banner->unacknowledged()) window.desktopNotifier().withdraw();
}

}  // namespace kelvane
