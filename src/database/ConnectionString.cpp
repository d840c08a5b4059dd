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

AddressAndPassword withoutPassword(const QString& address) {
  const qsizetype scheme = address.indexOf(QLatin1String("://"));
  if (scheme < 0) return {address, {}};
  const qsizetype start = scheme + 3;
  qsizetype end = start;
  while (end < address.size() && !QStringLiteral("/?#").contains(address[end])) ++end;
  // The user's part ends at the host's last '@'; a password starts at its first ':'.
  const qsizetype at = address.lastIndexOf(QLatin1Char('@'), end - 1);
  if (at < start) return {address, {}};
  const qsizetype colon = address.indexOf(QLatin1Char(':'), start);
  if (colon < 0 || colon > at) return {address, {}};
  return {address.left(colon) + address.mid(at), address.mid(colon + 1, at - colon - 1)};
}

}  // namespace kelvane
