#include "StoreAndForward.h"

#include "database/GraphDataTable.h"
#include "state/RuntimeError.h"
#include "state/TextResources.h"

#include <QFileInfo>
#include <QScopeGuard>
#include <QTimer>

#include <algorithm>
#include <mutex>
#include <optional>

namespace kelvane {

namespace {

constexpr qint64 kDeliverySpacingS = 5;

QString reasonOf(const RuntimeError& error) { return QStringLiteral("%1: %2").arg(error.source(), error.description()); }

// A write that failed once the row had its number may have committed all the same.
QString notStored(const KeptRow& row, const RuntimeError& error) {
  return LoadResString(row.number ? TextId::PerhapsStored : TextId::NotStored).arg(reasonOf(error));
}

RowOutcome keptFor(const KeptRow& row, const QString& typedText, const RuntimeError& why) {
  return {{}, {}, LoadResString(TextId::RowKept).arg(row.entry).arg(typedText, row.database, why.description())};
}

RowOutcome neitherStoredNorKept(const KeptRow& row, const std::optional<RuntimeError>& unstored, const RuntimeError& unkept) {
  RowOutcome lost;
  if (unstored) lost.notRecorded.append(notStored(row, *unstored));
  lost.notRecorded.append(LoadResString(TextId::NotKept).arg(unkept.sourceAndDescription()));
  return lost;
}

}  // namespace

// A press's write, and the store that watches it. When the write takes longer than a press may,
// the store keeps the row, in flight, and the write settles it: taken off once stored, otherwise
// left to the delivery, with the number it was given when the write reached its commit. A row not
// stored is kept on the writer itself, before the next press to its database is written, so that
// no later press overtakes it.
class StoreAndForward::PressWrite {
 public:
  PressWrite(std::shared_ptr<PendingRows> rows, KeptRow row) : rows_(std::move(rows)), row_(std::move(row)) {}

  // What became of the row, beside the write's outcome.
  struct Keeping {
    bool handedOver = false;  // kept in flight, at the half second or at exit
    bool kept = false;        // kept on the writer
    std::optional<RuntimeError> unkept;  // why it could not be kept there
  };

  // On the writer, before the write: with rows of its database waiting (an earlier press kept),
  // the row is kept behind them instead. Says whether it was not written for that.
  bool keptBehindWaitingRows() {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (kept_) {
      // Handed over while it waited for the writer: it lands behind the rows kept before it.
      if (!rows_->hasRowsBefore(row_.database, *kept_)) return false;
      rows_->landed(*kept_);
      settled_ = true;
      return true;
    }
    if (!rows_->hasRowsFor(row_.database)) return false;
    keepOnWriter();
    return true;
  }
  // On the writer, when the write failed for a reason that may pass.
  void keepAfterFailure() {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!kept_) keepOnWriter();
  }
  Keeping keeping() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return {kept_.has_value(), keeping_.kept, keeping_.unkept};
  }

  // On the writer, before the commit.
  void given(double number) {
    const std::lock_guard<std::mutex> lock(mutex_);
    row_.number = number;
    if (kept_) rows_->given({*kept_}, {number});
  }
  // On the writer, as the write ends.
  void settle(bool stored) {
    const std::lock_guard<std::mutex> lock(mutex_);
    settled_ = true;
    if (!kept_) return;
    if (stored)
      rows_->delivered({*kept_});
    else
      rows_->landed(*kept_);
  }
  // On the window's thread: keeps the row unless the write has settled or it is kept already; says
  // whether it kept it.
  // Raises a RuntimeError when the row cannot be kept.
  bool handOver() {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (settled_ || kept_) return false;
    kept_ = rows_->keep(row_, true);
    return true;
  }
  KeptRow row() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return row_;
  }

 private:
  // Settled once kept: neither the half second nor the exit keeps it again.
  void keepOnWriter() {
    try {
      rows_->keep(row_);
      keeping_.kept = true;
      settled_ = true;
    } catch (const RuntimeError& error) {
      keeping_.unkept = error;
    }
  }

  mutable std::mutex mutex_;
  const std::shared_ptr<PendingRows> rows_;
  KeptRow row_;
  std::optional<qint64> kept_;
  Keeping keeping_;
  bool settled_ = false;
};

