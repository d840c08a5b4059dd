#pragma once

#include "RunRecords.h"
#include "state/Program.h"

#include <QStringList>

namespace kelvane {

// What the operator is told of a row: lines of what was not recorded, and a notice that the row
// waits for its database.
struct RowOutcome {
  QStringList notRecorded;
  QString notice;
};

// Stage 17: stores the entry's row in the chosen database. When the database does not answer for
// a reason that may pass, the row is kept and stored later; while rows wait for a database, its
// new rows go behind them at once, so that all arrive in the order entered. Only the first kept
// row of a database is told.
RowOutcome storeOrKeep(Program& program, const EntryRecord& entry);

// At start-up: takes the rows an earlier run left in "Pending rows.txt" of the working folder.
void loadPendingRows(Program& program);

// Beside the clock, every tick: tells what the last delivery could not store for a lasting reason,
// starts the next delivery when it is due and shows how many values wait.
void deliverPendingRows(Program& program);

// lblPending: how many values wait and for which databases; hidden when none waits.
void showPendingRows(Program& program);

}  // namespace kelvane
