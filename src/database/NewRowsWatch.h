#pragma once

#include "StoredRowsReading.h"

#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace kelvane {

// How long a check may go on before it counts as failed: beyond the wait for another writer's lock.
inline constexpr std::chrono::seconds kNoAnswer{10};

// Asks whether table GraphData has gained rows above a number, on a thread of its own, so that a
// busy file or a server that does not answer never holds the window. The connection stays open
// from one check to the next, as opening one every second would cost far more than the check;
// it closes when the watch stops, after a failure, and for another database.
class NewRowsWatch {
 public:
  NewRowsWatch();
  // Ends a check under way and closes the connection.
  ~NewRowsWatch();
  NewRowsWatch(const NewRowsWatch&) = delete;
  NewRowsWatch& operator=(const NewRowsWatch&) = delete;

  // Starts a check, unless one is under way: whether the database holds a row numbered above
  // newest, or any row when there is none. Says whether it started one.
  bool ask(const QString& dataSource, std::optional<double> newest);
  // The answer of the check, once: whether there are new rows, or the error that ended it. Waits
  // for it up to wait; none while the check goes on. A check that has gone on for kNoAnswer
  // fails.
  std::optional<Outcome<bool>> answer(std::chrono::milliseconds wait);
  // Drops a check under way and closes the connection, without waiting for either.
  void stop();

 private:
  struct Check {
    QString dataSource;
    double above;
  };
  void work();
  bool underWay() const { return check_ || checking_; }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::optional<Check> check_;  // asked, not yet taken up
  bool checking_ = false;
  bool closing_ = false;  // after the check under way, whose answer is dropped
  bool ending_ = false;
  bool inUse_ = false;  // asked since the last stop
  std::optional<Outcome<bool>> answer_;
  QString askedFor_;
  std::chrono::steady_clock::time_point askedAt_;
  std::atomic<bool> cancelled_{false};
  std::thread thread_;  // last: it starts once the rest is there
};

}  // namespace kelvane
