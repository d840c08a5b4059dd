#pragma once

#include "entry/Program.h"

namespace kelvane {

// The leak alarm's one hook in entering and following values: while limits are set, a value of the
// database at or above A raises its alarm, one below A returns it.
void observeLeakAlarm(Program& program, const QString& database, double value, const QDateTime& moment);

// What follows each change of the alarms: the lines are appended to the alarm journal (a journal
// that cannot be written is told, and the alarms hold all the same), then the banner shows the
// alarm it is to show, the tone sounds while one is not acknowledged, and the alarms announced
// anew are notified while the main window is not in the operator's sight.
void takeAlarmChanges(Program& program, const LeakAlarms::Changes& changes);

// The banner's text of the database's alarm: the value that reached A, when, and the database's
// file name; while it has returned unacknowledged, when it fell below A on a second line.
QString alarmText(const LeakAlarm& alarm, const QString& database, const RegionalForms& regional);
// The database's file name as the banner and the shelf's dialog name it.
QString alarmDatabaseName(const QString& database);

}  // namespace kelvane
