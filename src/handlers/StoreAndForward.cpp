#include "StoreAndForward.h"

#include "database/GraphDataTable.h"
#include "state/RuntimeError.h"
#include "state/TextResources.h"

#include <QFileInfo>
#include <QScopeGuard>

#include <mutex>
#include <optional>

namespace kelvane {

namespace {

constexpr qint64 kDeliverySpacingS = 5;

QString reasonOf(const RuntimeError& error) { return QStringLiteral("%1: %2").arg(error.source(), error.description()); }

// A press's write, and the press that waits for it. When the write takes longer than the press
// waits, the press keeps the row, in flight, and the write settles it: taken off once stored,
// otherwise left to the delivery, with the number it was given when the write reached its commit.
class PressWrite {
 public:
  PressWrite(std::shared_ptr<PendingRows> rows, KeptRow row) : rows_(std::move(rows)), row_(std::move(row)) {}

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
  // On the window's thread: keeps the row unless the write has settled; says whether it did.
  // Raises a RuntimeError when the row cannot be kept.
  bool handOver() {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (settled_) return false;
    kept_ = rows_->keep(row_, true);
    return true;
  }
  KeptRow row() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return row_;
  }

 private:
  mutable std::mutex mutex_;
  const std::shared_ptr<PendingRows> rows_;
  KeptRow row_;
  std::optional<qint64> kept_;
  bool settled_ = false;
};

}  // namespace

StoreAndForward::StoreAndForward(const Environment& env, MainWindowView& window) : env_(env), window_(window) {}

RowOutcome StoreAndForward::storeOrKeep(const QString& database, const MeasurementRow& measurement, qint64 entry,
                                        const QString& typedText) {
  const KeptRow row{database, measurement, entry, std::nullopt};
  if (rows_->hasRowsFor(database)) return keep(row, std::nullopt, typedText);
  const auto press = std::make_shared<PressWrite>(rows_, row);
  const auto write = writer_.start<double>([press, database, measurement](JobControl& job) {
    bool stored = false;
    const auto settled = qScopeGuard([&] { press->settle(stored); });
    GraphDataWriter writer(database, kRowLockWait, &job);
    const double number = writer.append(measurement, [&](const std::vector<double>& numbers) { press->given(numbers.front()); });
    stored = true;
    return number;
  });
  if (!write->waitFor(kPressWait)) {
    try {
      if (press->handOver()) {
        show();
        const QString why = LoadResString(TextId::NoAnswer).arg(env_.regional.doubleText(kPressWait.count() / 1000.0));
        return {{}, {}, LoadResString(TextId::RowKept).arg(entry).arg(typedText, database, why)};
      }
    } catch (const RuntimeError& error) {
      return {{}, {LoadResString(TextId::NotKept).arg(error.sourceAndDescription())}, {}};
    }
    write->waitFor(Worker::kExitWait);  // settled just now: its outcome is on its way
  }
  const std::optional<Outcome<double>> outcome = write->outcome();
  if (outcome && outcome->value) return {*outcome->value, {}, {}};
  const RuntimeError error = outcome ? *outcome->failure : cancelledError();
  if (!error.worthRetrying()) return {{}, {LoadResString(TextId::NotStored).arg(reasonOf(error))}, {}};
  return keep(press->row(), error, typedText);
}

RowOutcome StoreAndForward::keep(KeptRow row, const std::optional<RuntimeError>& unanswered, const QString& typedText) {
  try {
    rows_->keep(row);
  } catch (const RuntimeError& error) {
    RowOutcome lost;
    if (unanswered) lost.notRecorded.append(LoadResString(TextId::NotStored).arg(reasonOf(*unanswered)));
    lost.notRecorded.append(LoadResString(TextId::NotKept).arg(error.sourceAndDescription()));
    return lost;
  }
  show();
  if (!unanswered) return {};
  return {{}, {}, LoadResString(TextId::RowKept).arg(row.entry).arg(typedText, row.database, unanswered->description())};
}

void StoreAndForward::tell(const KeptRowsReport& report) {
  if (!report.unreadableLines.isEmpty())
    env_.alert(LoadResString(TextId::PendingFileUnreadable).arg(QLatin1Char('\n') + report.unreadableLines.join(QLatin1Char('\n'))));
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

void StoreAndForward::deliver() {
  if (delivery_ && delivery_->finished()) {
    const std::optional<Outcome<DeliveryReport>> outcome = delivery_->outcome();
    delivery_.reset();
    if (outcome && outcome->value) {
      for (const QString& database : std::as_const(outcome->value->delivered)) refusing_.remove(database);
      for (const auto& [row, why] : std::as_const(outcome->value->refused)) {
        if (refusing_.contains(row.database)) continue;
        refusing_.insert(row.database);
        env_.alert(LoadResString(TextId::KeptRowRefused)
                       .arg(row.entry)
                       .arg(row.measurement.date, row.measurement.time, row.database, why));
      }
    }
  }
  const QDateTime now = env_.clock.now();
  // A clock set back starts the spacing afresh.
  const bool due = !lastDelivery_.isValid() || now < lastDelivery_ || lastDelivery_.secsTo(now) >= kDeliverySpacingS;
  if (!delivery_ && due) {
    lastDelivery_ = now;
    try {
      tell(rows_->takeUp());  // the rows of copies of the program that ended
    } catch (const RuntimeError& error) {
      env_.alert(LoadResString(TextId::PendingFileUnreadable).arg(error.sourceAndDescription()));
    }
    if (rows_->count() > 0)
      delivery_ = writer_.start<DeliveryReport>([rows = rows_](JobControl& job) { return deliverKeptRows(*rows, job); });
  }
  show();
}

bool StoreAndForward::waitForWrites(std::chrono::milliseconds wait) {
  return writer_.start<bool>([](JobControl&) { return true; })->waitFor(wait);
}

void StoreAndForward::shutdown(std::chrono::steady_clock::time_point deadline) { writer_.stop(deadline); }

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
