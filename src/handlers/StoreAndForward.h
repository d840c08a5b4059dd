#pragma once

#include "database/KeptRowsDelivery.h"
#include "database/PendingRows.h"
#include "state/Background.h"
#include "state/MeasurementStore.h"
#include "state/Services.h"
#include "state/Views.h"

#include <QDateTime>
#include <QSet>

#include <memory>

namespace kelvane {

// How long a press waits for its row's write: a row not stored by then is kept and its write
// goes on, so that no database holds the window. Beyond the wait for another writer's lock, which
// fails as it always has.
inline constexpr std::chrono::milliseconds kPressWait{500};

// The rows of entered values on their way to the database, written on a worker of their own:
// stored at once when it answers, kept in "Pending rows.txt" while it does not (for a reason that
// may pass, or for longer than a press waits), and delivered later. While rows wait for a
// database, its new rows go behind them at once, so that all arrive in the order entered. Only
// the first kept row of a database is told; lblPending shows how many wait.
class StoreAndForward : public MeasurementStore {
 public:
  StoreAndForward(const Environment& env, MainWindowView& window);

  RowOutcome storeOrKeep(const QString& database, const MeasurementRow& row, qint64 entry,
                         const QString& typedText) override;

  // At start-up: takes the file of kept rows in the working folder, with the rows an earlier run
  // left in it, and those of copies of the program that ended.
  void load();
  // Beside the clock, every tick: tells what the last delivery could not store for a lasting
  // reason, starts the next delivery when it is due and shows how many values wait.
  void deliver();
  // lblPending: how many values wait and for which databases; hidden when none waits.
  void show();
  // Waits up to wait for the writes started so far, a delivery among them, to end.
  bool waitForWrites(std::chrono::milliseconds wait);
  // At exit: the writes under way end, or are left to end on their own, by the deadline; the rows
  // they write stay kept until they are stored.
  void shutdown(std::chrono::steady_clock::time_point deadline);

  PendingRows& rows() { return *rows_; }

 private:
  RowOutcome keep(KeptRow row, const std::optional<RuntimeError>& unanswered, const QString& typedText);
  void tell(const KeptRowsReport& report);

  const Environment& env_;
  MainWindowView& window_;
  // Shared with the writes: a write left at exit may still come back to them.
  std::shared_ptr<PendingRows> rows_ = std::make_shared<PendingRows>();
  Worker writer_;
  std::shared_ptr<Job<DeliveryReport>> delivery_;
  QDateTime lastDelivery_;
  QSet<QString> refusing_;  // databases whose refusal has been told
};

}  // namespace kelvane
