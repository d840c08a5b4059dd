#pragma once

#include "RowSource.h"

#include <QList>

namespace kelvane {

// The rows of a result held in full and ordered by one of its columns, as a record set sorts
// them with "name ASC": Nulls first, numbers by value, anything else by its text; rows that
// compare equal keep their order. Each value keeps the kind the engine gave it (a text stays a
// text), so that the rows read as the same rows unsorted would. Raises ItemNotFound when the
// result has no such column.
class SortedRows : public RowCursor {
 public:
  SortedRows(RowCursor& rows, const QString& column);

  QStringList columns() const override { return columns_; }
  bool next() override { return ++current_ < rows_.size(); }
  Cell cell(int column) const override;
  QVariant otherValue(int column) const override { return rows_.at(current_).at(column).other; }

 private:
  // A cell whose text, or value of another kind, is held here once the engine has moved on.
  struct HeldCell {
    Cell cell;
    QByteArray text;
    QVariant other;
    QVariant value() const;
  };

  QStringList columns_;
  QList<QList<HeldCell>> rows_;
  qsizetype current_ = -1;
};

}  // namespace kelvane
