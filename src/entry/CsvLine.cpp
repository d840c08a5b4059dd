#include "CsvLine.h"

#include <algorithm>

namespace kelvane {

QByteArray csvLine(const QStringList& fields, Quoting quoting) {
  static const QString kSpecial = QStringLiteral(",;\"\t\r\n");
  QByteArray line;
  for (const QString& field : fields) {
    if (!line.isEmpty()) line += ',';
    const bool quoted = quoting == Quoting::EveryField ||
                        std::any_of(field.begin(), field.end(), [](QChar c) { return kSpecial.contains(c); });
    if (!quoted) {
      line += field.toUtf8();
      continue;
    }
    line += '"' + field.toUtf8().replace('"', "\"\"") + '"';
  }
  return line + "\r\n";
}

std::optional<QStringList> quotedFields(QByteArrayView line) {
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

}  // namespace kelvane
