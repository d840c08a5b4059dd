#pragma once

#include <QDateTime>
#include <QString>

struct sqlite3;

namespace kelvane::bench {

// The moment of the row numbered so: one a second from the first of January 2026 on.
QDateTime graphDataMoment(qint64 number);

// A SQLite measurement database with table GraphData of the given number of rows (numbered 1 up,
// stamped with their moments in the British forms of BenchProgram, values drifting between 5
// and 6) and the indexes kelvane-db create makes, in WAL mode; without the index on (Date, Time)
// unless periodIndex, as a table made before it.
void createGraphData(const QString& path, int rows, bool periodIndex = true);

// Adds the row numbered so, as a collector does at its moment: Data 5.5.
void addCollectedRow(sqlite3* database, qint64 number);

}  // namespace kelvane::bench
