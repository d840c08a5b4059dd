#include "BenchSupport.h"

#include "chart/Twips.h"

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

BenchProgram::BenchProgram()
    : env{clock, RegionalForms(QLocale(QLocale::English, QLocale::UnitedKingdom)), messages},
      picture(mainWindowPicture()),
      window(picture),
      store(env, window), program{state, env, window, store, reader} {}

void BenchProgram::requireNoMessage() const {
  if (!messages.shown.isEmpty()) qFatal("a handler failed: %s", qPrintable(messages.shown.first().text));
}

}  // namespace kelvane::bench
