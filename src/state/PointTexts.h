#pragma once

#include "StoredColumn.h"

#include <QVariant>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace kelvane {

// A table of values with explicit index bounds, as PointLabels and PointDates are addressed: an
// index outside the bounds raises "Subscript out of range", an entry never written is empty.
// Its entries stay in the columns they were read into, shared and never copied: copies of the
// table (the picture's kept chart) cost nothing, nor does a new load beside them.
class PointTexts {
 public:
  // Recreates the table: whatever it held is discarded.
  void redim(int low, int high);
  // Changes the upper bound and keeps the entries that fit.
  void redimPreserve(int low, int high);

  // Entries first..first + count - 1 become rows offset..offset + count - 1 of the column.
  void assign(int first, std::shared_ptr<const StoredColumn> column, qsizetype count, qsizetype offset = 0);
  void set(int i, const QVariant& value);
  // Entries first..last as entries 1.. of a table of their own, which shares their columns.
  PointTexts section(int first, int last) const;

  bool contains(int i) const { return size_ > 0 && i >= low_ && qint64(i) - low_ < size_; }
  // A value, not a place: entries are written with set().
  const QVariant at(int i) const;
  // The entry as a label shows it: a text cut short (StoredColumn::labelAt).
  const QVariant labelAt(int i) const;

 private:
  // Entries first..first + count - 1 are rows offset.. of a column.
  struct Run {
    qint64 first;
    qint64 count;
    std::shared_ptr<const StoredColumn> column;
    qsizetype offset;
  };
  std::vector<Run> within(qint64 first, qint64 last) const;
  // The run that holds entry i and the row of its column; none for an entry never written.
  std::optional<std::pair<const Run*, qsizetype>> placeOf(int i) const;

  int low_ = 0;
  qint64 size_ = 0;
  std::vector<Run> runs_;  // in index order, none overlapping; an index in none is empty
  std::shared_ptr<StoredColumn> written_;  // what set() writes, while this table alone holds it
};

}  // namespace kelvane
