// The charts of stored rows. The Database button on 1 000 000 rows; an operator's query of
// 1 000 000 and of 10 000 000 rows charted (read, loaded and drawn on a painted picture) as a
// multiple of the engine's own bare loop over the same query in the same run, and how much of it
// the drawing alone takes; the query of 10 000 000 rows on the time scale against the bare loop and
// against the same chart by record, and the summary of its rows; the peak memory a chart adds per
// row; the longest the window waits between two events while rows are read; the time from Cancel
// to the end of the handler; the leak decisions of 10 000 000 rows listed.
// PostgreSQL beside SQLite, on 1 000 000 rows of a throwaway server.
#include "BenchDatabase.h"
#include "BenchSupport.h"
#include "chart/ChartFonts.h"
#include "chart/DrawChart.h"
#include "entry/ProgramChart.h"
#include "handlers/LeakDecisions.h"
#include "handlers/QueryDialog.h"
#include "handlers/DatabaseButton.h"
#include "handlers/SummaryLines.h"
#include "shell/RowsProgress.h"
#include "support/MeasurementDatabase.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <sqlite3.h>

#include <algorithm>
#include <cstdlib>

using namespace kelvane;

namespace {

const QString kQuery = QStringLiteral("SELECT Date, Time, number, Data FROM GraphData");

// The floor: SQLite's own loop over the query, reading the four columns as any reader must.
double bareSqliteMs(const QString& path) {
  QElapsedTimer timer;
  timer.start();
  sqlite3* database = nullptr;
  sqlite3_open_v2(path.toUtf8().constData(), &database, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(database, kQuery.toUtf8().constData(), -1, &statement, nullptr) != SQLITE_OK) qFatal("prepare");
  double sum = 0;
  while (sqlite3_step(statement) == SQLITE_ROW) {
    sum += sqlite3_column_bytes(statement, 0) + *sqlite3_column_text(statement, 0);
    sum += sqlite3_column_bytes(statement, 1) + *sqlite3_column_text(statement, 1);
    sum += sqlite3_column_double(statement, 2) + sqlite3_column_double(statement, 3);
  }
  sqlite3_finalize(statement);
  sqlite3_close(database);
  if (sum == 0) qFatal("no rows");
  return timer.nsecsElapsed() / 1e6;
}

// The floor on PostgreSQL: libpq's own loop in single-row mode, the numbers read from their texts.
double barePostgresMs(const QString& uri) {
  QElapsedTimer timer;
  timer.start();
  PGconn* connection = PQconnectdb(uri.toUtf8().constData());
  if (!PQsendQuery(connection, kQuery.toUtf8().constData()) || !PQsetSingleRowMode(connection)) qFatal("send");
  double sum = 0;
  while (PGresult* row = PQgetResult(connection)) {
    if (PQresultStatus(row) == PGRES_SINGLE_TUPLE)
      sum += PQgetlength(row, 0, 0) + PQgetlength(row, 0, 1) + std::strtod(PQgetvalue(row, 0, 2), nullptr) +
             std::strtod(PQgetvalue(row, 0, 3), nullptr);
    PQclear(row);
  }
  PQfinish(connection);
  if (sum == 0) qFatal("no rows");
  return timer.nsecsElapsed() / 1e6;
}

// The query dialog's query, charted on the main window's painted picture; the reading thread
// is the fake window's. With drawnMs, how long drawing the same chart again takes alone.
double chartedMs(bench::BenchProgram& station, const QString& source, qint32 rows, double* drawnMs = nullptr) {
  station.state.DatabasePath = source;
  testing::FakeQueryDialog query;
  query.text = kQuery;
  QElapsedTimer timer;
  timer.start();
  btnSelect_Click(station.program, query);
  station.picture.image();
  const double elapsed = timer.nsecsElapsed() / 1e6;
  station.requireNoMessage();
  if (station.state.ChartRecordCount != rows) qFatal("charted %d rows", station.state.ChartRecordCount);
  if (drawnMs) {
    timer.start();
    stdKelvane::DrawChartAgain(station.picture, *station.picture.LastChart(), station.env);
    station.picture.image();
    *drawnMs = timer.nsecsElapsed() / 1e6;
  }
  return elapsed;
}

// The main window's own wait, with a clock of 10 ms that notes the longest gap between its ticks,
// and a Cancel pressed when asked for.
struct ProgressWindow : testing::FakeMainWindow {
  using FakeMainWindow::FakeMainWindow;
  void waitForRows(JobControl& job) override {
    QTimer ticks;
    QElapsedTimer since;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
      largestGapMs = std::max(largestGapMs, since.nsecsElapsed() / 1e6);
      since.restart();
    });
    ticks.setTimerType(Qt::PreciseTimer);
    ticks.start(10);
    since.start();
    if (cancelAfterMs > 0) QTimer::singleShot(cancelAfterMs, &ticks, [this] { pressCancel(); });
    waitWithProgress(job, nullptr);
    largestGapMs = std::max(largestGapMs, since.nsecsElapsed() / 1e6);
  }
  void pressCancel() {
    for (QWidget* window : QApplication::topLevelWidgets())
      if (window->objectName() == QLatin1String("dlgProgress") && window->isVisible()) {
        cancelPressed.start();
        window->findChild<QPushButton*>()->click();
      }
  }
  int cancelAfterMs = 0;
  double largestGapMs = 0;
  QElapsedTimer cancelPressed;
};

