#pragma once

#include <QString>

namespace kelvane {

class JobControl;

// Whether table GraphData has an index that serves the period dialog's query: one whose first two
// columns are Date and Time. Asks on a read-only connection of its own, which the job's stop ends.
// Raises a RuntimeError when the database or its table GraphData cannot be read.
bool hasPeriodIndex(const QString& dataSource, JobControl* job = nullptr);

}  // namespace kelvane
