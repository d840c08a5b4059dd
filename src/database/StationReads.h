#pragma once

#include "CompactRows.h"
#include "state/Background.h"
#include "state/Stations.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace kelvane {

// A station's rows as a chart reads them, or why they could not be read.
struct StationRows {
  ComparedStation station;
  Outcome<CompactRows> rows;
};

// Reads of several stations at once, within one job: each read is a job on a worker of its own
// (a connection stays on the thread that opened it), so that the stations' engines work side by
// side. A stop of the job stops every read; the job's progress is the rows they have read
// together. Returns once all have ended, each read's outcome in order; a read that did not end
// within the exit's wait after a stop is left to end on its own, as cancelled.
template <typename T>
std::vector<Outcome<T>> readAtOnce(std::vector<std::function<T(JobControl&)>> reads, JobControl& job);

// Waits for the jobs as readAtOnce does; for it alone.
void waitForAll(const std::vector<std::shared_ptr<JobControl>>& jobs, JobControl& job);

// Raises what the engine says when the data source holds no table GraphData with the columns the
// charts read; reads no row.
void checkMeasurementTable(const QString& dataSource, JobControl& job);

template <typename T>
std::vector<Outcome<T>> readAtOnce(std::vector<std::function<T(JobControl&)>> reads, JobControl& job) {
  // Declared before the jobs: a worker waits for its job when it goes, after the jobs are let go.
  std::vector<std::unique_ptr<Worker>> workers;
  std::vector<std::shared_ptr<Job<T>>> jobs;
  for (std::function<T(JobControl&)>& read : reads) {
    workers.push_back(std::make_unique<Worker>());
    jobs.push_back(workers.back()->start(std::move(read)));
  }
  waitForAll(std::vector<std::shared_ptr<JobControl>>(jobs.begin(), jobs.end()), job);
  std::vector<Outcome<T>> outcomes;
  for (const std::shared_ptr<Job<T>>& one : jobs)
    outcomes.push_back(one->outcome().value_or(Outcome<T>{std::nullopt, cancelledError()}));
  // All asked at once to share one deadline; reads still going once the wait has run out are left
  // to end on their own, not waited for again one after another.
  const bool allEnded = std::all_of(jobs.begin(), jobs.end(), [](const auto& one) { return one->finished(); });
  const auto deadline = std::chrono::steady_clock::now() + (allEnded ? Worker::kExitWait : std::chrono::milliseconds(0));
  for (const std::unique_ptr<Worker>& worker : workers) worker->requestStop();
  for (const std::unique_ptr<Worker>& worker : workers) worker->stop(deadline);
  return outcomes;
}

}  // namespace kelvane
