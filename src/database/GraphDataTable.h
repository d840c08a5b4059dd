#pragma once

#include <QString>

namespace kelvane {

// One measurement as table GraphData keeps it: the date and time texts of its moment and the
// value as a Single.
struct MeasurementRow {
  QString date;
  QString time;
  float data = 0;
};

// Appends the row to GraphData in the database the path names, numbered one above the largest
// number in the table (1 in an empty one). Reading that number and writing the row are one write
// transaction, so that a collector writing at the same moment never takes the same number.
// Returns the number written; raises a RuntimeError when the row could not be stored.
double appendMeasurement(const QString& databasePath, const MeasurementRow& row);

}  // namespace kelvane