// The longest gap while the query's rows are read; with cancelAfterMs, the time from Cancel to the
// end of the handler instead.
double waitedMs(const QString& source, const QString& sql, int cancelAfterMs = 0) {
  bench::BenchProgram station;
  ProgressWindow window(station.picture);
  window.cancelAfterMs = cancelAfterMs;
  Program program{station.state, station.env, window, station.entered, station.store, station.reader};
  station.state.DatabasePath = source;
  testing::FakeQueryDialog query;
  query.text = sql;
  btnSelect_Click(program, query);
  station.requireNoMessage();
  if (cancelAfterMs == 0) return window.largestGapMs;
  if (!window.cancelPressed.isValid()) qFatal("the read ended before Cancel");
  return window.cancelPressed.nsecsElapsed() / 1e6;
}

// In a process of its own, so that nothing read before counts: the resident memory that charting
// the query adds at its peak (the kernel's high-water mark, reset just before), per row.
int measurePeak(const QString& source, qint32 rows) {
  bench::BenchProgram station;
  const qint64 before = bench::residentBeforeChart(station);
  chartedMs(station, source, rows);
  QTextStream(stdout) << bench::peakBytesPerRow(before, rows) << '\n';
  return 0;
}

double peakBytesPerRow(const QString& source, qint32 rows) {
  QProcess child;
  child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--peak"), source, QString::number(rows)});
  if (!child.waitForFinished(600000) || child.exitCode() != 0) qFatal("the peak was not measured");
  return child.readAllStandardOutput().trimmed().toDouble();
}

void reportCharting(const QString& engine, const QString& rows, const bench::Timings& bare, const bench::Timings& charted,
                    const bench::Timings& drawn, double peak) {
  const QString what = QStringLiteral("%1: %2 rows").arg(engine, rows);
  bench::report(what + QStringLiteral(", bare loop"), bare.median());
  bench::report(what + QStringLiteral(" charted (read, load, draw)"), charted.median());
  bench::report(what + QStringLiteral(", the chart drawn again alone"), drawn.median());
  bench::report(what + QStringLiteral(" charted as a multiple of the bare loop"), charted.median() / bare.median(), 1.5,
                QStringLiteral("times"));
  bench::report(what + QStringLiteral(" read and loaded as a multiple of the bare loop"),
                (charted.median() - drawn.median()) / bare.median(), 0, QStringLiteral("times"));
  bench::report(what + QStringLiteral(" charted, peak memory per row"), peak, 32, QStringLiteral("bytes"));
}

// Database > Leak decisions... on the chart of 10 000 000 rows, a tenth of them at or above A in
// 100 000 stretches: the list computed and its first screenful of lines made, against a bare pass
// over the chart's values.
void reportDecisions(bench::BenchProgram& station) {
  station.state.Limits = LeakLimits{5.895, 1, LimitForm::LogRatio, {}, {}};
  const bench::Timings listed = bench::measure(
      [&] {
        const DecisionsList list = listDecisions(station.program);
        for (std::size_t line = 0; line < std::min<std::size_t>(30, list.stretches.size()); ++line)
          if (decisionLine(list, line, station.env.regional).isEmpty()) qFatal("no line");
      },
      5);
  const QList<float>& values = station.picture.LastChart()->input.series.front().values;
  float lowest = 0;
  const bench::Timings bare = bench::measure([&] {
    for (const float value : values) lowest = std::min(lowest, value);
  }, 5);
  if (lowest < 0) qFatal("values below 0");
  station.state.Limits.reset();
  bench::report(QStringLiteral("SQLite: 10 000 000 rows, the leak decisions listed (median)"), listed.median(), 1000);
  bench::report(QStringLiteral("SQLite: 10 000 000 rows, the leak decisions as a multiple of a bare pass"),
                listed.median() / bare.median(), 0, QStringLiteral("times"));
}

