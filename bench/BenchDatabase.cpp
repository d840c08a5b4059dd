#include "BenchDatabase.h"

#include "Commands.h"
#include "Failure.h"

#include <QTime>

#include <sqlite3.h>

namespace kelvane::bench {

void createGraphData(const QString& path, int rows) {
  try {
    db::createMeasurementDatabase(db::Target(path));
  } catch (const db::Failure& failure) {
    qFatal("cannot create %s: %s", qPrintable(path), qPrintable(failure.message));
  }
  sqlite3* database = nullptr;
  if (sqlite3_open_v2(path.toUtf8().constData(), &database, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
    qFatal("cannot open %s", qPrintable(path));
  sqlite3_stmt* insert = nullptr;
  sqlite3_exec(database, "BEGIN", nullptr, nullptr, nullptr);
  sqlite3_prepare_v2(database, "INSERT INTO GraphData VALUES ('05/12/2026', ?, ?, ?)", -1, &insert, nullptr);
  for (int n = 1; n <= rows; ++n) {
    const QByteArray time = QTime(0, 0).addSecs(n % 86400).toString(QStringLiteral("HH:mm:ss")).toLatin1();
    sqlite3_bind_text(insert, 1, time.constData(), int(time.size()), SQLITE_TRANSIENT);
    sqlite3_bind_double(insert, 2, n);
    sqlite3_bind_double(insert, 3, 5.0 + (n % 100) / 100.0);
    if (sqlite3_step(insert) != SQLITE_DONE) qFatal("insert failed");
    sqlite3_reset(insert);
  }
  sqlite3_finalize(insert);
  if (sqlite3_exec(database, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK) qFatal("commit failed");
  sqlite3_close(database);
}

}  // namespace kelvane::bench
