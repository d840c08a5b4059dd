#include "StationReads.h"

#include "StoredRowsReading.h"

#include <chrono>

namespace kelvane {

namespace {

// How often the rows read so far are added up while the reads go on.
constexpr std::chrono::milliseconds kProgressStep{50};

// A read of no row that fails as every chart's read would when the table or a column is missing.
const QString kNoRow = QStringLiteral("SELECT Date, Time, number, Data FROM GraphData WHERE 0 = 1");

}  // namespace

void waitForAll(const std::vector<std::shared_ptr<JobControl>>& jobs, JobControl& job) {
  job.setInterrupt([jobs] {
    for (const std::shared_ptr<JobControl>& one : jobs) one->requestStop();
  });
  std::optional<std::chrono::steady_clock::time_point> deadline;
  for (;;) {
    bool ended = true;
    qint64 rows = 0;
    for (const std::shared_ptr<JobControl>& one : jobs) {
      ended = one->finished() && ended;
      rows += one->progress();
    }
    job.setProgress(rows);
    if (ended) break;
    if (job.stopRequested() && !deadline) deadline = std::chrono::steady_clock::now() + Worker::kExitWait;
    if (deadline && std::chrono::steady_clock::now() > *deadline) break;
    for (const std::shared_ptr<JobControl>& one : jobs)
      if (!one->finished()) {
        one->waitFor(kProgressStep);
        break;
      }
  }
  job.setInterrupt(nullptr);
}

void checkMeasurementTable(const QString& dataSource, JobControl& job) { readQuery(dataSource, kNoRow, LoadPlan(), job); }

}  // namespace kelvane
