#include "RowsCsv.h"

#include "entry/CsvLine.h"
#include "entry/NumberInput.h"
#include "state/PlainNumber.h"
#include "state/RuntimeError.h"

#include <QStringList>


namespace kelvane {

namespace {

// A spreadsheet takes a cell that starts with one of these for a formula, and runs it.
QString textCell(const QString& text) {
  static const QString kFormulaStarts = QStringLiteral("=+-@\t\r");
  return !text.isEmpty() && kFormulaStarts.contains(text.front()) ? QLatin1Char('\'') + text : text;
}

template <typename Number>
QString shortestText(Number value) {
  return QString::fromLatin1(plainNumber(value));
}

// A value as read: numbers with ".", texts as they are, other values as the program shows them.
QString fieldOf(const QVariant& value, const RegionalForms& regional) {
  switch (value.metaType().id()) {
    case QMetaType::Double: return shortestText(value.toDouble());
    case QMetaType::Float: return shortestText(value.toFloat());
    case QMetaType::Int:
    case QMetaType::LongLong: return shortestText(value.toLongLong());
    default: return textCell(regional.valueText(value));
  }
}

void appendLine(QByteArray& csv, const QStringList& fields) { csv += csvLine(fields, Quoting::WhereNeeded); }

}  // namespace

QByteArray storedRowsCsv(const ShownRows& rows, const RegionalForms& regional) {
  QByteArray csv;
  appendLine(csv, {QStringLiteral("Date"), QStringLiteral("Time"), QStringLiteral("number"), QStringLiteral("Data")});
  if (!rows.columns) return csv;
  const RowColumns& columns = *rows.columns;
  const auto field = [&](const StoredColumn& column, qsizetype row) {
    return row < column.size() ? fieldOf(column.at(row), regional) : QString();
  };
  for (qsizetype row = rows.first; row < rows.first + rows.count; ++row) {
    QString data;
    if (row < columns.data->size()) {
      const double value = columns.data->at(row).toDouble();
      data = heldBySingle(value) ? shortestText(float(value)) : shortestText(value);
    }
    appendLine(csv, {field(*columns.date, row), field(*columns.time, row), field(*columns.number, row), data});
  }
  return csv;
}

QByteArray listedRowsCsv(const ResultLists& lists, const RegionalForms& regional) {
  QByteArray csv;
  appendLine(csv, {QStringLiteral("n"), QStringLiteral("data"), QStringLiteral("time stamp")});
  for (qsizetype i = 0; i < lists.numbers.size(); ++i) {
    QString data = lists.typedTexts.value(i);
    try {
      data = shortestText(typedDouble(data, regional.locale()));
    } catch (const RuntimeError&) {
      // Only accepted texts are listed; one that is not a number after all goes as it was typed.
      data = textCell(data);
    }
    appendLine(csv, {lists.numbers.at(i), data, textCell(lists.timeStamps.value(i))});
  }
  return csv;
}

}  // namespace kelvane
