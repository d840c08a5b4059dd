#pragma once

#include "Connection.h"
#include "state/MeasurementStore.h"

#include <QString>

#include <chrono>
#include <optional>

namespace kelvane {

// Appends rows to GraphData in the database a path names, over one connection. Each row is
// numbered one above the largest number in the table (1 in an empty one); reading that number and
// writing the row are one write transaction, so that a collector writing at the same moment never
// takes the same number. Another writer's lock is waited for up to lockWait. Every failure raises
// a RuntimeError; the writer is of no further use after one.
class GraphDataWriter {
 public:
  GraphDataWriter(const QString& databasePath, std::chrono::milliseconds lockWait);

  const QString& databasePath() const { return databasePath_; }
  // Returns the number written.
  double append(const MeasurementRow& row);
  // For a row that may have been stored already, by a program that stopped before it could note
  // so: a row with the same Date, Time and Data, found in the same transaction, is taken for it
  // and nothing is written. Returns the number written, or nothing when the row was there.
  std::optional<double> appendOnce(const MeasurementRow& row);

 private:
  enum class IfStored { StoreAgain, Skip };
  std::optional<double> append(const MeasurementRow& row, IfStored ifStored);

  QString databasePath_;
  Connection connection_;
};

// One row through a writer of its own.
double appendMeasurement(const QString& databasePath, const MeasurementRow& row,
                         std::chrono::milliseconds lockWait = std::chrono::seconds(5));

}  // namespace kelvane
