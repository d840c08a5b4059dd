#include "BenchDatabase.h"

#include "Commands.h"
#include "Failure.h"
#include "state/RegionalForms.h"

#include <sqlite3.h>

#include <cstdio>

namespace kelvane::bench {

namespace {

const QDate kFirstDay(2026, 1, 1);

void run(sqlite3* database, const char* sql) {
  if (sqlite3_exec(database, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
    qFatal("%s failed: %s", sql, sqlite3_errmsg(database));
}

}  // namespace

// In UTC, so that every day has 86 400 seconds.
QDateTime graphDataMoment(qint64 number) { return QDateTime(kFirstDay, QTime(0, 0), Qt::UTC).addSecs(number - 1); }

void createGraphData(const QString& path, int rows, bool periodIndex) {
  try {
    db::createMeasurementDatabase(db::Target(path));
  } catch (const db::Failure& failure) {
    qFatal("cannot create %s: %s", qPrintable(path), qPrintable(failure.message));
  }
  sqlite3* database = nullptr;
  if (sqlite3_open_v2(path.toUtf8().constData(), &database, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
    qFatal("cannot open %s", qPrintable(path));
  // Written once and without a journal, ten million rows take seconds; the file returns to its
  // write-ahead log afterwards, as the program and the collector find it. The index on (Date,
  // Time) is built at the end, from rows in order.
  run(database, "PRAGMA journal_mode=DELETE");
  run(database, "PRAGMA journal_mode=OFF");
  run(database, "PRAGMA synchronous=OFF");
  run(database, "PRAGMA cache_size=-65536");
  run(database, "DROP INDEX GraphDataDateTime");
  run(database, "BEGIN");
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(database, "INSERT INTO GraphData VALUES (?, ?, ?, ?)", -1, &insert, nullptr);
  const RegionalForms british(QLocale(QLocale::English, QLocale::UnitedKingdom));
  QByteArray date;
  for (int n = 1; n <= rows; ++n) {
    const int second = (n - 1) % 86400;
    if (n == 1 || second == 0) date = british.dateText(kFirstDay.addDays((n - 1) / 86400)).toUtf8();
    char time[16];
    const int length = std::snprintf(time, sizeof time, "%02d:%02d:%02d", second / 3600, second / 60 % 60, second % 60);
    sqlite3_bind_text(insert, 1, date.constData(), int(date.size()), SQLITE_STATIC);
    sqlite3_bind_text(insert, 2, time, length, SQLITE_TRANSIENT);
    sqlite3_bind_double(insert, 3, n);
    sqlite3_bind_double(insert, 4, 5.0 + (n % 100) / 100.0);
    if (sqlite3_step(insert) != SQLITE_DONE) qFatal("insert failed");
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  run(database, "COMMIT");
  if (periodIndex) run(database, db::kPeriodIndex.toUtf8().constData());
  run(database, "PRAGMA journal_mode=WAL");
  sqlite3_close(database);
}

void addCollectedRow(sqlite3* database, qint64 number) {
  const RegionalForms british(QLocale(QLocale::English, QLocale::UnitedKingdom));
  const QDateTime at = graphDataMoment(number);
  const QByteArray insert = QStringLiteral("INSERT INTO GraphData VALUES ('%1', '%2', %3, 5.5)")
                                .arg(british.dateText(at.date()), british.timeText(at.time()))
                                .arg(number)
                                .toUtf8();
  run(database, insert.constData());
}

}  // namespace kelvane::bench
