#pragma once

#include "database/PendingRows.h"
#include "state/MeasurementStore.h"
#include "state/Services.h"
#include "state/Views.h"

namespace kelvane {

// The rows of entered values on their way to the database: stored at once when it answers, kept
// in "Pending rows.txt" while it does not for a reason that may pass, and delivered later. While
// rows wait for a database, its new rows go behind them at once, so that all arrive in the order
// entered. Only the first kept row of a database is told; lblPending shows how many wait.
class StoreAndForward : public MeasurementStore {
 public:
  StoreAndForward(const Environment& env, MainWindowView& window);

  RowOutcome storeOrKeep(const QString& database, const MeasurementRow& row, qint64 entry,
                         const QString& typedText) override;

  // At start-up: takes the rows an earlier run left in "Pending rows.txt" of the working folder.
  void load();
  // Beside the clock, every tick: tells what the last delivery could not store for a lasting
  // reason, starts the next delivery when it is due and shows how many values wait.
  void deliver();
  // lblPending: how many values wait and for which databases; hidden when none waits.
  void show();

  PendingRows& rows() { return rows_; }

 private:
  const Environment& env_;
  MainWindowView& window_;
  PendingRows rows_;
};

}  // namespace kelvane
