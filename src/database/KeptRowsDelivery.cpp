#include "KeptRowsDelivery.h"

#include "GraphDataTable.h"
#include "state/RuntimeError.h"

#include <algorithm>

namespace kelvane {

namespace {

// Rows a transaction stores at the most: a collector waits for the lock meanwhile.
constexpr std::size_t kRowsATransaction = 500;

void deliverTo(const QString& database, PendingRows& rows, JobControl& job) {
  const std::vector<PendingRows::Waiting> waiting = rows.deliverable(database);
  if (waiting.empty()) return;
  GraphDataWriter writer(database, kRowLockWait, &job);
  std::vector<PendingRows::Waiting> toStore;
  std::vector<qint64> foundStored;
  for (const PendingRows::Waiting& row : waiting) {
    if (row.row.number && writer.isStoredAs(row.row.measurement, *row.row.number))
      foundStored.push_back(row.id);
    else
      toStore.push_back(row);
  }
  if (!foundStored.empty()) rows.delivered(foundStored);
  for (std::size_t start = 0; start < toStore.size(); start += kRowsATransaction) {
    std::vector<qint64> ids;
    std::vector<MeasurementRow> measurements;
    for (std::size_t i = start; i < std::min(toStore.size(), start + kRowsATransaction); ++i) {
      ids.push_back(toStore[i].id);
      measurements.push_back(toStore[i].row.measurement);
    }
    writer.append(measurements, [&](const std::vector<double>& numbers) { rows.given(ids, numbers); });
    rows.delivered(ids);
  }
}

}  // namespace

DeliveryReport deliverKeptRows(PendingRows& rows, const QString& database, JobControl& job) {
  DeliveryReport report;
  if (job.stopRequested()) return report;
  try {
    deliverTo(database, rows, job);
    report.delivered = true;
  } catch (const RuntimeError& error) {
    if (error.worthRetrying() || job.stopRequested()) return report;
    const std::vector<PendingRows::Waiting> refused = rows.deliverable(database);
    if (!refused.empty()) report.refused = {refused.front().row, error.description()};
  }
  return report;
}

}  // namespace kelvane
