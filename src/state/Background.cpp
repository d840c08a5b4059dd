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

void JobControl::whenFinished(QObject* context, std::function<void()> then) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (!finished_) {
    context_ = context;
    then_ = std::move(then);
    return;
  }
  lock.unlock();
  QMetaObject::invokeMethod(context, std::move(then), Qt::QueuedConnection);
}

void JobControl::markFinished() {
  std::function<void()> then;
  QPointer<QObject> context;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    finished_ = true;
    interrupt_ = nullptr;
    then = std::exchange(then_, nullptr);
    context = context_;
  }
  ended_.notify_all();
  if (then && context) QMetaObject::invokeMethod(context.data(), std::move(then), Qt::QueuedConnection);
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
    if (line_->stopping) control->requestStop();  // it ends as cancelled at once
    line_->queued.emplace_back(std::move(control), std::move(run));
  }
  line_->changed.notify_all();
}

bool Worker::stop(std::chrono::steady_clock::time_point deadline) {
  std::unique_lock<std::mutex> lock(line_->mutex);
  if (!line_->thread.joinable()) return line_->ended;
  line_->stopping = true;
  std::vector<std::shared_ptr<JobControl>> stopping;
  if (line_->current) stopping.push_back(line_->current);
  for (const auto& queued : line_->queued) stopping.push_back(queued.first);
  lock.unlock();
  for (const auto& control : stopping) control->requestStop();
  line_->changed.notify_all();
  lock.lock();
  const bool ended = line_->changed.wait_until(lock, deadline, [this] { return line_->ended; });
  lock.unlock();
  if (ended)
    line_->thread.join();
  else
    line_->thread.detach();
  return ended;
}

}  // namespace kelvane
