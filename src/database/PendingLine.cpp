#include "PendingLine.h"

#include "state/PlainNumber.h"

#include <QStringList>

#include <charconv>
#include <cmath>

namespace kelvane {

namespace {

constexpr int kFields = 5;

QByteArray quoted(const QString& field) {
  QByteArray text = field.toUtf8();
  return '"' + text.replace('"', "\"\"") + '"';
}

// The quoted fields of a line; nothing when a quote is left open or something stands between them.
std::optional<QStringList> fieldsOf(QByteArrayView line) {
  QStringList fields;
  qsizetype at = 0;
  for (;;) {
    if (at >= line.size() || line[at] != '"') return std::nullopt;
    QByteArray field;
    for (++at;; ++at) {
      if (at >= line.size()) return std::nullopt;
      if (line[at] != '"') {
        field += line[at];
      } else if (at + 1 < line.size() && line[at + 1] == '"') {
        field += '"';
        ++at;
      } else {
        break;
      }
    }
    fields.append(QString::fromUtf8(field));
    if (++at == line.size()) return fields;
    if (line[at++] != ',') return std::nullopt;
  }
}

std::optional<float> singleOf(const QString& text) {
  const QByteArray digits = text.toLatin1();
  float value = 0;
  const auto [end, error] = std::from_chars(digits.constData(), digits.constData() + digits.size(), value);
  if (error != std::errc() || end != digits.constData() + digits.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

QByteArray pendingLine(const KeptRow& row) {
  const QByteArrayList fields{quoted(row.database), quoted(row.measurement.date), quoted(row.measurement.time),
                              '"' + plainNumber(row.measurement.data) + '"', '"' + QByteArray::number(row.entry) + '"'};
  return fields.join(',') + "\r\n";
}

std::optional<KeptRow> readPendingLine(QByteArrayView line) {
  const std::optional<QStringList> fields = fieldsOf(line);
  if (!fields || fields->size() != kFields || fields->at(0).isEmpty()) return std::nullopt;
  const std::optional<float> data = singleOf(fields->at(3));
  bool isNumber = false;
  const qint64 entry = fields->at(4).toLongLong(&isNumber);
  if (!data || !isNumber) return std::nullopt;
  return KeptRow{fields->at(0), {fields->at(1), fields->at(2), *data}, entry};
}

}  // namespace kelvane