// Database > Summary... of the chart of 10 000 000 rows, drawn on the time scale and by record (whose
// rows are then put in time order anew), against a bare pass over the rows' Data.
void reportSummary(bench::BenchProgram& station, const QString& path) {
  const StoredColumn& data = *station.picture.LastChart()->input.series.front().rows.columns->data;
  double sum = 0;
  const bench::Timings bare = bench::measure([&] {
    for (qsizetype row = 0; row < data.size(); ++row) sum += data.numberAt(row).value_or(0);
  }, 5);
  if (sum == 0) qFatal("no values");
  for (const bool timeScale : {true, false}) {
    station.state.TimeScale = timeScale;
    chartedMs(station, path, 10000000);
    const bench::Timings summary = bench::measure([&] {
      if (summaryLines(station.program).isEmpty()) qFatal("no summary");
    }, 5);
    const QString chart = timeScale ? QStringLiteral("on the time scale") : QStringLiteral("by record");
    bench::report(QStringLiteral("SQLite: 10 000 000 rows %1, the summary (median)").arg(chart), summary.median(), 200);
    bench::report(QStringLiteral("SQLite: 10 000 000 rows %1, the summary as a multiple of a bare pass over Data").arg(chart),
                  summary.median() / bare.median(), 0, QStringLiteral("times"));
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  installChartFonts();
  const QStringList arguments = app.arguments();
  if (arguments.value(1) == QLatin1String("--peak")) return measurePeak(arguments.value(2), arguments.value(3).toInt());

  QTemporaryDir folder;
  bench::BenchProgram station;
  {
    const QString path = folder.filePath(QStringLiteral("recent.db"));
    bench::createGraphData(path, 1000000);
    station.state.DatabasePath = path;
    const bench::Timings recent = bench::measure([&] { btnSPRT_Click(station.program); }, 200, 3000);
    station.requireNoMessage();
    bench::report(QStringLiteral("Database button on 1 000 000 rows, median"), recent.median(), 5);
    bench::report(QStringLiteral("Database button on 1 000 000 rows, p99"), recent.p99());
  }

  for (const qint32 rows : {1000000, 10000000}) {
    const QString path = folder.filePath(QStringLiteral("rows-%1.db").arg(rows));
    const QString shown = rows == 1000000 ? QStringLiteral("1 000 000") : QStringLiteral("10 000 000");
    bench::createGraphData(path, rows);
    // Taken in turns, so that both see the same load of a shared machine; a single run of the
    // larger set strayed by a third from one run to the next.
    // The larger set also on the time scale, each run beside one by record: the ratio is taken
    // within the pair.
    bench::Timings bare, charted, drawn, timed, timedDrawn, overRecord;
    for (int run = 0; run < (rows == 1000000 ? 5 : 3); ++run) {
      double drawing = 0, onTimeScale = 0;
      bare.add(bareSqliteMs(path));
      if (rows > 1000000) {
        station.state.TimeScale = true;
        timed.add(onTimeScale = chartedMs(station, path, rows, &drawing));
        timedDrawn.add(drawing);
        station.state.TimeScale = false;
      }
      const double byRecord = chartedMs(station, path, rows, &drawing);
      charted.add(byRecord);
      drawn.add(drawing);
      if (rows > 1000000) overRecord.add(onTimeScale / byRecord);
    }
    reportCharting(QStringLiteral("SQLite"), shown, bare, charted, drawn, peakBytesPerRow(path, rows));
    if (rows == 1000000) continue;
    bench::report(QStringLiteral("SQLite: 10 000 000 rows charted on the time scale (read, load, draw)"), timed.median());
    bench::report(QStringLiteral("SQLite: 10 000 000 rows on the time scale, the chart drawn again alone"), timedDrawn.median());
    bench::report(QStringLiteral("SQLite: 10 000 000 rows charted on the time scale as a multiple of the bare loop"),
                  timed.median() / bare.median(), 1.5, QStringLiteral("times"));
    bench::report(QStringLiteral("SQLite: 10 000 000 rows charted on the time scale as a multiple of by record"),
                  overRecord.median(), 1.1, QStringLiteral("times"));
    reportSummary(station, path);
    reportDecisions(station);
    bench::report(QStringLiteral("SQLite: longest wait between two events, 10 000 000 rows read"), waitedMs(path, kQuery),
                  100);
    bench::report(QStringLiteral("SQLite: Cancel to the end of the handler, mid-read"), waitedMs(path, kQuery, 1000), 200);
    QFile::remove(path);
  }

  testing::MeasurementDatabases databases;
  if (!databases.start()) qFatal("no PostgreSQL server: %s", qPrintable(databases.errorText()));
  const auto server = databases.make(testing::EngineKind::Postgres, folder.path());
  server->withGraphData().run(QStringLiteral(
      "INSERT INTO GraphData SELECT '05/12/2026', to_char(timestamp '2026-12-05' + n * interval '1 second', 'HH24:MI:SS'), "
      "n, 5 + (n % 100) / 100.0 FROM generate_series(1, 1000000) n"));
  bench::Timings bare, charted, drawn;
  for (int run = 0; run < 3; ++run) {
    double drawing = 0;
    bare.add(barePostgresMs(databases.uri()));
    charted.add(chartedMs(station, server->dataSource(), 1000000, &drawing));
    drawn.add(drawing);
  }
  reportCharting(QStringLiteral("PostgreSQL"), QStringLiteral("1 000 000"), bare, charted, drawn,
                 peakBytesPerRow(server->dataSource(), 1000000));
  bench::report(QStringLiteral("PostgreSQL: longest wait between two events, 1 000 000 rows read"),
                waitedMs(server->dataSource(), kQuery), 100);
  bench::report(QStringLiteral("PostgreSQL: Cancel to the end of the handler, mid-read"),
                waitedMs(server->dataSource(), kQuery + QStringLiteral(" CROSS JOIN generate_series(1, 100)"), 1000), 200);
  return 0;
}
