#pragma once

#include "Connection.h"
#include "state/MeasurementStore.h"

#include <QString>

#include <chrono>
#include <functional>
#include <vector>

namespace kelvane {

class JobControl;

// Appends rows to GraphData in the database a path names, over one connection. Rows are numbered
// one above the largest number in the table (1 in an empty one); reading that number and writing
// the rows are one write transaction, so that a collector writing at the same moment never takes
// the same number. A largest number no number follows (infinite, NaN, not a number at all, or
// beyond 2^53) refuses the write with an error worth retrying: the rows wait until the table is
// mended. Another writer's lock is waited for up to lockWait. Every failure raises a
// RuntimeError; the writer is of no further use after one.
class GraphDataWriter {
 public:
  // A job's stop ends what the writer waits for at once.
  GraphDataWriter(const QString& databasePath, std::chrono::milliseconds lockWait, JobControl* job = nullptr);
  ~GraphDataWriter();
  GraphDataWriter(const GraphDataWriter&) = delete;
  GraphDataWriter& operator=(const GraphDataWriter&) = delete;

  const QString& databasePath() const { return databasePath_; }
  // Called with the rows' numbers once they are given, just before the commit: from then on a
  // failure may have stored the rows (a connection lost as the server commits).
  using Given = std::function<void(const std::vector<double>&)>;
  // Appends the rows in one transaction, in order; returns their numbers.
  std::vector<double> append(const std::vector<MeasurementRow>& rows, const Given& given = {});
  double append(const MeasurementRow& row, const Given& given = {});
  // Whether the table holds the row with the number, with the Date, Time and Data it was written
  // with: found through the index on number, outside any write transaction.
  bool isStoredAs(const MeasurementRow& row, double number);

 private:
  QString databasePath_;
  Connection connection_;
};

// One row through a writer of its own.
double appendMeasurement(const QString& databasePath, const MeasurementRow& row,
                         std::chrono::milliseconds lockWait = std::chrono::seconds(5));

}  // namespace kelvane
