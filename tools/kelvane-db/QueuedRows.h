#pragma once

#include "CollectedRows.h"
#include "Failure.h"
#include "state/Background.h"

#include <memory>

namespace kelvane::db {

// A collector's rows written in order on a thread of their own, so that a database that waits
// (another writer's lock, a server restarting, a slow disk) never holds up the readings: the rows
// wait instead, and go in together once the database takes them again.
class QueuedRows {
 public:
  // How long the database has at a stop to take the rows still waiting: one lock wait.
  static constexpr std::chrono::milliseconds kStopWait = kLockWait;

  // Opens the target on the writer's thread; raises its Failure here.
  explicit QueuedRows(const Target& target);
  // Gives up the rows still waiting (drain() is the end that writes them) and closes the database
  // on its thread.
  ~QueuedRows();
  QueuedRows(const QueuedRows&) = delete;
  QueuedRows& operator=(const QueuedRows&) = delete;

  void store(const QDateTime& moment, float value);
  // Rows queued so far, written or still waiting.
  qint64 queued() const { return queued_; }
  // Raises the Failure that ended the writing, once a row met it; the rows behind it are dropped.
  void check();
  // Waits until every row queued is written, however long a lock lasts; once a stop is asked
  // for, for kStopWait at the most: the rows the database has not taken then are given up, and
  // told on stderr. Raises as check does.
  void drain();
  // Rows queued that no row holds: given up at a stop, or dropped by the Failure.
  qint64 unwritten() const;
  // Of the rows written so far.
  QString summary() const;

 private:
  struct Shared;
  static void write(Shared& shared, const Target& target, JobControl& job);

  Worker worker_;
  std::shared_ptr<Shared> shared_;
  std::shared_ptr<Job<bool>> writing_;
  qint64 queued_ = 0;
};

}  // namespace kelvane::db
