#include "NewRowsWatch.h"

#include "Engine.h"
#include "RowSource.h"

#include <limits>

namespace kelvane {

NewRowsWatch::NewRowsWatch() : thread_([this] { work(); }) {}

NewRowsWatch::~NewRowsWatch() {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    ending_ = true;
    cancelled_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

bool NewRowsWatch::ask(const QString& dataSource, std::optional<double> newest) {
  const std::lock_guard<std::mutex> lock(mutex_);
  // A check being dropped is no answer to wait for.
  if (check_ || (checking_ && !closing_)) return false;
  inUse_ = true;
  check_ = Check{dataSource, newest.value_or(-std::numeric_limits<double>::infinity())};
  answer_.reset();
  askedFor_ = dataSource;
  askedAt_ = std::chrono::steady_clock::now();
  changed_.notify_all();
  return true;
}

std::optional<Outcome<bool>> NewRowsWatch::answer(std::chrono::milliseconds wait) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait_for(lock, wait, [this] { return answer_ || !underWay(); });
  if (!answer_ && underWay() && std::chrono::steady_clock::now() - askedAt_ >= kNoAnswer) {
    check_.reset();
    closing_ = cancelled_ = true;
    changed_.notify_all();
    const Engine& engine = engineFor(askedFor_);
    const QString why = QStringLiteral("No answer within %1 seconds").arg(kNoAnswer.count());
    return Outcome<bool>{{}, RuntimeError(ErrorNumber::DatabaseEngine, engine.name(),
                                          namingDatabase(why, engine.shownName(askedFor_)), Cure::Waiting)};
  }
  return std::exchange(answer_, std::nullopt);
}

void NewRowsWatch::stop() {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!std::exchange(inUse_, false)) return;
  check_.reset();
  answer_.reset();
  closing_ = cancelled_ = true;
  changed_.notify_all();
}

void NewRowsWatch::work() {
  std::unique_ptr<RowSource> source;
  QString openFor;
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return ending_ || closing_ || check_; });
    if (ending_) break;
    if (closing_) {
      closing_ = cancelled_ = false;
      lock.unlock();
      source.reset();
      lock.lock();
      continue;
    }
    const Check check = *std::exchange(check_, std::nullopt);
    checking_ = true;
    lock.unlock();
    Outcome<bool> outcome;
    try {
      if (!source || openFor != check.dataSource) {
        source.reset();
        source = engineFor(check.dataSource).rowSource(check.dataSource, cancelled_);
        openFor = check.dataSource;
        source->open();
      }
      outcome.value = source->hasRowAbove(check.above);
    } catch (const RuntimeError& error) {
      outcome.failure = error;
      source.reset();  // opened afresh for the next check, if any
    }
    lock.lock();
    checking_ = false;
    if (!closing_) answer_ = std::move(outcome);
    changed_.notify_all();
  }
  lock.unlock();
}

}  // namespace kelvane
