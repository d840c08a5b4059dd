#include "SortedRows.h"

#include "state/RuntimeError.h"

#include <algorithm>

namespace kelvane {

namespace {

bool isNumber(const QVariant& value) {
  switch (value.metaType().id()) {
    case QMetaType::Int: case QMetaType::UInt: case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Double: case QMetaType::Float:
      return true;
    default:
      return false;
  }
}

bool sortsBefore(const QVariant& a, const QVariant& b) {
  if (a.isNull() || b.isNull()) return a.isNull() && !b.isNull();
  if (isNumber(a) && isNumber(b)) return a.toDouble() < b.toDouble();
  return a.toString() < b.toString();
}

}  // namespace

SortedRows::SortedRows(RowCursor& rows, const QString& column) : columns_(rows.columns()) {
  const int key = rows.columnIndex(column);
  if (key < 0) throw itemNotFoundError(column);
  while (rows.next()) {
    QVariantList row;
    for (int i = 0; i < columns_.size(); ++i) row.append(rows.field(i));
    rows_.append(row);
  }
  std::stable_sort(rows_.begin(), rows_.end(),
                   [key](const QVariantList& a, const QVariantList& b) { return sortsBefore(a[key], b[key]); });
}

Cell SortedRows::cell(int column) const {
  const QVariant& value = rows_.at(current_).at(column);
  Cell cell;
  if (value.isNull()) return cell;
  switch (value.metaType().id()) {
    case QMetaType::LongLong:
      cell.kind = Cell::Integer;
      cell.integer = value.toLongLong();
      break;
    case QMetaType::Double:
      cell.kind = Cell::Real;
      cell.real = value.toDouble();
      break;
    default:
      cell.kind = Cell::Other;
  }
  return cell;
}

}  // namespace kelvane
