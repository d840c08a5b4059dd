#pragma once

#include "RuntimeError.h"

#include <QList>

namespace kelvane {

// A table with explicit index bounds, as the handlers and the renderer address them: an index
// outside the bounds raises "Subscript out of range" instead of reading past the storage.
// A table that has never been dimensioned has no entries at all.
template <typename T>
class Table {
 public:
  Table() = default;
  Table(int low, int high) { redim(low, high); }

  // Recreates the table: whatever it held is discarded.
  void redim(int low, int high) {
    low_ = low;
    items_.fill(T{}, high >= low ? high - low + 1 : 0);
  }

  bool contains(int i) const { return !items_.empty() && i >= low_ && i - low_ < int(items_.size()); }
  T& at(int i) {
    if (!contains(i)) throw subscriptError();
    return items_[i - low_];
  }
  // Reads leave a table shared with a kept chart shared: no copy of its entries.
  const T& at(int i) const {
    if (!contains(i)) throw subscriptError();
    return items_[i - low_];
  }

 private:
  int low_ = 0;
  QList<T> items_;
};

// A two-dimensional table with explicit bounds on both indices. A column takes memory only once a
// cell of it is written or it is handed over whole: a chart of millions of points fills one series
// of six.
template <typename T>
class Table2D {
 public:
  Table2D() = default;
  Table2D(int low1, int high1, int low2, int high2) { redim(low1, high1, low2, high2); }

  void redim(int low1, int high1, int low2, int high2) {
    low1_ = low1;
    low2_ = low2;
    count1_ = high1 >= low1 ? high1 - low1 + 1 : 0;
    count2_ = high2 >= low2 ? high2 - low2 + 1 : 0;
    columns_.clear();
    columns_.resize(count2_);
  }
  void erase() {
    columns_.clear();
    count1_ = count2_ = 0;
  }
  // Empties every cell and keeps the bounds.
  void clearCells() {
    for (QList<T>& column : columns_) column.clear();
  }

  bool contains(int i, int j) const {
    return i >= low1_ && i - low1_ < count1_ && j >= low2_ && j - low2_ < count2_;
  }
  T& at(int i, int j) {
    if (!contains(i, j)) throw subscriptError();
    QList<T>& column = columns_[j - low2_];
    if (column.isEmpty()) column.resize(count1_);
    return column[i - low1_];
  }
  const T& at(int i, int j) const {
    if (!contains(i, j)) throw subscriptError();
    static const T empty{};
    const QList<T>& column = columns_.at(j - low2_);
    return column.isEmpty() ? empty : column.at(i - low1_);
  }
  // Column j's values, one a row from the lowest row on, without copying them; empty when none
  // of its cells was written.
  QList<T> column(int j) const {
    if (!contains(low1_, j)) throw subscriptError();
    return columns_.at(j - low2_);
  }
  // Column j takes the values, one a row from the lowest row on, without copying them.
  void setColumn(int j, QList<T> values) {
    if (!contains(low1_, j) || values.size() != count1_) throw subscriptError();
    columns_[j - low2_] = std::move(values);
  }

  int lowerBound() const {
    if (count1_ == 0 || count2_ == 0) throw subscriptError();
    return low1_;
  }
  int upperBound() const {
    if (count1_ == 0 || count2_ == 0) throw subscriptError();
    return low1_ + count1_ - 1;
  }

 private:
  int low1_ = 0, low2_ = 0;
  int count1_ = 0, count2_ = 0;
  QList<QList<T>> columns_;  // one a second index; empty until written
};

}  // namespace kelvane
