#include "Engine.h"

#include "PostgresEngine.h"
#include "SqliteEngine.h"

namespace kelvane {

const Engine& engineFor(const QString& dataSource) {
  static const SqliteEngine sqlite;
  static const PostgresEngine postgres;
  if (dataSource.endsWith(QLatin1String(".kvconn"), Qt::CaseInsensitive)) return postgres;
  return sqlite;
}

QString namingDatabase(const QString& description, const QString& shownName) {
  if (shownName.isEmpty() || description.contains(shownName)) return description;
  return QStringLiteral("%1 (%2)").arg(description, shownName);
}

}  // namespace kelvane
