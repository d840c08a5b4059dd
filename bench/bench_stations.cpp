// Several stations on one chart. Four stations of 1 000 000 rows each charted by one query (read at
// once, each on a worker of its own, loaded and drawn on a painted picture) against the sum of the
// four charted one at a time in the same run; the peak memory the chart of the four adds per row;
// a followed tick of a Last-24-hours chart of four stations of a day each, each gaining a row,
// against the same tick of one station.
#include "BenchDatabase.h"
#include "BenchSupport.h"
#include "chart/ChartFonts.h"
#include "entry/ProgramChart.h"
#include "handlers/ChartPeriod.h"
#include "handlers/QueryDialog.h"

#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <sqlite3.h>

using namespace kelvane;

namespace {

const QString kQuery = QStringLiteral("SELECT Date, Time, number, Data FROM GraphData");
constexpr qint32 kRows = 1000000;
constexpr int kDay = 86400;

// The chosen database's rows charted by the query, with the stations beside it.
double chartedMs(bench::BenchProgram& station, const QString& chosen, const QList<ComparedStation>& beside) {
  station.state.DatabasePath = chosen;
  station.state.Stations = beside;
  QElapsedTimer timer;
  timer.start();
  if (!chartQuery(station.program, kQuery, std::nullopt)) qFatal("nothing charted");
  station.picture.image();
  const double elapsed = timer.nsecsElapsed() / 1e6;
  station.requireNoMessage();
  if (station.picture.LastChart()->input.series.size() != std::size_t(beside.size()) + 1) qFatal("a station is missing");
  return elapsed;
}

QList<ComparedStation> stationsOf(const QStringList& paths) {
  QList<ComparedStation> stations;
  for (const QString& path : paths) stations.append({path, stationName(path)});
  return stations;
}

// In a process of its own: the resident memory the chart of the stations adds at its peak, per row.
int measurePeak(const QStringList& paths) {
  bench::BenchProgram station;
  const qint64 before = bench::residentBeforeChart(station);
  chartedMs(station, paths.front(), stationsOf(paths.mid(1)));
  QTextStream(stdout) << bench::peakBytesPerRow(before, double(kRows) * paths.size()) << '\n';
  return 0;
}

// A followed Last-24-hours chart of the stations on the time scale, a day of rows a second each:
// each tick every station gains the row its collector has just added. The median tick.
double followedTickMs(const QStringList& paths) {
  SetClock clock(bench::graphDataMoment(kDay));
  bench::BenchProgram station(clock);
  ProgramState& state = station.state;
  const Environment& env = station.env;
  Program& program = station.program;
  state.DatabasePath = paths.front();
  state.Stations = stationsOf(paths.mid(1));
  state.TimeScale = true;  // one station as several are always charted
  const Period day = quickRange(QuickRange::LastDay, clock.now());
  if (!chartQuery(program, periodQuery(day, env.regional), day)) qFatal("the day was not charted");
  NewRowsWatch watch;
  mnuFollow_Click(program, watch, true);
  bench::followTick(program, watch);
  std::vector<sqlite3*> writers(std::size_t(paths.size()), nullptr);
  for (int i = 0; i < paths.size(); ++i)
    sqlite3_open_v2(paths[i].toUtf8().constData(), &writers[std::size_t(i)], SQLITE_OPEN_READWRITE, nullptr);
  bench::Timings ticks;
  QElapsedTimer timer;
  for (int second = 1; second <= 100; ++second) {
    clock.set(bench::graphDataMoment(kDay + second));
    for (sqlite3* writer : writers) bench::addCollectedRow(writer, kDay + second);
    timer.start();
    bench::followTick(program, watch);
    ticks.add(timer.nsecsElapsed() / 1e6);
  }
  for (sqlite3* writer : writers) sqlite3_close(writer);
  for (const ChartSeries& series : station.picture.LastChart()->input.series)
    if (series.rows.count != kDay + 1) qFatal("%s holds %d rows", qPrintable(series.name), series.rows.count);
  station.requireNoMessage();
  watch.shutdown(std::chrono::steady_clock::now() + std::chrono::seconds(5));
  return ticks.median();
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  installChartFonts();
  const QStringList arguments = app.arguments();
  if (arguments.value(1) == QLatin1String("--peak")) return measurePeak(arguments.mid(2));

  QTemporaryDir folder;
  QStringList paths;
  for (int i = 1; i <= 4; ++i) {
    paths << folder.filePath(QStringLiteral("station%1.db").arg(i));
    bench::createGraphData(paths.back(), kRows);
  }
  // One at a time on the time scale, as the chart of several stations always is, and by record.
  bench::BenchProgram station;
  double alone = 0, byRecord = 0;
  for (const QString& path : paths) {
    station.state.TimeScale = true;
    alone += bench::measure([&] { chartedMs(station, path, {}); }, 3, 0).median();
    station.state.TimeScale = false;
    byRecord += bench::measure([&] { chartedMs(station, path, {}); }, 3, 0).median();
  }
  const double together = bench::measure([&] { chartedMs(station, paths.front(), stationsOf(paths.mid(1))); }, 3, 0).median();
  bench::report(QStringLiteral("SQLite: 4 stations of 1 000 000 rows charted one at a time on the time scale, the sum"), alone);
  bench::report(QStringLiteral("SQLite: the same by record, the sum"), byRecord);
  bench::report(QStringLiteral("SQLite: the 4 charted together"), together);
  bench::report(QStringLiteral("SQLite: the 4 together as a multiple of the sum on the time scale"), together / alone, 1.2,
                QStringLiteral("times"));

  QProcess child;
  child.start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--peak")} + paths);
  if (!child.waitForFinished(600000) || child.exitCode() != 0) qFatal("the peak was not measured");
  bench::report(QStringLiteral("SQLite: the 4 charted together, peak memory per row"),
                child.readAllStandardOutput().trimmed().toDouble(), 32, QStringLiteral("bytes"));

  // Each run on files of its own: a followed run leaves its collector's rows behind.
  QStringList days;
  for (int i = 0; i <= 4; ++i) {
    days << folder.filePath(QStringLiteral("day%1.db").arg(i));
    bench::createGraphData(days.back(), kDay);
  }
  const double one = followedTickMs(days.mid(0, 1)), four = followedTickMs(days.mid(1));
  bench::report(QStringLiteral("SQLite: follow tick of a Last-24-hours chart of one station, median"), one);
  bench::report(QStringLiteral("SQLite: the same of 4 stations, median"), four);
  bench::report(QStringLiteral("SQLite: the tick of 4 stations as a multiple of one's"), four / one, 4, QStringLiteral("times"));
  return 0;
}
