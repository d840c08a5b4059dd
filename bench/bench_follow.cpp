// Following new rows: a clock tick's check of a table of 1 000 000 rows when no row has come,
// beside the same indexed query run bare on the engine's own interface, in the same run, and
// beside the clock's own tick.
#include "BenchDatabase.h"
#include "BenchSupport.h"
#include "chart/ChartFonts.h"
#include "handlers/ChartPeriod.h"
#include "handlers/FollowNewRows.h"
#include "handlers/QueryDialog.h"
#include "handlers/DatabaseButton.h"
#include "entry/ResetAndClock.h"
#include "support/MeasurementDatabase.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <libpq-fe.h>
#include <sqlite3.h>


using namespace kelvane;

namespace {

constexpr int kRows = 1000000;
// What a tick asks on its held connection: the rows above the chart's newest, through the index.
const char* const kCheck = "SELECT Date, Time, number, Data FROM GraphData WHERE number > 1000000 ORDER BY number";

// The check on a connection held open, on the calling thread.
class BareSqliteCheck {
 public:
  explicit BareSqliteCheck(const QString& path) {
    sqlite3_open_v2(path.toUtf8().constData(), &database_, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    if (sqlite3_prepare_v2(database_, kCheck, -1, &check_, nullptr) != SQLITE_OK) qFatal("prepare");
  }
  ~BareSqliteCheck() {
    sqlite3_finalize(check_);
    sqlite3_close(database_);
  }
  void run() {
    if (sqlite3_step(check_) != SQLITE_DONE) qFatal("a row above the newest");
    sqlite3_reset(check_);
  }

 private:
  sqlite3* database_ = nullptr;
  sqlite3_stmt* check_ = nullptr;
};

class BarePostgresCheck {
 public:
  explicit BarePostgresCheck(const QString& uri) : connection_(PQconnectdb(uri.toUtf8().constData())) {
    PQclear(PQprepare(connection_, "check", kCheck, 0, nullptr));
  }
  ~BarePostgresCheck() { PQfinish(connection_); }
  void run() {
    PGresult* result = PQexecPrepared(connection_, "check", 0, nullptr, nullptr, nullptr, 0);
    if (PQresultStatus(result) != PGRES_TUPLES_OK || PQntuples(result) != 0) qFatal("check failed");
    PQclear(result);
  }

 private:
  PGconn* connection_;
};

// The follow tick and the bare check taken in turns, so that both see the same load of a shared
// machine; the recent rows charted first, as the Database button leaves them.
template <typename Bare>
void reportTicks(const QString& engine, const QString& source, Bare& bare) {
  bench::BenchProgram station;
  station.state.DatabasePath = source;
  btnSPRT_Click(station.program);
  NewRowsWatch watch;
  mnuFollow_Click(station.program, watch, true);
  for (int warm = 0; warm < 100; ++warm) bench::followTick(station.program, watch);
  bench::Timings ticks, bareChecks, clockTicks;
  QElapsedTimer timer;
  for (int run = 0; run < 5000; ++run) {
    timer.start();
    bench::followTick(station.program, watch);
    ticks.add(timer.nsecsElapsed() / 1e6);
    timer.start();
    bare.run();
    bareChecks.add(timer.nsecsElapsed() / 1e6);
    timer.start();
    TimerCurrentTime_Timer(station.program);
    clockTicks.add(timer.nsecsElapsed() / 1e6);
  }
  station.requireNoMessage();
  if (!station.state.FollowNewRows || station.state.Followable->newest != kRows) qFatal("not following");
  bench::report(engine + QStringLiteral(": follow tick with no new row, median"), ticks.median(), 0.1);
  bench::report(engine + QStringLiteral(": follow tick with no new row, p99"), ticks.p99());
  bench::report(engine + QStringLiteral(": bare check on a held connection, median"), bareChecks.median());
  bench::report(engine + QStringLiteral(": follow tick as a multiple of the bare check"), ticks.median() / bareChecks.median(), 0,
                QStringLiteral("times"));
  bench::report(engine + QStringLiteral(": clock tick (time and date labels), median"), clockTicks.median());
}

// A followed Last-24-hours chart of a row a second: each tick gains the row another connection
// has just added, and drops the one the day has passed.
void reportSlidingDay() {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("day.db"));
  constexpr int kDay = 86400;
  bench::createGraphData(path, kDay);
  SetClock clock(bench::graphDataMoment(kDay));
  bench::BenchProgram station(clock);
  ProgramState& state = station.state;
  const Environment& env = station.env;
  Program& program = station.program;
  state.DatabasePath = path;
  const Period day = quickRange(QuickRange::LastDay, clock.now());
  if (!chartQuery(program, periodQuery(day, env.regional), day)) qFatal("the day was not charted");
  NewRowsWatch watch;
  mnuFollow_Click(program, watch, true);
  bench::followTick(program, watch);
  sqlite3* writer = nullptr;
  sqlite3_open_v2(path.toUtf8().constData(), &writer, SQLITE_OPEN_READWRITE, nullptr);
  bench::Timings ticks;
  QElapsedTimer timer;
  for (int second = 1; second <= 300; ++second) {
    clock.set(bench::graphDataMoment(kDay + second));
    bench::addCollectedRow(writer, kDay + second);
    timer.start();
    bench::followTick(program, watch);
    ticks.add(timer.nsecsElapsed() / 1e6);
    if (state.Followable->newest != kDay + second) qFatal("tick %d took no new row", second);
  }
  sqlite3_close(writer);
  station.requireNoMessage();
  if (state.ChartRecordCount != kDay + 1) qFatal("charted %d rows", state.ChartRecordCount);
  bench::report(QStringLiteral("SQLite: follow tick of a Last-24-hours chart of 86 400 rows gaining one row, median"),
                ticks.median(), 1);
  bench::report(QStringLiteral("SQLite: the same, p99"), ticks.p99());
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  installChartFonts();
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("follow.db"));
  bench::createGraphData(path, kRows);
  BareSqliteCheck sqlite(path);
  reportTicks(QStringLiteral("SQLite, 1 000 000 rows"), path, sqlite);
  reportSlidingDay();

  testing::MeasurementDatabases databases;
  if (!databases.start()) qFatal("no PostgreSQL server: %s", qPrintable(databases.errorText()));
  const auto server = databases.make(testing::EngineKind::Postgres, folder.path());
  server->withGraphData().run(
      QStringLiteral("INSERT INTO GraphData SELECT '05/12/2026', '00:00:00', n, 5 FROM generate_series(1, %1) n").arg(kRows));
  server->run(QStringLiteral("ANALYZE GraphData"));
  BarePostgresCheck postgres(databases.uri());
  reportTicks(QStringLiteral("PostgreSQL, 1 000 000 rows"), server->dataSource(), postgres);
  return 0;
}
