#pragma once

#include "database/GraphDataTable.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

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
// the last line is when a crash cut it short.
std::optional<KeptRow> readPendingLine(QByteArrayView line);

}  // namespace kelvane
