#pragma once

#include "PointTexts.h"

#include <cmath>
#include <limits>
#include <memory>

namespace kelvane {

// Whether a Single holds the number exactly, as it holds each Data value the program and the
// collector store; infinities and NaN too.
inline bool heldBySingle(double value) {
  if (!std::isfinite(value)) return true;
  return std::abs(value) <= std::numeric_limits<float>::max() && double(float(value)) == value;
}

// The columns of stored rows as they were read, one row after the other: number, Time and Date as
// the engine gave them, Data as the number it was read as (to the Single when the engine holds a
// Single). A column the result lacks stays empty. Shared by every chart that shows the rows.
struct RowColumns {
  std::shared_ptr<StoredColumn> number = std::make_shared<StoredColumn>();
  std::shared_ptr<StoredColumn> time = std::make_shared<StoredColumn>();
  std::shared_ptr<StoredColumn> date = std::make_shared<StoredColumn>();
  std::shared_ptr<StoredColumn> data = std::make_shared<StoredColumn>();
};

// The rows a chart of stored rows shows: its record p (1..count) is row first + p - 1.
struct ShownRows {
  std::shared_ptr<const RowColumns> columns;  // none for the live chart
  qsizetype first = 0;
  qint32 count = 0;
};

}  // namespace kelvane
