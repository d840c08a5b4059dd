#include "BenchDatabase.h"

#include "Commands.h"
#include "Failure.h"

#include <sqlite3.h>

#include <cstdio>

namespace kelvane::bench {

namespace {

void run(sqlite3* database, const char* sql) {
  if (sqlite3_exec(database, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
    qFatal("%s failed: %s", sql, sqlite3_errmsg(database));
}

}  // namespace

void createGraphData(const QString& path, int rows) {
  try {
    db::createMeasurementDatabase(db::Target(path));
  } catch (const db::Failure& failure) {
    qFatal("cannot create %s: %s", qPrintable(path), qPrintable(failure.message));
  }
  sqlite3* database = nullptr;
  if (sqlite3_open_v2(path.toUtf8().constData(), &database, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
    qFatal("cannot open %s", qPrintable(path));
  // Written once and without a journal, ten million rows take seconds; the file returns to its
  // write-ahead log afterwards, as the program and the collector find it.
  run(database, "PRAGMA journal_mode=DELETE");
  run(database, "PRAGMA journal_mode=OFF");
  run(database, "PRAGMA synchronous=OFF");
  run(database, "PRAGMA cache_size=-65536");
  run(database, "BEGIN");
  sqlite3_stmt* insert = nullptr;
  sqlite3_prepare_v2(database, "INSERT INTO GraphData VALUES ('05/12/2026', ?, ?, ?)", -1, &insert, nullptr);
  for (int n = 1; n <= rows; ++n) {
    const int second = n % 86400;
    char time[16];
    const int length = std::snprintf(time, sizeof time, "%02d:%02d:%02d", second / 3600, second / 60 % 60, second % 60);
    sqlite3_bind_text(insert, 1, time, length, SQLITE_TRANSIENT);
    sqlite3_bind_double(insert, 2, n);
    sqlite3_bind_double(insert, 3, 5.0 + (n % 100) / 100.0);
    if (sqlite3_step(insert) != SQLITE_DONE) qFatal("insert failed");
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  run(database, "COMMIT");
  run(database, "PRAGMA journal_mode=WAL");
  sqlite3_close(database);
}

}  // namespace kelvane::bench
