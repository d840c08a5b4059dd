#include "ConnectionString.h"

namespace kelvane {

namespace {
const QString kProvider = QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.4.0.;");
const QString kDataSource = QStringLiteral("Data Source=");
}  // namespace

QString ConnectionString(const QString& databasePath) { return kProvider + kDataSource + databasePath + QLatin1Char(';'); }

QString dataSourceOf(const QString& connectionString) {
  const qsizetype start = connectionString.indexOf(kDataSource, 0, Qt::CaseInsensitive);
  if (start < 0) return {};
  const qsizetype from = start + kDataSource.size();
  // A path may hold ';' itself: the source runs to the text's final ';'.
  qsizetype end = connectionString.size();
  if (connectionString.endsWith(QLatin1Char(';'))) --end;
  return connectionString.mid(from, end - from);
}

}  // namespace kelvane