StoreAndForward::StoreAndForward(const Environment& env, MainWindowView& window) : env_(env), window_(window) {}

StoreAndForward::~StoreAndForward() { shutdown(std::chrono::steady_clock::now() + Worker::kExitWait); }

void StoreAndForward::storeOrKeep(const QString& database, const MeasurementRow& measurement, qint64 entry,
                                  const QString& typedText, std::function<void(const RowOutcome&)> told) {
  const KeptRow row{database, measurement, entry, std::nullopt};
  if (rows_->hasRowsFor(database)) {
    told(keep(row));
    return;
  }
  ++untold_;
  told = [this, told = std::move(told)](const RowOutcome& outcome) {
    --untold_;
    told(outcome);
  };
  const auto press = std::make_shared<PressWrite>(rows_, row);
  presses_.erase(std::remove_if(presses_.begin(), presses_.end(), [](const auto& weak) { return weak.expired(); }),
                 presses_.end());
  presses_.push_back(press);
  // Its number, or none when it was kept behind rows that wait.
  const auto write = writerFor(database).start<std::optional<double>>(
      [press, database, measurement](JobControl& job) -> std::optional<double> {
        if (press->keptBehindWaitingRows()) return std::nullopt;
        bool stored = false;
        const auto settled = qScopeGuard([&] { press->settle(stored); });
        try {
          GraphDataWriter writer(database, kRowLockWait, &job);
          const double number =
              writer.append(measurement, [&](const std::vector<double>& numbers) { press->given(numbers.front()); });
          stored = true;
          return number;
        } catch (const RuntimeError& error) {
          if (error.worthRetrying()) press->keepAfterFailure();
          throw;
        }
      });
  // What the press knows once half a second has gone without an answer.
  struct Unanswered {
    bool kept = false;
    std::optional<RuntimeError> unkept;
  };
  const auto unanswered = std::make_shared<Unanswered>();
  QTimer::singleShot(kPressWait, &context_, [this, press, write, unanswered, told, entry, typedText, database] {
    if (write->finished()) return;
    try {
      if (!press->handOver()) return;  // settled just now: its outcome is on its way
      unanswered->kept = true;
      show();
      const QString why = LoadResString(TextId::NoAnswer).arg(env_.regional.doubleText(kPressWait.count() / 1000.0));
      told({{}, {}, LoadResString(TextId::RowKept).arg(entry).arg(typedText, database, why)});
    } catch (const RuntimeError& error) {
      // The write alone can store the row now: what it did is told once it has ended, never a
      // loss while it may still commit.
      unanswered->unkept = error;
    }
  });
  write->whenFinished(&context_, [this, press, write, unanswered, told, typedText] {
    const Outcome<std::optional<double>> outcome = *write->outcome();
    const PressWrite::Keeping keeping = press->keeping();
    show();
    // Kept at the half second, and told then, or kept at exit: the write has settled it itself.
    if (keeping.handedOver) return;
    if (outcome.value && *outcome.value) {
      told({**outcome.value, {}, {}});
      return;
    }
    if (keeping.kept) {
      told(outcome.failure ? keptFor(press->row(), typedText, *outcome.failure) : RowOutcome{});
      return;
    }
    const std::optional<RuntimeError>& unkept = keeping.unkept ? keeping.unkept : unanswered->unkept;
    if (unkept) {
      told(neitherStoredNorKept(press->row(), outcome.failure, *unkept));
      return;
    }
    told({{}, {LoadResString(TextId::NotStored).arg(reasonOf(*outcome.failure))}, {}});
  });
}

RowOutcome StoreAndForward::keep(const KeptRow& row) {
  try {
    rows_->keep(row);
  } catch (const RuntimeError& error) {
    return neitherStoredNorKept(row, std::nullopt, error);
  }
  show();
  return {};
}

