#pragma once

#include "database/KeptRowsDelivery.h"
#include "database/PendingRows.h"
#include "state/Background.h"
#include "state/MeasurementStore.h"
#include "state/Services.h"
#include "state/Views.h"

#include <QDateTime>
#include <QObject>
#include <QSet>

#include <map>
#include <memory>

namespace kelvane {

// How long a row's write may take before the row is kept and the write goes on: a database that
// does not answer holds the row, never the window. Beyond the wait for another writer's lock, which
// fails as it always has.
inline constexpr std::chrono::milliseconds kPressWait{500};

// The rows of entered values on their way to the database, written on a worker of each database's
// own, so that a press never waits behind a write to another: stored at once when it answers, kept
// in "Pending rows.txt" while it does not (for a reason that may pass, or for longer than a press
// waits), and delivered later. While rows wait for a database, its new rows go behind them at
// once, so that all arrive in the order entered. Only the first kept row of a database is told;
// lblPending shows how many wait. A row that cannot be kept either is told as what its write did.
class StoreAndForward : public MeasurementStore {
 public:
  StoreAndForward(const Environment& env, MainWindowView& window);
  // Shuts down, as at exit, with the exit's deadline.
  ~StoreAndForward() override;

  void storeOrKeep(const QString& database, const MeasurementRow& row, qint64 entry, const QString& typedText,
                   std::function<void(const RowOutcome&)> told) override;

  // At start-up: takes the file of kept rows in the working folder, with the rows an earlier run
  // left in it, and those of copies of the program that ended.
  void load();
  // Beside the clock, every tick: starts the next delivery of each database when it is due, which
  // tells once it has ended what it could not store for a lasting reason; shows how many values wait.
  void deliver();
  // lblPending: how many values wait and for which databases; hidden when none waits.
  void show();
  // Waits up to wait for the writes started so far, a delivery among them, to end. What they tell
  // arrives on the window's thread afterwards.
  bool waitForWrites(std::chrono::milliseconds wait);
  // How many rows set on their way have not been told yet.
  int untoldRows() const { return untold_; }
  // At exit: the writes under way end, or are left to end on their own, by the deadline; the rows
  // they write stay kept until they are stored.
  void shutdown(std::chrono::steady_clock::time_point deadline);

  PendingRows& rows() { return *rows_; }

 private:
  class PressWrite;
  // Behind the rows of its database that wait.
  RowOutcome keep(const KeptRow& row);
  void tell(const KeptRowsReport& report);
  void told(const QString& database, const DeliveryReport& report);
  Worker& writerFor(const QString& database);

  const Environment& env_;
  MainWindowView& window_;
  QObject context_;  // of what writes tell on the window's thread: nothing once the store is gone
  // Shared with the writes: a write left at exit may still come back to them.
  std::shared_ptr<PendingRows> rows_ = std::make_shared<PendingRows>();
  std::map<QString, std::unique_ptr<Worker>> writers_;  // by database
  QSet<QString> delivering_;  // databases whose delivery is under way
  std::vector<std::weak_ptr<PressWrite>> presses_;  // whose writes may still be under way
  int untold_ = 0;
  QDateTime lastDelivery_;
  QSet<QString> refusing_;  // databases whose refusal has been told
};

}  // namespace kelvane
