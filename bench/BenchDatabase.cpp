#include "BenchDatabase.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTime>

namespace kelvane::bench {

namespace {
void run(QSqlQuery& query, const QString& sql) {
  if (!query.exec(sql)) qFatal("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
}
}  // namespace

void createGraphData(const QString& path, int rows) {
  const QString name = QStringLiteral("bench-setup");
  {
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    database.setDatabaseName(path);
    if (!database.open()) qFatal("cannot create %s", qPrintable(path));
    QSqlQuery query(database);
    run(query, QStringLiteral("PRAGMA journal_mode=WAL"));
    run(query, QStringLiteral("CREATE TABLE GraphData (Date TEXT, Time TEXT, number REAL, Data REAL)"));
    run(query, QStringLiteral("CREATE INDEX GraphDataNumber ON GraphData (number)"));
    run(query, QStringLiteral("BEGIN"));
    query.prepare(QStringLiteral("INSERT INTO GraphData VALUES ('05/12/2026', ?, ?, ?)"));
    for (int n = 1; n <= rows; ++n) {
      query.addBindValue(QTime(0, 0).addSecs(n % 86400).toString(QStringLiteral("HH:mm:ss")));
      query.addBindValue(double(n));
      query.addBindValue(5.0 + (n % 100) / 100.0);
      if (!query.exec()) qFatal("insert failed");
    }
    run(query, QStringLiteral("COMMIT"));
  }
  QSqlDatabase::removeDatabase(name);
}

}  // namespace kelvane::bench
