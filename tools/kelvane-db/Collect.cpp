// kelvane-db collect: a stand-in for the outside data collector, writing rows exactly as the
// program does, beside it.
#include "Commands.h"
#include "Failure.h"
#include "PipelineSignal.h"
#include "database/Connection.h"
#include "database/GraphDataTable.h"
#include "database/RowSource.h"
#include "state/RegionalForms.h"
#include "state/RuntimeError.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextStream>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>

namespace kelvane::db {

namespace {

// Failures other than a lock are retried this often before the collector gives up.
constexpr int kAttemptsBesideLocks = 3;
constexpr int kBackFillProgressRows = 1000;

std::atomic<bool> stopRequested{false};

extern "C" void requestStop(int) { stopRequested = true; }

void stopOnSignals() {
  struct sigaction action = {};
  action.sa_handler = requestStop;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

// Sleeps, waking early when asked to stop.
void pause(std::chrono::steady_clock::time_point until) {
  while (!stopRequested && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
        until - std::chrono::steady_clock::now(), std::chrono::milliseconds(20)));
}

// Another writer held the table beyond the wait: SQLite's "database is locked", PostgreSQL's
// "lock timeout". It lets go in the end, so the row is tried again however long that takes.
bool isLock(const RuntimeError& error) {
  for (const char* sign : {"locked", "busy", "lock timeout"})
    if (error.description().contains(QLatin1String(sign), Qt::CaseInsensitive)) return true;
  return false;
}

// Holds the database open for the run: each row's own connection is then never the file's last
// one, whose close would copy the write-ahead log back into the file every time (five times
// slower). At the end a writer's close does that copy once.
class HeldOpen {
 public:
  explicit HeldOpen(const Target& target) : target_(target) {
    if (target.onServer()) target.requireGraphData();
    else reader_ = target.openReading();
  }
  ~HeldOpen() {
    if (target_.onServer()) return;
    reader_.reset();
    try {
      Connection writer;
      target_.open(writer);
    } catch (const Failure&) {
    }
  }
  HeldOpen(const HeldOpen&) = delete;
  HeldOpen& operator=(const HeldOpen&) = delete;

 private:
  const Target& target_;
  std::unique_ptr<RowSource> reader_;
};

class Collector {
 public:
  Collector(const Target& target, quint32 seed) : target_(target), signal_(seed) {}

  // Stores one row, retrying a failed one; a database or table gone away ends the run.
  bool store(const QDateTime& moment, double secondsSinceStart) {
    const MeasurementRow row{regional_.dateText(moment.date()), regional_.timeText(moment.time()),
                             signal_.next(secondsSinceStart)};
    for (int attempt = 1;; ++attempt) {
      try {
        lastNumber_ = appendMeasurement(target_.path(), row);
        ++written_;
        return true;
      } catch (const RuntimeError& error) {
        QTextStream(stderr) << "kelvane-db: row " << row.date << ' ' << row.time << " not written (attempt "
                            << attempt << "): " << target_.withoutPassword(error.description()) << '\n';
        target_.requireGraphData();
        if (!isLock(error) && attempt >= kAttemptsBesideLocks)
          throw Failure{Exit::WriteFailed, QStringLiteral("giving up after %1 attempts; %2")
                                               .arg(attempt).arg(summary())};
        pause(std::chrono::steady_clock::now() + std::chrono::seconds(1));
        if (stopRequested) return false;
      }
    }
  }

  QString summary() const {
    QString text = QStringLiteral("%1 rows written to %2").arg(written_).arg(target_.shownName());
    if (written_ > 0) text += QStringLiteral(", last number %1").arg(lastNumber_, 0, 'g', 15);
    return text;
  }
  void progress() const {
    QTextStream(stdout) << written_ << " rows, last number " << QString::number(lastNumber_, 'g', 15) << Qt::endl;
  }
  qint64 written() const { return written_; }

 private:
  const Target& target_;
  PipelineSignal signal_;
  RegionalForms regional_;
  qint64 written_ = 0;
  double lastNumber_ = 0;
};

void backFill(Collector& collector, const CollectOptions& options) {
  const QDateTime now = QDateTime::currentDateTime();
  for (qint64 i = 0; !stopRequested && (!options.count || i < *options.count); ++i) {
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
  for (qint64 i = 0; !stopRequested && (!options.count || i < *options.count); ++i) {
    pause(next);
    if (stopRequested) break;
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
  const HeldOpen held(target);
  const quint32 seed = options.seed ? *options.seed : QRandomGenerator::system()->generate();
  QTextStream(stdout) << "collecting into " << target.shownName() << " (seed " << seed << ")" << Qt::endl;
  stopOnSignals();
  Collector collector(target, seed);
  try {
    if (options.start) backFill(collector, options);
    else steady(collector, options);
  } catch (Failure& failure) {
    QTextStream(stdout) << "stopped: " << collector.summary() << Qt::endl;
    throw;
  }
  QTextStream(stdout) << (stopRequested ? "stopped: " : "done: ") << collector.summary() << Qt::endl;
  return Exit::Ok;
}

}  // namespace kelvane::db
