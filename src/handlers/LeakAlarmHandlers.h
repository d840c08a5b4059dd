#pragma once

#include "database/CompactRows.h"
#include "entry/Program.h"

#include <QDate>
#include <QList>
#include <QStringList>

namespace kelvane {

// At start-up: the alarms the journal leaves standing stand again as they were, unacknowledged if
// they were, and are shown; a journal that cannot be read is told.
void restoreLeakAlarms(Program& program);
// Beside the clock, every tick: shelves whose time has come end, and an alarm standing when the
// limits are cleared returns, as no value stands at A any more.
void leakAlarmTick(Program& program);
// The rows following found, each at the moment its Date and Time tell (at the current moment where
// they tell none).
void observeNewRows(Program& program, const QString& database, const CompactRows& rows);

// Acknowledge: the alarm the banner shows.
void btnAlarmAck_Click(Program& program);
// Silence: the tone stops until an alarm is announced anew; nothing is acknowledged.
void btnAlarmSilence_Click(Program& program);

// Database > Shelve the alarm: the alarm the banner shows, or else the chosen database's; the
// dialog's caption names it.
QString shelfCaption(Program& program);
// Shelve: for the time chosen, with the comment, which is required: without one a message asks for
// it and the dialog stays.
void btnShelve_Click(Program& program, ShelveDialogView& dialog);
// Database > Unshelve the alarm, which can be chosen while an alarm is shelved: every shelf ends,
// and an alarm still standing is announced.
bool unshelveAvailable(Program& program);
void mnuAlarmUnshelve_Click(Program& program);

// Database > Alarm journal...: the lines of the days from..to (and those whose date cannot be read),
// newest first, as the window lists them: the events in the language shown, the database by its
// file name, the other fields as written. A journal that cannot be read is told, and lists nothing.
QList<QStringList> alarmJournalRows(Program& program, const QDate& from, const QDate& to);
QStringList alarmJournalHeadings();
// As the clipboard takes them: the headings, then each row, a tab between fields, CR LF after each.
QString alarmJournalText(const QList<QStringList>& rows);

}  // namespace kelvane
