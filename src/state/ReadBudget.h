#pragma once

#include "RuntimeError.h"

#include <QtGlobal>

namespace kelvane {

// What one read of rows may hold, so that a query that runs away (a recursion without end, rows
// of distinct long texts) ends with a message before it takes the machine's memory. Each row a
// chart holds takes up to kBytesPerRow, and each distinct text its bytes besides.
struct ReadBudget {
  static constexpr qint64 kBytesPerRow = 32;
  // An eighth of the memory, as the message says: a chart, the full-screen window's read of it again, and the rest of
  // the program and the desktop fit beside it. A year of one row a second (31.6 million rows)
  // fits on a machine of 8 GB.
  static constexpr int kShareOfMemory = 8;

  qint64 rows = 0;
  qint64 bytes = 0;

  // An eighth of the machine's physical memory, and as many rows as fill it.
  static ReadBudget ofThisMachine();
  static ReadBudget ofBytes(qint64 bytes) { return {bytes / kBytesPerRow, bytes}; }
  // Ends a read that would pass the budget; says what it is.
  RuntimeError passed() const;
};

}  // namespace kelvane