void StoreAndForward::tell(const KeptRowsReport& report) {
  for (const KeptRowsReport::MovedLines& moved : report.movedLines) {
    QString shown;
    for (const QString& line : moved.first) shown += QLatin1Char('\n') + line;
    if (moved.count > moved.first.size()) shown += QStringLiteral("\n…");
    env_.alert(LoadResString(TextId::KeptLinesMoved).arg(moved.count).arg(moved.from, QFileInfo(moved.to).fileName(), shown));
  }
  for (const QString& file : report.unreadableFiles)
    env_.alert(LoadResString(TextId::PendingFileLeftAlone).arg(file, QFileInfo(rows_->ownPath()).fileName()));
}

void StoreAndForward::load() {
  try {
    tell(rows_->open(env_.pendingRowsPath));
    tell(rows_->takeUp());
  } catch (const RuntimeError& error) {
    env_.alert(LoadResString(TextId::PendingFileUnreadable).arg(error.sourceAndDescription()));
  }
  show();
}

void StoreAndForward::told(const QString& database, const DeliveryReport& report) {
  if (report.delivered) refusing_.remove(database);
  if (!report.refused || refusing_.contains(database)) return;
  refusing_.insert(database);
  const KeptRow& row = report.refused->first;
  env_.alert(LoadResString(TextId::KeptRowRefused)
                 .arg(row.entry)
                 .arg(row.measurement.date, row.measurement.time, row.database, report.refused->second));
}

Worker& StoreAndForward::writerFor(const QString& database) {
  std::unique_ptr<Worker>& writer = writers_[database];
  if (!writer) writer = std::make_unique<Worker>();
  return *writer;
}

void StoreAndForward::deliver() {
  const QDateTime now = env_.clock.now();
  // A clock set back starts the spacing afresh.
  const bool due = !lastDelivery_.isValid() || now < lastDelivery_ || lastDelivery_.secsTo(now) >= kDeliverySpacingS;
  if (due) {
    lastDelivery_ = now;
    try {
      tell(rows_->takeUp());  // the rows of copies of the program that ended
    } catch (const RuntimeError& error) {
      env_.alert(LoadResString(TextId::PendingFileUnreadable).arg(error.sourceAndDescription()));
    }
    // A database whose delivery is still under way is left for the next time.
    for (const QString& database : rows_->databases()) {
      if (delivering_.contains(database)) continue;
      delivering_.insert(database);
      const auto delivery = writerFor(database).start<DeliveryReport>(
          [rows = rows_, database](JobControl& job) { return deliverKeptRows(*rows, database, job); });
      delivery->whenFinished(&context_, [this, delivery, database] {
        delivering_.remove(database);
        const Outcome<DeliveryReport> outcome = *delivery->outcome();
        if (outcome.value) told(database, *outcome.value);
        show();
      });
    }
  }
  show();
}

bool StoreAndForward::waitForWrites(std::chrono::milliseconds wait) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  std::vector<std::shared_ptr<Job<bool>>> reached;
  for (const auto& [database, writer] : writers_) reached.push_back(writer->start<bool>([](JobControl&) { return true; }));
  for (const auto& job : reached) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (!job->waitFor(std::max(left, std::chrono::milliseconds(0)))) return false;
  }
  return true;
}

void StoreAndForward::shutdown(std::chrono::steady_clock::time_point deadline) {
  // A row whose write has not ended is kept: nothing is left to tell what became of it.
  for (const auto& weak : presses_) {
    if (const auto press = weak.lock()) {
      try {
        press->handOver();
      } catch (const RuntimeError& error) {
        qWarning("A row being written is not kept: %s", qPrintable(error.sourceAndDescription()));
      }
    }
  }
  // All are asked first, so that they share the deadline.
  for (const auto& [database, writer] : writers_) writer->requestStop();
  for (const auto& [database, writer] : writers_) writer->stop(deadline);
}

void StoreAndForward::show() {
  const qsizetype count = rows_->count();
  if (count == 0) {
    window_.setPendingCaption({});
    return;
  }
  // File names only: the label has room for one short line.
  QStringList names;
  for (const QString& database : rows_->databases()) names.append(QFileInfo(database).fileName());
  window_.setPendingCaption(LoadResString(count == 1 ? TextId::ValueWaiting : TextId::ValuesWaiting)
                                .arg(count)
                                .arg(names.join(QStringLiteral(", "))));
}

}  // namespace kelvane
