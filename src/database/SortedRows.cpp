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

QVariant SortedRows::HeldCell::value() const {
  switch (cell.kind) {
    case Cell::Null: return {};
    case Cell::Integer: return qlonglong(cell.integer);
    case Cell::Real: return cell.real;
    case Cell::Text: return QString::fromUtf8(text);
    case Cell::Other: break;
  }
  return other;
}

SortedRows::SortedRows(RowCursor& rows, const QString& column) : columns_(rows.columns()) {
  const int key = rows.columnIndex(column);
  if (key < 0) throw itemNotFoundError(column);
  while (rows.next()) {
    QList<HeldCell> row(columns_.size());
    for (int i = 0; i < columns_.size(); ++i) {
      HeldCell& held = row[i];
      held.cell = rows.cell(i);
      if (held.cell.kind == Cell::Text) held.text = held.cell.text.toByteArray();
      if (held.cell.kind == Cell::Other) held.other = rows.otherValue(i);
    }
    rows_.append(std::move(row));
  }
  std::stable_sort(rows_.begin(), rows_.end(), [key](const QList<HeldCell>& a, const QList<HeldCell>& b) {
    return sortsBefore(a[key].value(), b[key].value());
  });
}

Cell SortedRows::cell(int column) const {
  const HeldCell& held = rows_.at(current_).at(column);
  Cell cell = held.cell;
  if (cell.kind == Cell::Text) cell.text = QByteArrayView(held.text);
  return cell;
}

}  // namespace kelvane
