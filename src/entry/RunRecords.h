#pragma once

#include "entry/Program.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>

namespace kelvane {

// What one accepted value leaves behind in the lists, the log and the database.
struct EntryRecord {
  qint64 number = 0;   // EntryNumber of the press
  QString typedText;   // as typed, blanks included
  float value = 0;     // the entered value as a Single
  QDateTime moment;
  QString dateText;    // "dd/mm/yyyy" with the regional separator
  QString timeText;    // "hh:mm:ss"
  std::optional<double> thresholdA;  // A of the leak test's limits while they are set
};

// The value rounded to three decimals and shown as the Single that text stands for:
// 1.2345 gives 1.235, 2.00049 gives 2, with the regional decimal separator.
QString ratioText(float value, const RegionalForms& regional);

// One line of the log: four quoted fields, commas without blanks, CR LF at the end.
QByteArray logRecord(const EntryRecord& entry, const RegionalForms& regional);

// Opens the log for appending (creating it), writes the line and closes it again; raises a
// RuntimeError naming the file when any of that fails.
void appendLogRecord(const QString& path, const QByteArray& line);

// Lists the entry, then writes the log line and, when a database is chosen, the GraphData row
// (or keeps it while the database does not answer). Log and row are written independently; when
// either fails, or the row is the first kept for its database, the operator is told in one
// message. No database chosen is not a failure.
void recordEntry(Program& program, const EntryRecord& entry);

}  // namespace kelvane
