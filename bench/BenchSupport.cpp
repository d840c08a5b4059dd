#include "BenchSupport.h"

#include <QCoreApplication>

#include "chart/Twips.h"
#include "entry/ProgramChart.h"

#include <QFile>

#include <QTextStream>

#include <cmath>

namespace kelvane::bench {

double Timings::quantile(double q) const {
  if (samples_.empty()) return 0;
  std::vector<double> sorted = samples_;
  std::sort(sorted.begin(), sorted.end());
  const std::size_t index = std::min(sorted.size() - 1, std::size_t(std::ceil(q * double(sorted.size()))) - 1);
  return sorted[index];
}

Timings measure(const std::function<void()>& work, int minRuns, double budgetMs) {
  for (int i = 0; i < 3; ++i) work();
  Timings timings;
  QElapsedTimer total;
  total.start();
  while (int(timings.count()) < minRuns || total.elapsed() < budgetMs) {
    QElapsedTimer run;
    run.start();
    work();
    timings.add(double(run.nsecsElapsed()) / 1e6);
    if (timings.count() >= 100000) break;
  }
  return timings;
}

void report(const QString& what, double figure, double target, const QString& unit) {
  QTextStream out(stdout);
  out << QStringLiteral("%1: %2 %3").arg(what, -60).arg(figure, 9, 'f', 3).arg(unit);
  if (target > 0)
    out << QStringLiteral("  (target at most %1 %2: %3)")
               .arg(target)
               .arg(unit, figure <= target ? QStringLiteral("met") : QStringLiteral("MISSED"));
  out << '\n';
}

namespace {
constexpr double kDotsPerInch = 96;
}

PainterSurface mainWindowPicture() {
  return PainterSurface(twipsToPixels(6855, kDotsPerInch), twipsToPixels(5895, kDotsPerInch), 2, kDotsPerInch);
}

const Clock& systemClock() {
  static const SystemClock clock;
  return clock;
}

BenchProgram::BenchProgram(const Clock& clock)
    : clock(clock),
      env{clock, RegionalForms(QLocale(QLocale::English, QLocale::UnitedKingdom)), messages},
      picture(mainWindowPicture()),
      window(picture),
      store(env, window), program{state, env, window, entered, store, reader} {}

void BenchProgram::requireNoMessage() const {
  if (!messages.shown.isEmpty()) qFatal("a handler failed: %s", qPrintable(messages.shown.first().text));
}

namespace {

qint64 statusKilobytes(const char* field) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith(field)) return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong();
  return 0;
}

}  // namespace

qint64 residentBeforeChart(BenchProgram& station) {
  ChartRecord empty;
  prepareChartRecord(station.state, empty);
  drawChart(station.picture, station.state, empty, station.env);
  station.picture.image();
  QFile clear(QStringLiteral("/proc/self/clear_refs"));
  if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1) qFatal("cannot reset the peak");
  clear.close();
  return statusKilobytes("VmRSS:");
}

double peakBytesPerRow(qint64 residentBefore, double rows) {
  return double(statusKilobytes("VmHWM:") - residentBefore) * 1024 / rows;
}

void followTick(Program& program, NewRowsWatch& watch) {
  followNewRows(program, watch);
  while (watch.busy()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
}

}  // namespace kelvane::bench
