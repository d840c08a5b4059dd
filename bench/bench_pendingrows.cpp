// Kept rows: a press of Input while rows wait for their database, and the clock's delivery tick
// with nothing waiting. Compared, in the same run, with a press without a database (chart, lists,
// log), with the bare durable append of one line that keeping a row needs at the least, and with
// the clock's own tick.
#include "BenchSupport.h"
#include "chart/ChartFonts.h"
#include "entry/CalculationStep.h"
#include "entry/ResetAndClock.h"
#include "handlers/StoreAndForward.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

using namespace kelvane;

namespace {

// Straight on the system: open, append one line, flush it to the disk, close.
void bareDurableAppend(const QByteArray& path) {
  static const QByteArray line = "\"/share/measurements.db\",\"05/12/2026\",\"14:08:45\",\"1.5\",\"1\"\r\n";
  const int file = ::open(path.constData(), O_WRONLY | O_APPEND | O_CREAT, 0644);
  if (file < 0 || ::write(file, line.constData(), size_t(line.size())) != line.size() || ::fsync(file) != 0)
    qFatal("cannot append");
  ::close(file);
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  installChartFonts();
  QTemporaryDir folder;
  bench::BenchProgram station;
  station.env.logFilePath = folder.filePath(QStringLiteral("Logfile.txt"));
  station.env.pendingRowsPath = folder.filePath(QStringLiteral("Pending rows.txt"));
  station.store.load();
  station.state.LiveChart = true;
  int presses = 0;
  const auto press = [&](const QString& database) {
    station.state.DatabasePath = database;
    station.window.entry = QString::number(1.5 + (++presses % 40) / 10.0);
    btnCalculation_Click(station.program);
  };

  const bench::Timings clockTick = bench::measure([&] { TimerCurrentTime_Timer(station.program); }, 10000, 1000);
  const bench::Timings idleDelivery = bench::measure([&] { station.store.deliver(); }, 10000, 1000);

  // A database out of reach: its first row is kept with a message, every later one goes behind it.
  const QString away = folder.filePath(QStringLiteral("share/measurements.db"));
  press(away);
  station.messages.shown.clear();
  // Taken in turns, so that both see the same load of a shared machine.
  const QByteArray barePath = QFile::encodeName(folder.filePath(QStringLiteral("bare.txt")));
  bench::Timings withoutDatabase, bareAppend, behindWaitingRows;
  QElapsedTimer timer;
  for (int run = 0; run < 1000; ++run) {
    timer.start();
    press(QString());
    withoutDatabase.add(timer.nsecsElapsed() / 1e6);
    timer.start();
    bareDurableAppend(barePath);
    bareAppend.add(timer.nsecsElapsed() / 1e6);
    timer.start();
    press(away);
    behindWaitingRows.add(timer.nsecsElapsed() / 1e6);
  }
  if (station.store.rows().count() != 1001) qFatal("the rows were not kept");
  station.requireNoMessage();

  bench::report(QStringLiteral("clock tick (time and date labels), median"), clockTick.median());
  bench::report(QStringLiteral("delivery tick with no row waiting, median"), idleDelivery.median(), 0.05);
  bench::report(QStringLiteral("delivery tick as a multiple of the clock tick"), idleDelivery.median() / clockTick.median(), 0,
                QStringLiteral("times"));
  bench::report(QStringLiteral("press of Input without a database (chart, lists, log), median"), withoutDatabase.median());
  bench::report(QStringLiteral("bare append of a line flushed to the disk, median"), bareAppend.median());
  bench::report(QStringLiteral("press of Input while rows wait for its database, median"), behindWaitingRows.median(), 2);
  bench::report(QStringLiteral("press of Input while rows wait for its database, p99"), behindWaitingRows.p99());
  bench::report(QStringLiteral("press behind waiting rows less one without a database, as a multiple of the bare append"),
                (behindWaitingRows.median() - withoutDatabase.median()) / bareAppend.median(), 0, QStringLiteral("times"));
  return 0;
}
