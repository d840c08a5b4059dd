#include "DeliveryRun.h"

#include "PendingRows.h"
#include "state/RuntimeError.h"

namespace kelvane {

DeliveryReport deliverOldestFirst(PendingRows& rows, const std::atomic<bool>& stopping) {
  DeliveryReport report;
  QSet<QString> passedOver;
  // One connection a database for the whole delivery, not one a row.
  std::optional<GraphDataWriter> writer;
  while (!stopping) {
    const std::optional<PendingRows::Waiting> next = rows.oldest(passedOver);
    if (!next) break;
    const KeptRow& row = next->row;
    try {
      if (!writer || writer->databasePath() != row.database) {
        writer.reset();
        writer.emplace(row.database, kRowLockWait);
      }
      bool foundStored = false;
      if (next->mayBeStored)
        foundStored = !writer->appendOnce(row.measurement);
      else
        writer->append(row.measurement);
      rows.delivered(next->id, foundStored);
      report.delivered.insert(row.database);
    } catch (const RuntimeError& error) {
      writer.reset();
      passedOver.insert(row.database);
      if (!error.worthRetrying()) report.refused.append({row, error.description()});
    }
  }
  return report;
}

}  // namespace kelvane
