// The leak alarm's check of followed rows: a table gaining 10 rows a second, each row checked
// against A, beside the same table followed without limits, in the same run, the two ticks taken
// in turns so that both see the same load of a shared machine.
#include "BenchDatabase.h"
#include "BenchSupport.h"
#include "chart/ChartFonts.h"
#include "handlers/FollowNewRows.h"
#include "handlers/DatabaseButton.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <memory>

using namespace kelvane;

namespace {

constexpr int kRows = 86400;
constexpr int kRowsASecond = 10;
constexpr int kSeconds = 300;

// A station following the recent rows of its own copy of the table, which a collector of its own
// fills.
struct Followed {
  Followed(const QString& path, std::optional<LeakLimits> limits) {
    bench::createGraphData(path, kRows);
    station.state.DatabasePath = path;
    station.state.Limits = limits;
    btnSPRT_Click(station.program);
    mnuFollow_Click(station.program, watch, true);
    bench::followTick(station.program, watch);
    sqlite3_open_v2(path.toUtf8().constData(), &collector, SQLITE_OPEN_READWRITE, nullptr);
  }
  ~Followed() { sqlite3_close(collector); }

  // The rows of one second, in one transaction, then the tick that takes them up.
  void tick(int second, double value = 5.5) {
    QByteArray rows = "BEGIN;";
    for (int i = 1; i <= kRowsASecond; ++i) {
      const qint64 number = kRows + qint64(second - 1) * kRowsASecond + i;
      const QDateTime at = bench::graphDataMoment(number);
      rows += QStringLiteral("INSERT INTO GraphData VALUES ('%1', '%2', %3, %4);")
                  .arg(station.env.regional.dateText(at.date()), station.env.regional.timeText(at.time()))
                  .arg(number)
                  .arg(value + i * 0.01)
                  .toUtf8();
    }
    if (sqlite3_exec(collector, rows + "COMMIT;", nullptr, nullptr, nullptr) != SQLITE_OK) qFatal("insert failed");
    QElapsedTimer timer;
    timer.start();
    bench::followTick(station.program, watch);
    ticks.add(timer.nsecsElapsed() / 1e6);
    if (station.state.Followable->newest != kRows + second * kRowsASecond) qFatal("tick %d took no new rows", second);
  }

  bench::BenchProgram station;
  NewRowsWatch watch;
  sqlite3* collector = nullptr;
  bench::Timings ticks;
};

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  installChartFonts();
  QTemporaryDir folder;
  // A above the values: every row is checked, none raises the alarm while the ticks are timed.
  Followed checked(folder.filePath(QStringLiteral("checked.db")), LeakLimits{7, 4, LimitForm::Ratio, {}, {}});
  Followed bare(folder.filePath(QStringLiteral("bare.db")), std::nullopt);
  for (int second = 1; second <= kSeconds; ++second) {
    checked.tick(second);
    bare.tick(second);
  }
  checked.station.requireNoMessage();
  bare.station.requireNoMessage();
  if (!checked.station.window.banner.text.isEmpty()) qFatal("an alarm was raised");
  bench::report(QStringLiteral("SQLite: follow tick of 10 new rows each checked against A, median"), checked.ticks.median());
  bench::report(QStringLiteral("SQLite: the same without limits, median"), bare.ticks.median());
  bench::report(QStringLiteral("SQLite: follow tick checking against A as a multiple of one without"),
                checked.ticks.median() / bare.ticks.median(), 1.05, QStringLiteral("times"));
  checked.station.env.logFilePath = folder.filePath(QStringLiteral("Logfile.txt"));
  checked.tick(kSeconds + 1, 150);
  if (checked.station.window.banner.text.isEmpty()) qFatal("a row above A raised no alarm: the rows were not checked");

  return 0;
}
