#pragma once

#include "state/LeakAlarms.h"
#include "state/Services.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <optional>

namespace kelvane {

// The alarm journal, "Alarm journal.txt" beside the log: one quoted, comma-separated line a change
// of an alarm, with its date and time, event, value, A, database, the operator's login name and
// the comment. The words of the events are the same in every language; numbers, dates and times
// follow the regional settings, as in the log. A shelf's line holds in its value the moment the
// shelf ends.
QString alarmJournalPath(const Environment& env);

// The login name of the operator who runs the program.
QString operatorLogin();

// A value as the banner and the journal show it: a Single's text when it holds the value.
QString alarmValueText(double value, const RegionalForms& regional);
// "dd/mm/yyyy hh:mm:ss" with the regional separators, and back; none for a text not of that form.
QString alarmMomentText(const QDateTime& moment, const RegionalForms& regional);
std::optional<QDateTime> alarmMomentOf(const QString& text, const RegionalForms& regional);

QByteArray journalLine(const AlarmChange& change, const QString& login, const RegionalForms& regional);
// The event a journal's word stands for.
std::optional<AlarmEvent> eventNamed(const QString& word);

// Appends the lines, on the disk when it returns; a line that a crash cut short is ended first, so
// that it spoils no later one. Raises a RuntimeError naming the file when that fails.
void appendToJournal(const QString& path, QByteArray lines);

// A line read back: its fields as written, and the change they tell, none where they cannot be
// read under the regional settings (a line cut short, a date of other settings).
struct JournalLine {
  QStringList fields;
  std::optional<AlarmChange> change;
};
// Every line of the journal, oldest first; none when there is no journal yet. Raises a
// RuntimeError naming the file when it cannot be read.
QList<JournalLine> readJournal(const QString& path, const RegionalForms& regional);

}  // namespace kelvane
