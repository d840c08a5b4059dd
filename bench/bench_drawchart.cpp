// Median time of one whole chart drawn on the main window's picture box: the empty chart of
// start-up, and charts of 20, 1 000, 100 000 and 1 000 000 stored records. The largest is also
// given as a multiple of a bare pass that reads each of its values once, the least any drawing of
// every record must do, and drawn with the leak test's limits as a multiple of the chart without.
// A chart of 20 records whose Time is 10 000 000 characters, as a faulty collector may write it,
// beside the same chart of plain times.
#include "BenchSupport.h"
#include "chart/ChartFonts.h"
#include "chart/DrawChart.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

using namespace kelvane;

namespace {

// A chart of stored records as the Database button prepares it: a slow drift with noise, times a
// second apart over two days.
ChartInput storedRecords(int count) {
  ChartInput input;
  input.exactXRange = true;
  input.datesUnderLabels = true;
  stdKelvane::InitChartRecord(input.record, true);
  ChartSeries series;
  series.colour = input.record.SeriesColor.at(1);
  series.values.resize(count);
  input.labels.redim(1, count);
  input.dates.redim(1, count);
  const QTime start(8, 0);
  for (int p = 1; p <= count; ++p) {
    series.values[p - 1] = float((5 + 3 * std::sin(p / 50.0) + (qint64(p) * 7919 % 100) / 100.0) * 10000);
    input.labels.set(p, start.addSecs(p).toString(QStringLiteral("HH:mm:ss")));
    input.dates.set(p, p < count / 2 ? QStringLiteral("05.12.2026") : QStringLiteral("06.12.2026"));
  }
  input.series = {series};
  input.record.XMax = float(count);
  input.record.YMax = 16;
  return input;
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication app(argc, argv);
  installChartFonts();
  bench::BenchProgram station;
  const Environment& env = station.env;

  {
    PainterSurface picture = bench::mainWindowPicture();
    ChartInput input;
    input.live = LiveWindow{};
    stdKelvane::InitChartRecord(input.record, false);
    const bench::Timings timings = bench::measure([&] {
      stdKelvane::DrawChart(picture, input, env);
      picture.image();  // the picture is finished, as when the window repaints
    });
    bench::report(QStringLiteral("DrawChart, empty chart of start-up (median)"), timings.median(), 1);
  }
  for (const int count : {20, 1000, 100000, 1000000}) {
    PainterSurface picture = bench::mainWindowPicture();
    ChartInput input = storedRecords(count);
    const bench::Timings timings = bench::measure(
        [&] {
          stdKelvane::DrawChart(picture, input, env);
          picture.image();
        },
        count >= 100000 ? 5 : 20);
    const double target = count == 1000000 ? 10 : count == 100000 ? 500 : 0;
    bench::report(QStringLiteral("DrawChart, stored chart of %1 records (median)").arg(count), timings.median(), target);
    if (count < 1000000) continue;
    float lowest = 0;
    const bench::Timings bare = bench::measure([&] {
      for (const float value : input.series.front().values) lowest = std::min(lowest, value);
    });
    if (lowest < 0) qFatal("values below 0");  // keeps the pass from being left out
    bench::report(QStringLiteral("bare pass over the %1 values (median)").arg(count), bare.median());
    bench::report(QStringLiteral("DrawChart of %1 records as a multiple of the bare pass").arg(count),
                  timings.median() / bare.median(), 0, QStringLiteral("times"));

    // The same chart with the leak test's limits: two lines, and a band in every pixel column, as
    // each holds values at A or above. Each run is paired with one without them, in turns, and the
    // ratio taken within the pair: a shared machine's load changes from one pair to the next.
    bench::Timings with, ratios;
    const auto drawn = [&](bool limits) {
      input.limits = limits ? std::optional(LeakLimits{8.5, 1.5, LimitForm::LogRatio, {}, {}}) : std::nullopt;
      QElapsedTimer timer;
      timer.start();
      stdKelvane::DrawChart(picture, input, env);
      picture.image();
      return timer.nsecsElapsed() / 1e6;
    };
    for (int pair = 0; pair < 100; ++pair) {
      const double first = drawn(pair % 2 == 0), second = drawn(pair % 2 != 0);
      const double limited = pair % 2 == 0 ? first : second;
      with.add(limited);
      ratios.add(limited / (pair % 2 == 0 ? second : first));
    }
    bench::report(QStringLiteral("DrawChart of %1 records with the leak test's limits (median)").arg(count),
                  with.median(), 10);
    bench::report(QStringLiteral("DrawChart of %1 records with limits as a multiple of without (median)").arg(count),
                  ratios.median(), 1.1, QStringLiteral("times"));
  }
  {
    PainterSurface picture = bench::mainWindowPicture();
    ChartInput input = storedRecords(20);
    const auto drawn = [&] {
      return bench::measure(
                 [&] {
                   stdKelvane::DrawChart(picture, input, env);
                   picture.image();
                 },
                 5)
          .median();
    };
    const double plain = drawn();
    const auto times = std::make_shared<StoredColumn>();
    for (int p = 0; p < 20; ++p) times->appendText(times->addText(QByteArray(10'000'000, char('a' + p))));
    input.labels.assign(1, times, 20);
    const double longTimes = drawn();
    bench::report(QStringLiteral("DrawChart, 20 records with a Time of 10 000 000 characters (median)"), longTimes, 1000);
    bench::report(QStringLiteral("DrawChart, such records as a multiple of plain times"), longTimes / plain, 0, QStringLiteral("times"));
  }
  return 0;
}
