#pragma once

#include <QString>

namespace kelvane::bench {

// A SQLite measurement database with table GraphData of the given number of rows (numbered 1 up,
// a second apart, values drifting between 5 and 6) and an index on number, in WAL mode.
void createGraphData(const QString& path, int rows);

}  // namespace kelvane::bench
