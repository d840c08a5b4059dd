#include "Background.h"

#include <QMetaObject>

#include <thread>

namespace kelvane {

// An interrupt runs under the lock, so that the job cannot close what it interrupts meanwhile:
// it clears the interrupt first. Interrupts never wait (closing a socket, an engine's flag).
void JobControl::requestStop() {
  const std::lock_guard<std::mutex> lock(mutex_);
  stop_ = true;
  if (interrupt_) interrupt_();
}

void JobControl::setInterrupt(std::function<void()> interrupt) {
  const std::lock_guard<std::mutex> lock(mutex_);
  interrupt_ = std::move(interrupt);
  if (stop_ && interrupt_) interrupt_();
}

bool JobControl::finished() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return finished_;
}

bool JobControl::waitFor(std::chrono::milliseconds wait) {
  std::unique_lock<std::mutex> lock(mutex_);
  return ended_.wait_for(lock, wait, [this] { return finished_; });
}

// Shared by the job, which posts it to the context once the job has ended, and by the context's
// destroyed signal, which comes on the context's thread, maybe while the worker posts: under its
// lock, either the post comes first (the context's own destruction then drops the posted call) or
// the context is forgotten and nothing is posted.
struct JobControl::Callback : std::enable_shared_from_this<Callback> {
  std::mutex mutex;
  QObject* context = nullptr;
  std::function<void()> then;
  QMetaObject::Connection watch;

  void forgetContext() {
    std::function<void()> dropped;
    {
      const std::lock_guard<std::mutex> lock(mutex);
      context = nullptr;
      dropped = std::move(then);
    }
  }
  void post() {
    const std::lock_guard<std::mutex> lock(mutex);
    if (context) QMetaObject::invokeMethod(context, [self = shared_from_this()] { self->run(); }, Qt::QueuedConnection);
  }
  // On the context's thread, the context alive.
  void run() {
    std::function<void()> now;
    {
      const std::lock_guard<std::mutex> lock(mutex);
      now = std::move(then);
    }
    QObject::disconnect(watch);
    if (now) now();
  }
};

void JobControl::whenFinished(QObject* context, std::function<void()> then) {
  auto callback = std::make_shared<Callback>();
  callback->context = context;
  callback->then = std::move(then);
  // What then holds (the job itself, often) goes as soon as it cannot run any more.
  callback->watch = QObject::connect(context, &QObject::destroyed, [weak = std::weak_ptr<Callback>(callback)] {
    if (const auto held = weak.lock()) held->forgetContext();
  });
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    Q_ASSERT_X(!callback_, "JobControl::whenFinished", "a job's callback is set once");
    if (callback_) {
      QObject::disconnect(callback->watch);
      return;
    }
    callback_ = callback;
    if (!finished_) return;
  }
  callback->post();
}

void JobControl::markFinished() {
  std::shared_ptr<Callback> callback;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    finished_ = true;
    interrupt_ = nullptr;
    callback = callback_;
  }
  ended_.notify_all();
  if (callback) callback->post();
}

struct Worker::Line {
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<std::pair<std::shared_ptr<JobControl>, std::function<void()>>> queued;
  std::shared_ptr<JobControl> current;
  bool stopping = false;
  bool ended = false;
  std::thread thread;
};

Worker::Worker() : line_(std::make_shared<Line>()) {
  // The thread holds the line too: abandoned at exit, it may still come back to it.
  line_->thread = std::thread([line = line_] {
    std::unique_lock<std::mutex> lock(line->mutex);
    for (;;) {
      line->changed.wait(lock, [&] { return line->stopping || !line->queued.empty(); });
      if (line->queued.empty()) break;
      auto [control, run] = std::move(line->queued.front());
      line->queued.pop_front();
      line->current = control;
      lock.unlock();
      run();
      run = nullptr;
      lock.lock();
      line->current.reset();
    }
    line->ended = true;
    line->changed.notify_all();
  });
}

Worker::~Worker() { stop(std::chrono::steady_clock::now() + kExitWait); }

void Worker::enqueue(std::shared_ptr<JobControl> control, std::function<void()> run) {
  {
    const std::lock_guard<std::mutex> lock(line_->mutex);
    if (!line_->stopping) {
      line_->queued.emplace_back(std::move(control), std::move(run));
      line_->changed.notify_all();
      return;
    }
  }
  // No thread takes it any more: it ends here, as cancelled, without running its work.
  control->requestStop();
  run();
}

void Worker::requestStop() {
  std::unique_lock<std::mutex> lock(line_->mutex);
  line_->stopping = true;
  std::vector<std::shared_ptr<JobControl>> stopping;
  if (line_->current) stopping.push_back(line_->current);
  for (const auto& queued : line_->queued) stopping.push_back(queued.first);
  lock.unlock();
  for (const auto& control : stopping) control->requestStop();
  line_->changed.notify_all();
}

bool Worker::stop(std::chrono::steady_clock::time_point deadline) {
  requestStop();
  std::unique_lock<std::mutex> lock(line_->mutex);
  if (!line_->thread.joinable()) return line_->ended;
  const bool ended = line_->changed.wait_until(lock, deadline, [this] { return line_->ended; });
  lock.unlock();
  if (ended)
    line_->thread.join();
  else
    line_->thread.detach();
  return ended;
}

}  // namespace kelvane
