#include "RowsCsv.h"

#include "entry/CsvLine.h"
#include "entry/NumberInput.h"
#include "state/PlainNumber.h"
#include "state/RuntimeError.h"

#include <QStringList>


namespace kelvane {

namespace {

// A spreadsheet takes a cell that starts with one of these for a formula, and runs it; quotes
// before it may be read as those of a quoted cell.
bool startsLikeFormula(const QString& text) {
  static const QString kFormulaStarts = QStringLiteral("=+-@\t\r");
  for (const QChar c : text)
    if (c != QLatin1Char('"')) return kFormulaStarts.contains(c);
  return false;
}

// A spreadsheet under German regional settings splits a line at every ';', quotes or not: each
// piece of a text is a cell of its own there, and is guarded as a whole cell is.
QString textCell(const QString& text) {
  QStringList pieces = text.split(QLatin1Char(';'));
  for (QString& piece : pieces)
    if (startsLikeFormula(piece)) piece.prepend(QLatin1Char('\''));
  return pieces.join(QLatin1Char(';'));
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

const QStringList kStoredHeader{QStringLiteral("Date"), QStringLiteral("Time"), QStringLiteral("number"),
                                QStringLiteral("Data")};

// The lines of the rows, each after the fields given.
void appendRows(QByteArray& csv, const ShownRows& rows, const RegionalForms& regional, const QStringList& before) {
  if (!rows.columns) return;
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
    appendLine(csv, before + QStringList{field(*columns.date, row), field(*columns.time, row),
                                         field(*columns.number, row), data});
  }
}

}  // namespace

QByteArray storedRowsCsv(const ShownRows& rows, const RegionalForms& regional) {
  QByteArray csv;
  appendLine(csv, kStoredHeader);
  appendRows(csv, rows, regional, {});
  return csv;
}

QByteArray stationsRowsCsv(const std::vector<ChartSeries>& stations, const RegionalForms& regional) {
  QByteArray csv;
  appendLine(csv, QStringList{QStringLiteral("Station")} + kStoredHeader);
  for (const ChartSeries& station : stations) appendRows(csv, station.rows, regional, {textCell(station.name)});
  return csv;
}

QByteArray listedRowsCsv(const QList<EnteredValue>& values, const RegionalForms& regional) {
  QByteArray csv;
  appendLine(csv, {QStringLiteral("n"), QStringLiteral("data"), QStringLiteral("time stamp")});
  for (const EnteredValue& value : values) {
    QString data = value.typedText;
    try {
      data = shortestText(typedDouble(data, regional.locale()));
    } catch (const RuntimeError&) {
      // Only accepted texts are listed; one that is not a number after all goes as it was typed.
      data = textCell(data);
    }
    appendLine(csv, {value.number, data, textCell(value.timeStamp)});
  }
  return csv;
}

}  // namespace kelvane
