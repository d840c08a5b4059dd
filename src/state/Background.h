#pragma once

#include "RuntimeError.h"

#include <QObject>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace kelvane {

// The one way the program works off the window's thread: a Worker runs jobs one after another
// on a thread of its own (a Qt SQL connection, which belongs to the thread that opened it, stays
// on it); each job's JobControl stops it, tells how far it has come and when it has ended; its
// Outcome carries the value or the run-time error that ended it.

// The value a job gave, or the error that ended it.
template <typename T>
struct Outcome {
  std::optional<T> value;
  std::optional<RuntimeError> failure;
  // Raises the error that ended the job.
  T take() {
    if (failure) throw *failure;
    return std::move(*value);
  }
};

// What the thread that waits for a job and the job share. A stop runs the interrupt the job
// handed over for what it waits on at that moment (an engine's own interrupt, or closing the
// connection's socket, so that a server that went silent cannot hold the job).
class JobControl {
 public:
  virtual ~JobControl() = default;

  // From any thread.
  void requestStop();
  bool stopRequested() const { return stop_.load(std::memory_order_relaxed); }
  // For engines that look for a stop between their own steps.
  const std::atomic<bool>& stopFlag() const { return stop_; }
  // What a stop interrupts from now on; runs at once when a stop came already. Cleared (nullptr)
  // before what it interrupts goes away.
  void setInterrupt(std::function<void()> interrupt);

  // How far the job has come, in its own unit (rows read).
  void setProgress(qint64 done) { progress_.store(done, std::memory_order_relaxed); }
  qint64 progress() const { return progress_.load(std::memory_order_relaxed); }

  bool finished() const;
  // Waits up to wait for the job to end; says whether it has.
  bool waitFor(std::chrono::milliseconds wait);
  // Runs then on the context object's thread once the job has ended (soon, if it has); not at
  // all once the context is being destroyed, even while the job ends on its worker. Called from
  // the context's thread, once a job: a second call is a fault of the caller, and the first stays.
  void whenFinished(QObject* context, std::function<void()> then);

 protected:
  // For the worker: the job has ended, its outcome is kept.
  void markFinished();
  mutable std::mutex mutex_;

 private:
  std::atomic<bool> stop_{false};
  std::atomic<qint64> progress_{0};
  std::function<void()> interrupt_;
  std::condition_variable ended_;
  bool finished_ = false;
  struct Callback;
  std::shared_ptr<Callback> callback_;
};

// A job whose work gives a T.
template <typename T>
class Job : public JobControl {
 public:
  explicit Job(std::function<T(JobControl&)> work) : work_(std::move(work)) {}

  // Its outcome once it has ended; nothing before.
  std::optional<Outcome<T>> outcome() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return outcome_;
  }

 private:
  friend class Worker;
  void run() {
    Outcome<T> outcome;
    try {
      if (stopRequested()) throw cancelledError();
      outcome.value = work_(*this);
    } catch (const RuntimeError& error) {
      outcome.failure = error;
    } catch (const std::bad_alloc&) {
      outcome.failure = outOfMemoryError();
    } catch (const std::exception& error) {
      outcome.failure = unexpectedError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
      outcome.failure = unexpectedError(QStringLiteral("An exception of unknown kind"));
    }
    // Whatever a stopped engine said, the job was cancelled.
    if (outcome.failure && stopRequested()) outcome.failure = cancelledError();
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      outcome_ = std::move(outcome);
    }
    work_ = nullptr;  // what the work holds goes with it, on its own thread
    markFinished();
  }

  std::function<T(JobControl&)> work_;
  std::optional<Outcome<T>> outcome_;
};

// A line of jobs run one after another, in the order started, on a thread of its own.
class Worker {
 public:
  Worker();
  // Stops as stop() does, with the exit's deadline.
  ~Worker();
  Worker(const Worker&) = delete;
  Worker& operator=(const Worker&) = delete;

  // How long the program waits at exit for the jobs under way to end.
  static constexpr std::chrono::milliseconds kExitWait{1500};

  // The job is queued behind the others; the work gets its control, to look for a stop and to
  // hand over its interrupt. Everything the work uses it must own: a job stopped at exit may be
  // left to end on its own after its worker has gone. Once the worker is stopped, a job started
  // ends at once as cancelled, its work never run.
  template <typename T>
  std::shared_ptr<Job<T>> start(std::function<T(JobControl&)> work) {
    auto job = std::make_shared<Job<T>>(std::move(work));
    enqueue(job, [job] { job->run(); });
    return job;
  }

  // Asks every job, queued or under way, to stop, without waiting; nothing can be started
  // afterwards. Several workers asked first and waited for then share one deadline.
  void requestStop();
  // Asks as requestStop() does, and waits until the thread has ended or the deadline has passed;
  // a job that still waits then is abandoned to end on its own. Says whether the thread ended.
  bool stop(std::chrono::steady_clock::time_point deadline);

 private:
  struct Line;
  void enqueue(std::shared_ptr<JobControl> control, std::function<void()> run);
  std::shared_ptr<Line> line_;
};

}  // namespace kelvane
