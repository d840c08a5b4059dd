#include "PendingLine.h"

#include "entry/CsvLine.h"
#include "state/PlainNumber.h"
#include "state/RegionalForms.h"

#include <QStringList>

#include <charconv>
#include <cmath>

namespace kelvane {

namespace {

constexpr int kFields = 5;  // and the number, when a write gave one

template <typename Number>
std::optional<Number> parsed(const QString& text) {
  const QByteArray digits = text.toLatin1();
  Number value = 0;
  const auto [end, error] = std::from_chars(digits.constData(), digits.constData() + digits.size(), value);
  if (error != std::errc() || end != digits.constData() + digits.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<float> singleOf(const QString& text) { return parsed<float>(text); }
std::optional<double> numberOf(const QString& text) { return parsed<double>(text); }

}  // namespace

QByteArray pendingLine(const KeptRow& row) {
  QStringList fields{row.database, row.measurement.date, row.measurement.time,
                     QString::fromLatin1(plainNumber(row.measurement.data)), QString::number(row.entry)};
  if (row.number) fields.append(QString::fromLatin1(plainNumber(*row.number)));
  return csvLine(fields, Quoting::EveryField);
}

std::optional<KeptRow> readPendingLine(QByteArrayView line) {
  const std::optional<QStringList> fields = quotedFields(line);
  if (!fields || (fields->size() != kFields && fields->size() != kFields + 1) || fields->at(0).isEmpty()) return std::nullopt;
  const std::optional<float> data = singleOf(fields->at(3));
  bool isNumber = false;
  const qint64 entry = fields->at(4).toLongLong(&isNumber);
  if (!data || !isNumber || !RegionalForms::isDateForm(fields->at(1)) || !RegionalForms::isTimeForm(fields->at(2)))
    return std::nullopt;
  KeptRow row{fields->at(0), {fields->at(1), fields->at(2), *data}, entry, std::nullopt};
  if (fields->size() == kFields) return row;
  const std::optional<double> number = numberOf(fields->at(5));
  if (!number) return std::nullopt;
  row.number = number;
  return row;
}

KeptLines readKeptLines(const QByteArray& content) {
  KeptLines lines;
  for (QByteArray line : content.split('\n')) {
    if (line.endsWith('\r')) line.chop(1);
    if (line.isEmpty()) continue;
    if (std::optional<KeptRow> row = readPendingLine(line))
      lines.rows.push_back(std::move(*row));
    else
      lines.unreadable.append(line);
  }
  return lines;
}

}  // namespace kelvane
