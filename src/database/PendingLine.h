#pragma once

#include "database/GraphDataTable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace kelvane {

// A GraphData row kept for a database that did not answer, with what it came from.
struct KeptRow {
  QString database;  // DatabasePath as it was when the value was entered
  MeasurementRow measurement;
  qint64 entry = 0;  // EntryNumber of the press
  // The number a write gave the row before its outcome was known: the row may be stored with it.
  // None for a row no write has committed.
  std::optional<double> number;
};

// One line of "Pending rows.txt": database, Date, Time, Data, entry number and, when a write gave
// it one, the row's number, each in double
// quotes (a quote inside doubled), commas between, CR LF at the end. Data is written with a "."
// whatever the regional settings, in as few digits as read back to the same Single, so that the
// file can move between stations.
QByteArray pendingLine(const KeptRow& row);

// The row a line holds (without its line end); nothing when the line is not one whole row, as
// the last line is when a crash cut it short, or when its Date or Time is not in the program's
// forms (a row the database would take, and no chart could place).
std::optional<KeptRow> readPendingLine(QByteArrayView line);

// The lines of a file of kept rows: the rows they hold, and the lines that hold none, as they are
// (without their line ends). Blank lines are neither.
struct KeptLines {
  std::vector<KeptRow> rows;
  QList<QByteArray> unreadable;
};
KeptLines readKeptLines(const QByteArray& content);

}  // namespace kelvane
