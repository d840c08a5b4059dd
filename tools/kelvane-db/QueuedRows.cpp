#include "QueuedRows.h"

#include "OutageLog.h"
#include "Stop.h"

#include <QTextStream>

#include <condition_variable>
#include <deque>
#include <mutex>

#include <unistd.h>

namespace kelvane::db {

namespace {

// Rows a transaction writes at the most: another writer waits for the lock meanwhile.
constexpr std::size_t kRowsATransaction = 500;
// How soon the wait at the end sees a stop.
constexpr std::chrono::milliseconds kStopCheck{20};

}  // namespace

// What the collector and the writer share, under the mutex. The rows' connection belongs to the
// writer's thread: it opens, uses and closes it.
struct QueuedRows::Shared {
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<CollectedRow> waiting;  // in order; the first of them may be under way
  bool opened = false;
  bool closing = false;
  bool ended = false;  // the writer has let go of the database
  std::optional<Failure> failure;
  QString summary;

  // The rows to write next, once there are any; none once closing.
  std::vector<CollectedRow> next() {
    std::unique_lock lock(mutex);
    changed.wait(lock, [&] { return !waiting.empty() || closing; });
    return {waiting.begin(), waiting.begin() + qsizetype(std::min(waiting.size(), kRowsATransaction))};
  }
  void told(const std::function<void()>& change) {
    {
      const std::lock_guard lock(mutex);
      change();
    }
    changed.notify_all();
  }
};

void QueuedRows::write(Shared& shared, const Target& target, JobControl& job) {
  // Told last, once the database is closed, whatever ends the writing.
  struct Ending {
    Shared& shared;
    std::optional<Failure> failure;
    ~Ending() {
      shared.told([&] { shared.failure = failure, shared.ended = true; });
    }
  } ending{shared, {}};
  std::unique_ptr<CollectedRows> rows;
  try {
    rows = std::make_unique<CollectedRows>(target);
    shared.told([&] { shared.summary = rows->summary(), shared.opened = true; });
    // A service's journal wants the outages, not a line a second.
    const bool progress = ::isatty(STDOUT_FILENO);
    auto nextProgress = std::chrono::steady_clock::now() + std::chrono::seconds(1);
    for (std::vector<CollectedRow> batch = shared.next(); !batch.empty(); batch = shared.next()) {
      if (!rows->store(batch, &job)) break;
      shared.told([&] {
        shared.waiting.erase(shared.waiting.begin(), shared.waiting.begin() + qsizetype(batch.size()));
        shared.summary = rows->summary();
      });
      if (progress && std::chrono::steady_clock::now() >= nextProgress) {
        rows->progress();
        nextProgress = std::chrono::steady_clock::now() + std::chrono::seconds(1);
      }
    }
  } catch (const Failure& failure) {
    ending.failure = failure;
  }
}

QueuedRows::QueuedRows(const Target& target) : shared_(std::make_shared<Shared>()) {
  writing_ = worker_.start<bool>([shared = shared_, &target](JobControl& job) {
    write(*shared, target, job);
    return true;
  });
  std::unique_lock lock(shared_->mutex);
  shared_->changed.wait(lock, [&] { return shared_->opened || shared_->ended; });
  if (shared_->failure) throw *shared_->failure;
}

QueuedRows::~QueuedRows() {
  shared_->told([&] { shared_->closing = true; });
  writing_->requestStop();
  while (!writing_->waitFor(std::chrono::seconds(1))) {
  }
}

void QueuedRows::store(const QDateTime& moment, float value) {
  ++queued_;
  shared_->told([&] { shared_->waiting.push_back({moment, value}); });
}

void QueuedRows::check() {
  const std::lock_guard lock(shared_->mutex);
  if (shared_->failure) throw *shared_->failure;
}

void QueuedRows::drain() {
  using Clock = std::chrono::steady_clock;
  std::optional<Clock::time_point> giveUpAt;
  std::unique_lock lock(shared_->mutex);
  while (!shared_->waiting.empty() && !shared_->ended) {
    shared_->changed.wait_for(lock, kStopCheck);
    if (!stopRequested()) continue;
    if (!giveUpAt) giveUpAt = Clock::now() + kStopWait;
    if (Clock::now() < *giveUpAt) continue;
    // The row under way ends within a lock wait.
    lock.unlock();
    writing_->requestStop();
    lock.lock();
    shared_->changed.wait(lock, [&] { return shared_->ended; });
  }
  if (shared_->failure) throw *shared_->failure;
  if (shared_->waiting.empty()) return;
  QTextStream(stderr) << "kelvane-db: " << shared_->waiting.size() << " rows read from " << timeText(shared_->waiting.front().moment)
                      << " to " << timeText(shared_->waiting.back().moment) << " not written: the database did not take them within "
                      << std::chrono::duration<double>(kStopWait).count() << " s of the stop" << Qt::endl;
}

qint64 QueuedRows::unwritten() const {
  const std::lock_guard lock(shared_->mutex);
  return shared_->ended ? qint64(shared_->waiting.size()) : 0;
}

QString QueuedRows::summary() const {
  const std::lock_guard lock(shared_->mutex);
  return shared_->summary;
}

}  // namespace kelvane::db
