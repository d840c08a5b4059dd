// A period charted from a station's long table: Last hour charted (read, loaded and drawn on a
// painted picture) from 10 000 000 rows, as a multiple of the same hour from 100 000 rows, through
// the index on (Date, Time); beside it the same chart from the table before kelvane-db index added
// the index (a full scan, as every period was read before), and the time kelvane-db index took.
// SQLite, then PostgreSQL on a throwaway server.
#include "BenchDatabase.h"
#include "BenchSupport.h"
#include "chart/ChartFonts.h"
#include "handlers/ChartPeriod.h"
#include "handlers/QueryDialog.h"
#include "support/MeasurementDatabase.h"

#include <QGuiApplication>
#include <QTemporaryDir>

using namespace kelvane;

namespace {

constexpr qint32 kSmall = 100000, kLarge = 10000000;
constexpr int kHourRows = 3601;  // both ends included

double chartedMs(bench::BenchProgram& station, const QString& source, qint32 rows) {
  station.state.DatabasePath = source;
  const Period lastHour = quickRange(QuickRange::LastHour, bench::graphDataMoment(rows));
  QElapsedTimer timer;
  timer.start();
  const bool charted = chartQuery(station.program, periodQuery(lastHour, station.env.regional));
  station.picture.image();
  const double elapsed = timer.nsecsElapsed() / 1e6;
  station.requireNoMessage();
  if (!charted || station.state.ChartRecordCount != kHourRows) qFatal("charted %d rows", station.state.ChartRecordCount);
  return elapsed;
}

// A full scan of ten million rows takes a second or more: three runs.
bench::Timings fullScans(bench::BenchProgram& station, const QString& source) {
  bench::Timings timings;
  for (int run = 0; run < 3; ++run) timings.add(chartedMs(station, source, kLarge));
  return timings;
}

double addIndexSeconds(const QString& source) {
  QElapsedTimer timer;
  timer.start();
  if (db::addIndex(db::Target(source)) != db::Exit::Ok) qFatal("kelvane-db index failed");
  return timer.nsecsElapsed() / 1e9;
}

// The same hour from both tables in turns, so that both see the same load of a shared machine.
std::pair<double, double> smallAndLarge(bench::BenchProgram& station, const QString& small, const QString& large) {
  bench::Timings smallTimes, largeTimes;
  QElapsedTimer total;
  total.start();
  for (int run = -3; run < 30 || total.elapsed() < 3000; ++run) {  // three to warm up
    const double smallMs = chartedMs(station, small, kSmall), largeMs = chartedMs(station, large, kLarge);
    if (run < 0) continue;
    smallTimes.add(smallMs);
    largeTimes.add(largeMs);
  }
  return {smallTimes.median(), largeTimes.median()};
}

void report(const QString& engine, std::pair<double, double> charted, double scanned, double indexing, double largeTarget) {
  const QString hour = engine + QStringLiteral(": Last hour charted from ");
  bench::report(hour + QStringLiteral("100 000 rows, median"), charted.first);
  bench::report(hour + QStringLiteral("10 000 000 rows, median"), charted.second, largeTarget);
  bench::report(hour + QStringLiteral("10 000 000 rows as a multiple of 100 000"), charted.second / charted.first, 2,
                QStringLiteral("times"));
  bench::report(hour + QStringLiteral("10 000 000 rows without the index, median"), scanned);
  bench::report(engine + QStringLiteral(": kelvane-db index on 10 000 000 rows"), indexing, 0, QStringLiteral("s"));
}

// Rows as createGraphData writes them, made on the server; the index on (Date, Time) is left to
// kelvane-db index. ANALYZE as autovacuum would soon after.
void fillServer(testing::MeasurementDatabase& server, qint32 rows) {
  server.withGraphData().run(QStringLiteral("DROP INDEX GraphDataDateTime"));
  server.run(QStringLiteral("INSERT INTO GraphData SELECT to_char(m, 'DD/MM/YYYY'), to_char(m, 'HH24:MI:SS'), n, "
                            "5 + (n % 100) / 100.0 FROM generate_series(1, %1) AS n, "
                            "LATERAL (SELECT timestamp '2026-01-01' + (n - 1) * interval '1 second' AS m) AS t")
                 .arg(rows));
  server.run(QStringLiteral("ANALYZE GraphData"));
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  installChartFonts();
  QTemporaryDir folder;
  bench::BenchProgram station;

  const QString small = folder.filePath(QStringLiteral("small.db")), large = folder.filePath(QStringLiteral("large.db"));
  bench::createGraphData(small, kSmall);
  bench::createGraphData(large, kLarge, false);
  const double scanned = fullScans(station, large).median();
  const double indexing = addIndexSeconds(large);
  report(QStringLiteral("SQLite"), smallAndLarge(station, small, large), scanned, indexing, 20);
  QFile::remove(large);

  testing::MeasurementDatabases databases;
  if (!databases.start()) qFatal("no PostgreSQL server: %s", qPrintable(databases.errorText()));
  const QString smallUri = databases.server().createDatabase(QStringLiteral("small"));
  testing::PostgresMeasurementDatabase smallServer(
      databases.server(), QStringLiteral("small"),
      testing::PostgresServer::writeConnectionFile(folder.path(), smallUri, QStringLiteral("small.kvconn")));
  fillServer(smallServer, kSmall);
  addIndexSeconds(smallServer.dataSource());
  const auto largeServer = databases.make(testing::EngineKind::Postgres, folder.path());
  fillServer(*largeServer, kLarge);
  const double scannedOnServer = fullScans(station, largeServer->dataSource()).median();
  const double indexingOnServer = addIndexSeconds(largeServer->dataSource());
  report(QStringLiteral("PostgreSQL"), smallAndLarge(station, smallServer.dataSource(), largeServer->dataSource()),
         scannedOnServer, indexingOnServer, 0);
  return 0;
}
