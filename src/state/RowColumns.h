#pragma once

#include "PointTexts.h"

#include <memory>

namespace kelvane {

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
