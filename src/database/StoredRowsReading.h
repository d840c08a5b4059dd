#pragma once

#include "CompactRows.h"
#include "state/Background.h"

namespace kelvane {

// The reads of the charts of stored rows, run as jobs off the window's thread, each on
// connections of its own that it closes before it ends. A stop ends the read however far it got,
// with error OperationCancelled in place of what the engine said.

// The operator's query, run as the query dialog and the full-screen window run it.
CompactRows readQuery(const QString& dataSource, const QString& sql, const LoadPlan& plan, JobControl& job);

// The most recent rows of GraphData: counted first, then read on a new connection, the newest 20
// in ascending number order or all rows of a shorter table in the engine's order. Each part
// keeps the error that ended its query; the rows are read only when the count is not 0.
struct RecentRows {
  Outcome<qint32> count;
  Outcome<CompactRows> rows;
};
// allColumns: every column, as the full-screen window asks for them, or the four.
RecentRows readRecentRows(const QString& dataSource, bool allColumns, LoadPlan plan, JobControl& job);

}  // namespace kelvane
