// kelvane-db collect: a stand-in for the outside data collector, writing rows exactly as the
// program does, beside it.
#include "CollectedRows.h"
#include "Commands.h"
#include "Failure.h"
#include "PipelineSignal.h"
#include "Stop.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <QTextStream>

#include <chrono>

namespace kelvane::db {

namespace {

constexpr int kBackFillProgressRows = 1000;

// Made-up values of the pipeline, one for each row.
class Collector {
 public:
  Collector(const Target& target, quint32 seed) : rows_(target), signal_(seed) {}

  bool store(const QDateTime& moment, double secondsSinceStart) { return rows_.store(moment, signal_.next(secondsSinceStart)); }
  QString summary() const { return rows_.summary(); }
  void progress() const { rows_.progress(); }
  qint64 written() const { return rows_.written(); }

 private:
  CollectedRows rows_;
  PipelineSignal signal_;
};

void backFill(Collector& collector, const CollectOptions& options) {
  const QDateTime now = QDateTime::currentDateTime();
  for (qint64 i = 0; !stopRequested() && (!options.count || i < *options.count); ++i) {
    const QDateTime moment = options.start->addSecs(i * options.step);
    if (!options.count && moment > now) break;
    if (!collector.store(moment, double(i * options.step))) break;
    if (collector.written() % kBackFillProgressRows == 0) collector.progress();
  }
}

void steady(Collector& collector, const CollectOptions& options) {
  using namespace std::chrono;
  const auto interval = duration_cast<steady_clock::duration>(duration<double>(1 / options.rate));
  auto next = steady_clock::now();
  auto nextReport = next + seconds(1);
  for (qint64 i = 0; !stopRequested() && (!options.count || i < *options.count); ++i) {
    pauseUntil(next);
    if (stopRequested()) break;
    if (!collector.store(QDateTime::currentDateTime(), double(i) / options.rate)) break;
    if (steady_clock::now() >= nextReport) {
      collector.progress();
      nextReport = steady_clock::now() + seconds(1);
    }
    next += interval;
    // After a long wait for a lock, go on at the rate rather than rush to catch up.
    if (next < steady_clock::now() - interval) next = steady_clock::now();
  }
}

}  // namespace

int collect(const Target& target, const CollectOptions& options) {
  const quint32 seed = options.seed ? *options.seed : QRandomGenerator::system()->generate();
  Collector collector(target, seed);
  QTextStream(stdout) << "collecting into " << target.shownName() << " (seed " << seed << ")" << Qt::endl;
  stopOnSignals();
  try {
    if (options.start) backFill(collector, options);
    else steady(collector, options);
  } catch (Failure& failure) {
    QTextStream(stdout) << "stopped: " << collector.summary() << Qt::endl;
    throw;
  }
  QTextStream(stdout) << (stopRequested() ? "stopped: " : "done: ") << collector.summary() << Qt::endl;
  return Exit::Ok;
}

}  // namespace kelvane::db
