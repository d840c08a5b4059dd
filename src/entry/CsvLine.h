#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

#include <optional>

namespace kelvane {

// Lines of comma-separated fields as other programs read them (RFC 4180): a quote inside a field
// doubled, commas without blanks, CR LF at the end, UTF-8. The log and the file of kept rows quote
// every field; a CSV file only the fields that hold a separator of either convention (',', or ';'
// where the regional decimal separator is a comma), a quote, a tab or a line break.
enum class Quoting { EveryField, WhereNeeded };

QByteArray csvLine(const QStringList& fields, Quoting quoting);

// The fields of a line (without its line end) in which every field is quoted; nothing when a
// quote is left open or something stands between the fields, as in a line a crash cut short.
std::optional<QStringList> quotedFields(QByteArrayView line);

}  // namespace kelvane
