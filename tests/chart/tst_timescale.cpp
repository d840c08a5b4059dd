#include "chart/ChartFonts.h"
#include "chart/ChartSummary.h"
#include "chart/ChartZoom.h"
#include "chart/LimitLines.h"
#include "chart/DrawChart.h"
#include "chart/Scaling.h"
#include "chart/Twips.h"
#include "handlers/SummaryLines.h"
#include "handlers/TimeScale.h"
#include "support/EntryFixture.h"
#include "support/TestEnvironment.h"

#include <QtTest>

using namespace kelvane;
using Op = RecordingSurface::Op;

namespace {

const QDateTime kMidnight(QDate(2026, 12, 5), QTime(0, 0), Qt::UTC);
qint64 wall(const QDateTime& at) { return at.toSecsSinceEpoch(); }
QString stamp(qint64 seconds) { return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).toString("dd/MM/yyyy HH:mm:ss"); }

// Moments from midnight on: every minute of a day, each step seconds apart, ...
QList<qint64> every(qint64 step, qint64 from, qint64 to, QList<qint64> skipped = {}) {
  QList<qint64> seconds;
  for (qint64 at = from; at <= to; at += step)
    if (!std::any_of(skipped.begin(), skipped.end(), [&](qint64 s) { return s == at; })) seconds << at;
  return seconds;
}

// A chart of stored rows as a query charts them, on the time scale: one row a moment (seconds after
// the origin; -1 a row whose texts are no moment), Data as given; the Date and Time texts those of
// the origin's time zone.
struct TimedChart {
  TimedChart(const QList<qint64>& seconds, const std::function<double(int)>& data, const QDateTime& origin = kMidnight)
      : origin(origin), test(QLocale(QLocale::English, QLocale::UnitedKingdom), origin.timeZone()) {
    const auto columns = std::make_shared<RowColumns>();
    QList<float> values;
    for (int n = 0; n < seconds.size(); ++n) {
      const QDateTime at = origin.addSecs(seconds[n]);
      columns->date->append(seconds[n] < 0 ? QStringLiteral("no date") : at.toString("dd/MM/yyyy"));
      columns->time->append(at.toString("HH:mm:ss"));
      columns->data->appendNumber(data(n));
      values << float(data(n) * 10000);
    }
    rows = {columns, 0, qint32(seconds.size())};
    input.series = {ChartSeries{rows, values, {}, rgbColour(0, 0, 255)}};
    input.exactXRange = true;
    input.datesUnderLabels = true;
    input.timeScale = true;
    stdKelvane::InitChartRecord(input.record, true);
    input.record.XMax = float(rows.count);
  }
  void draw(DrawingSurface& picture) { frame = stdKelvane::DrawChart(picture, input, test.env); }
  TimeLine line() const { return TimeLine(rows, test.env.regional); }
  float X(qint64 seconds) const { return stdKelvane::secondsToSurface(frame, double(wall(origin) + seconds - line().range()->from)); }

  QDateTime origin;
  testing::TestEnvironment test;
  ChartInput input;
  ChartFrame frame;  // the last one drawn in
  ShownRows rows;
};

double wave(int n) { return 4 + 3 * std::sin(n / 300.0) + (n % 97 == 0 ? 6 : 0); }

}  // namespace

class TimeScaleTest : public QObject {
  Q_OBJECT

  QTemporaryDir settingsFolder_;

 private slots:
  void initTestCase() {
    installChartFonts();
    qputenv("XDG_CONFIG_HOME", settingsFolder_.path().toLocal8Bit());
  }

  void momentsOfDateAndTime_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QDateTime>("moment");  // none: the texts are no moment
    const QLocale british(QLocale::English, QLocale::UnitedKingdom), german(QLocale::German, QLocale::Germany);
    const QLocale us(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("British") << british << "05/12/2026" << "10:00:00" << kMidnight.addSecs(36000);
    QTest::newRow("German") << german << "05.12.2026" << "23:59:59" << kMidnight.addSecs(86399);
    QTest::newRow("US: the day first, as the program writes it") << us << "05/12/2026" << "00:00:00" << kMidnight;
    QTest::newRow("29 February of a leap year") << british << "29/02/2024" << "12:00:00" << QDateTime(QDate(2024, 2, 29), QTime(12, 0), Qt::UTC);
    QTest::newRow("31 February") << british << "31/02/2026" << "10:00:00" << QDateTime();
    QTest::newRow("British date under German settings") << german << "05/12/2026" << "10:00:00" << QDateTime();
    QTest::newRow("ISO date") << british << "2026-12-05" << "10:00:00" << QDateTime();
    QTest::newRow("hour 24") << british << "05/12/2026" << "24:00:00" << QDateTime();
    QTest::newRow("no seconds") << british << "05/12/2026" << "10:00" << QDateTime();
    QTest::newRow("12-hour clock") << us << "05/12/2026" << "10:00:00 PM" << QDateTime();
    QTest::newRow("one-digit day") << british << "5/12/2026" << "10:00:00" << QDateTime();
    QTest::newRow("empty") << british << "" << "" << QDateTime();
  }
  // Read as the chart reads them, from the columns: a row that is no moment is left out.
  void momentsOfDateAndTime() {
    QFETCH(QLocale, locale);
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(QDateTime, moment);
    const auto columns = std::make_shared<RowColumns>();
    columns->date->append(date);
    columns->time->append(time);
    const TimeLine line({columns, 0, 1}, RegionalForms(locale, LocalTimeZone(QTimeZone::utc())));
    QCOMPARE(line.moment(1), moment.isValid() ? wall(moment) : TimeLine::kNoMoment);
    QCOMPARE(line.leftOut(), moment.isValid() ? 0 : 1);
    QCOMPARE(line.count(), moment.isValid() ? 1 : 0);
  }

  void tickSteps_data() {
    QTest::addColumn<qint64>("range");
    QTest::addColumn<qint64>("step");  // 0: a month
    const qint64 minute = 60, hour = 3600, day = 86400;
    const QList<std::pair<qint64, qint64>> cases{{10, 1},          {minute, 5},      {10 * minute, 30},  {hour, 2 * minute},
                                                 {8 * hour, 900},  {day, hour},      {3 * day, 3 * hour}, {7 * day, 6 * hour},
                                                 {30 * day, 7 * day}, {90 * day, 7 * day}, {365 * day, 0}};
    for (const auto& [range, step] : cases) QTest::addRow("%lld seconds", range) << range << step;
  }
  // On the main window's picture: labels at round times, of one row apart by the gap records keep
  // (every character 60 twips in the recording picture), the date under the first tick of each day.
  void tickSteps() {
    QFETCH(qint64, range);
    QFETCH(qint64, step);
    const qint64 start = 9 * 3600 + 17 * 60 + 23;  // no round time
    TimedChart chart({start, start + range}, [](int) { return 1.0; });
    RecordingSurface picture(6855, 5895);
    chart.draw(picture);
    const float axis = stdKelvane::YToSurface(chart.frame, 0);
    QMap<float, QList<std::pair<float, QString>>> rows, dateRows;
    QStringList dates, ticks;
    for (const RecordingSurface::Entry& e : picture.entries()) {
      if (e.op == Op::Print && (e.y1 == axis - 70 || e.y1 == axis - 240)) rows[e.y1] << std::pair{e.x1, e.text};
      if (e.op == Op::Print && (e.y1 == axis - 400 || e.y1 == axis - 550)) {
        dates << e.text;
        dateRows[e.y1] << std::pair{e.x1, e.text};
      }
      if (e.op == Op::Line && e.y1 == axis + 30 && e.x1 == e.x2) {
        // Back from the picture to the minute for the wide ranges, which a Single's x cannot hold to the second.
        const qint64 back = wall(kMidnight) + start + qint64(std::lround((e.x1 - chart.X(start)) / chart.frame.scaleX));
        const qint64 at = range > 86400 ? (back + 30) / 60 * 60 : back;
        const QDateTime moment = QDateTime::fromSecsSinceEpoch(at, Qt::UTC);
        ticks << moment.toString("dd/MM/yyyy");
        QVERIFY2(step > 0 ? (moment.time().msecsSinceStartOfDay() / 1000) % std::min<qint64>(step, 86400) == 0
                          : moment.date().day() == 1 && moment.time() == QTime(0, 0),
                 qPrintable(moment.toString(Qt::ISODate)));
      }
    }
    QVERIFY(ticks.size() >= 3);
    // The dates of the ticks' days, but for one that would touch the one before it in its row.
    const QStringList days(ticks.begin(), std::unique(ticks.begin(), ticks.end()));
    QVERIFY(dates.size() >= (days.size() + 1) / 2);
    for (const QString& date : dates) QVERIFY(days.contains(date));
    for (const auto& row : dateRows)
      for (int i = 0; i + 1 < row.size(); ++i) QVERIFY(row[i].first + row[i].second.size() * 80 + 60 <= row[i + 1].first);
    QCOMPARE(rows.size(), 2);
    for (const auto& labels : rows) {
      for (int i = 0; i + 1 < labels.size(); ++i) {
        QCOMPARE(labels[i].second.size(), step > 0 && step < 60 ? 8 : 5);
        QVERIFY2(labels[i].first + labels[i].second.size() * 60 + 60 <= labels[i + 1].first, qPrintable(labels[i].second));
      }
    }
    const qint64 spacing = qint64(std::lround(std::abs(rows.first().value(1).first - rows.first().value(0).first) / chart.frame.scaleX / 2));
    if (step > 0 && rows.first().size() > 1) QCOMPARE(spacing, step);
  }

  void gaps_data() {
    QTest::addColumn<QList<qint64>>("seconds");
    QTest::addColumn<QStringList>("gaps");
    const qint64 m = 60;
    QTest::newRow("a day by the minute, none from 10:00 to 12:00")
        << every(m, 0, 1439 * m, every(m, 600 * m, 719 * m)) << QStringList{"05/12/2026 09:59:00 05/12/2026 12:00:00"};
    QTest::newRow("a row six and a half minutes late")
        << (every(m, 540 * m, 550 * m) << 556 * m + 30 << every(m, 557 * m, 570 * m))
        << QStringList{"05/12/2026 09:10:00 05/12/2026 09:16:30"};
    QTest::newRow("a row four minutes late") << (every(m, 540 * m, 550 * m) << 554 * m << every(m, 555 * m, 570 * m)) << QStringList{};
    QTest::newRow("a single row") << QList<qint64>{36000} << QStringList{};
    QTest::newRow("two rows an hour apart") << QList<qint64>{36000, 39600} << QStringList{};
  }
  // No line crosses a gap; it is shaded over the plot's height behind the series.
  void gaps() {
    QFETCH(QList<qint64>, seconds);
    QFETCH(QStringList, gaps);
    TimedChart chart(seconds, wave);
    RecordingSurface picture(6855, 5895);
    chart.draw(picture);
    const TimeLine line = chart.line();
    QStringList found, shaded;
    for (const qint32 gap : line.gaps()) found << stamp(line.momentAt(gap)) + " " + stamp(line.momentAt(gap + 1));
    QCOMPARE(found, gaps);
    for (const RecordingSurface::Entry& e : picture.entries(Op::Fill))
      shaded << QStringLiteral("%1 %2 %3").arg(e.x1).arg(e.x2).arg(e.colour, 0, 16);
    QStringList expected;
    for (const qint32 gap : line.gaps()) {
      const float from = chart.X(line.momentAt(gap) - wall(kMidnight)), to = chart.X(line.momentAt(gap + 1) - wall(kMidnight));
      expected << QStringLiteral("%1 %2 ebebeb").arg(from).arg(to);
      for (const RecordingSurface::Entry& e : picture.entries(Op::Line))
        QVERIFY(!(e.drawWidth == 2 && std::min(e.x1, e.x2) <= from && std::max(e.x1, e.x2) >= to));
    }
    QCOMPARE(shaded, expected);
    if (seconds.size() == 1) QCOMPARE(line.range()->to - line.range()->from, 60);
  }

  void seriesLooksTheSameThroughFewerPoints_data() {
    QTest::addColumn<QList<qint64>>("seconds");
    QTest::addColumn<double>("ratio");
    const QList<qint64> withGaps = every(1, 0, 40000, every(1, 9000, 9400)) + every(1, 40600, 150000) + every(3, 150003, 200000);
    QList<qint64> jitter, setBack = every(1, 0, 60000) + every(1, 50000, 90000);
    QRandomGenerator random(7);
    for (qint64 at = 0; jitter.size() < 100000; at += random.bounded(4)) jitter << at;
    for (const double ratio : {1.0, 2.0}) {
      QTest::addRow("by the second with gaps, at %g", ratio) << withGaps << ratio;
      QTest::addRow("intervals of 0 to 3 seconds, at %g", ratio) << jitter << ratio;
      QTest::addRow("a clock set back, at %g", ratio) << setBack << ratio;
      QTest::addRow("3 000 rows by the minute, at %g", ratio) << every(60, 0, 2999 * 60) << ratio;
    }
  }
  // As on a chart of records: drawn through the points of each pixel column that can change a
  // pixel, the picture is that of the polyline through every point.
  void seriesLooksTheSameThroughFewerPoints() {
    QFETCH(QList<qint64>, seconds);
    QFETCH(double, ratio);
    // Steps of a hundredth or more, or none, as on the charts of records.
    QList<double> walk;
    QRandomGenerator random(11);
    for (int hundredths = 400; walk.size() < seconds.size();) {
      const double draw = random.generateDouble();
      if (draw >= 0.3) hundredths = std::clamp(hundredths + int(random.bounded(201)) - 100, -600, 1400);
      walk << (draw < 0.01 ? 13.0 : hundredths / 100.0);
    }
    TimedChart chart(seconds, [&](int n) { return walk[n]; });
    PainterSurface fewer(457, 393, 2, 96, ratio);
    EveryPointPicture all(457, 393, 2, 96, ratio);
    chart.draw(fewer);
    chart.draw(all);
    QVERIFY(all.column >= seconds.size());
    QCOMPARE(fewer.image(), all.image());
  }

  void summaryFigures_data() {
    QTest::addColumn<QList<qint64>>("seconds");
    QTest::addColumn<bool>("limits");
    QTest::newRow("a day by the minute with a gap, limits set") << every(60, 0, 86340, every(60, 36000, 43140)) << true;
    QTest::newRow("a clock set back, rows that are no moment") << (every(30, 0, 3600) << -1 << -1 << every(30, 1800, 5400)) << true;
    QTest::newRow("a single row, no limits") << QList<qint64>{100} << false;
  }
  // The figures against a plain computation over the rows.
  void summaryFigures() {
    QFETCH(QList<qint64>, seconds);
    QFETCH(bool, limits);
    TimedChart chart(seconds, wave);
    if (limits) chart.input.limits = LeakLimits{6.5, -4, LimitForm::LogRatio, {}, {}};
    RecordingSurface picture(6855, 5895);
    chart.draw(picture);
    const ChartSummary summary = summarize(*picture.LastChart(), chart.test.env.regional).value();

    QList<std::pair<qint64, int>> timed;  // moment, row
    QList<double> values;
    for (int n = 0; n < seconds.size(); ++n) {
      values << wave(n);
      if (seconds[n] >= 0) timed << std::pair{wall(kMidnight) + seconds[n], n};
    }
    std::sort(timed.begin(), timed.end());
    QList<qint64> intervals;
    for (int i = 1; i < timed.size(); ++i)
      if (timed[i].first > timed[i - 1].first) intervals << timed[i].first - timed[i - 1].first;
    std::sort(intervals.begin(), intervals.end());
    const double median = intervals.isEmpty() ? 0 : (intervals[(intervals.size() - 1) / 2] + intervals[intervals.size() / 2]) / 2.0;
    qint64 gaps = 0, gapTime = 0, longest = 0, atA = 0, timeAtA = 0;
    for (int i = 1; i < timed.size(); ++i) {
      const qint64 interval = timed[i].first - timed[i - 1].first;
      const bool gap = interval > 1 && interval > 5 * median;
      gaps += gap, gapTime += gap ? interval : 0, longest = std::max(longest, gap ? interval : 0);
      timeAtA += !gap && values[timed[i - 1].second] >= 6.5 ? interval : 0;
    }
    double mean = 0, squares = 0;
    for (const double v : values) mean += v / values.size(), atA += v >= 6.5;
    for (const double v : values) squares += (v - mean) * (v - mean);
    const auto lowest = std::min_element(values.begin(), values.end()), highest = std::max_element(values.begin(), values.end());

    QCOMPARE(summary.rows, seconds.size());
    QCOMPARE((std::pair{summary.first.value(), summary.last.value()}), (std::pair{timed.first().first, timed.last().first}));
    QCOMPARE((std::pair{summary.lowest->value, summary.lowest->record}), (std::pair{*lowest, int(lowest - values.begin()) + 1}));
    QCOMPARE((std::pair{summary.highest->value, summary.highest->record}), (std::pair{*highest, int(highest - values.begin()) + 1}));
    QVERIFY(qFuzzyCompare(summary.mean.value(), mean));
    QCOMPARE(summary.deviation.has_value(), values.size() > 1);
    if (values.size() > 1) QVERIFY(qFuzzyCompare(*summary.deviation, std::sqrt(squares / (values.size() - 1))));
    QCOMPARE((QList<qint64>{summary.gaps, summary.gapSeconds, summary.longestGap ? summary.longestGap->seconds : 0, summary.leftOut}),
             (QList<qint64>{gaps, gapTime, longest, seconds.size() - timed.size()}));
    QCOMPARE(summary.rowsAtA, limits ? std::optional(atA) : std::nullopt);
    QCOMPARE(summary.secondsAtA, limits ? std::optional(timeAtA) : std::nullopt);
  }

  void daylightSavingTime_data() {
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QList<qint64>>("seconds");  // after it, each row's
    QTest::addColumn<QStringList>("moments");  // the summary's first and last
    const QTimeZone berlin("Europe/Berlin");
    const QDateTime spring(QDate(2026, 3, 29), QTime(1, 0), berlin), autumn(QDate(2026, 10, 25), QTime(1, 30), berlin);
    QList<qint64> late = every(10, 0, 7190);
    late.insert(late.indexOf(4200) + 1, 2400);  // 02:10 of the first pass, delivered after 02:40
    QTest::newRow("spring: the hour skipped is no gap") << spring << every(10, 0, 7190)
                                                        << QStringList{"29/03/2026 01:00:00", "29/03/2026 03:59:50"};
    QTest::newRow("autumn: the hour repeated, first pass first") << autumn << every(10, 0, 7190)
                                                                 << QStringList{"25/10/2026 01:30:00", "25/10/2026 02:29:50"};
    QTest::newRow("autumn: a row of the first pass delivered late stays in it")
        << autumn << late << QStringList{"25/10/2026 01:30:00", "25/10/2026 02:29:50"};
  }
  // Under the machine's time zone Date and Time are local: the rows stand at their instants however
  // the clocks change.
  void daylightSavingTime() {
    QFETCH(QDateTime, start);
    QFETCH(QList<qint64>, seconds);
    QFETCH(QStringList, moments);
    const QByteArray zone = qgetenv("TZ");
    qputenv("TZ", "Europe/Berlin");
    TimedChart chart(seconds, wave, start.toTimeZone(QTimeZone::systemTimeZone()));
    qputenv("TZ", zone);
    RecordingSurface picture(6855, 5895);
    chart.draw(picture);
    const TimeLine& line = *picture.LastChart()->frame.timeLine();
    QVERIFY(line.gaps().empty());
    for (qint32 p = 1; p <= line.records(); ++p) QCOMPARE(line.moment(p), wall(start) + seconds[p - 1]);
    const QStringList lines = kelvane::summaryText(summaryLines(*picture.LastChart(), chart.test.env.regional)).split("\r\n");
    QCOMPARE(lines.mid(1, 2), (QStringList{"First moment\t" + moments[0], "Last moment\t" + moments[1]}));
    QCOMPARE(lines.filter("Gaps").value(0), "Gaps\t0");
  }

  // A row kept while the database was away and stored two days later, and another a day later,
  // stand at their moments: the spike and its leak band are drawn, a zoom into its minutes holds
  // it, the summary counts its seconds at A.
  void lateRowsOfAWeek() {
    const qint64 day = 86400, spike = 12 * 3600 + 10 * 60 + 5;
    QList<qint64> seconds = every(10, 0, 7 * day - 10);
    seconds.insert(int(2 * day + 12 * 3600) / 10, spike);
    seconds.insert(int(day + 9 * 3600) / 10, 11 * 3600 + 5);
    TimedChart chart(seconds, [&](int n) { return seconds[n] == spike ? 100.0 : 1.0; });
    chart.input.limits = LeakLimits{50, -4, LimitForm::LogRatio, {}, {}};
    PainterSurface fewer(457, 393, 2, 96, 1);
    EveryPointPicture all(457, 393, 2, 96, 1);
    chart.draw(fewer);
    chart.draw(all);
    QCOMPARE(fewer.image(), all.image());
    RecordingSurface picture(6855, 5895);
    chart.draw(picture);
    const QList<RecordingSurface::Entry> bands = picture.entries(Op::Fill);
    QVERIFY(std::any_of(bands.begin(), bands.end(), [&](const RecordingSurface::Entry& e) {
      return e.colour == kLeakBandColour && e.x1 <= chart.X(spike) + 1 && e.x2 >= chart.X(spike) - 1;
    }));
    QCOMPARE(summarize(*picture.LastChart(), chart.test.env.regional)->secondsAtA, 5);
    zoomIntoSpan(picture, {wall(kMidnight) + 11 * 3600 + 55 * 60, wall(kMidnight) + 12 * 3600 + 20 * 60}, chart.test.env);
    const ChartSummary zoomed = summarize(*picture.LastChart(), chart.test.env.regional).value();
    QCOMPARE((std::pair{zoomed.rows, zoomed.highest->value}), (std::pair{qint64(152), 100.0}));
  }

  // The lines of the dialog in the regional forms, as the clipboard takes them.
  void summaryText() {
    TimedChart chart(every(60, 0, 86340, every(60, 36000, 43140)), wave);
    RecordingSurface picture(6855, 5895);
    chart.draw(picture);
    const QStringList lines = kelvane::summaryText(summaryLines(*picture.LastChart(), chart.test.env.regional)).split("\r\n");
    QCOMPARE(lines.mid(0, 3), (QStringList{"Rows\t1320", "First moment\t05/12/2026 00:00:00", "Last moment\t05/12/2026 23:59:00"}));
    QCOMPARE(lines.mid(7), (QStringList{"Gaps\t1", "Longest gap\t02:01:00 from 05/12/2026 09:59:00", "Time in gaps\t02:01:00",
                                        "Rows whose Date and Time are no moment\t0", ""}));
    QCOMPARE(durationText(3 * 86400 + 61, chart.test.env.regional), "3 d 00:01:01");
  }

  // The pointer and a drag work by time; the zoom shows the rows of its moments.
  void pointerAndZoomByTime() {
    TimedChart chart(every(60, 0, 86340, every(60, 36000, 43140)), wave);
    RecordingSurface picture(6855, 5895);
    chart.draw(picture);
    const auto kept = picture.LastChart();
    QCOMPARE(pointNearest(*kept, {chart.X(39540), 0, 0}), 600);        // 10:59, nearer to 09:59
    QCOMPARE(pointNearest(*kept, {chart.X(39660), 0, 0}), 601);        // 11:01, nearer to 12:00
    zoomBetween(picture, {chart.X(32400), 0, 7}, {chart.X(46800), 0, 7}, chart.test.env);  // 09:00 to 13:00
    const ShownRows& zoomed = picture.LastChart()->input.series.front().rows;
    QCOMPARE((std::pair{zoomed.first, zoomed.count}), (std::pair{qsizetype(540), 121}));
    QCOMPARE(picture.LastChart()->input.span, (TimeSpan{wall(kMidnight) + 32400, wall(kMidnight) + 46800}));
    QCOMPARE(summarize(*picture.LastChart(), chart.test.env.regional)->rows, 121);
  }

  // Switched at once on the chart on show and on the full-screen window, kept for the next run;
  // off again, the chart is drawn exactly as by record.
  void switchingRedrawsAtOnceAndLasts() {
    TimedChart chart(every(60, 0, 86340, every(60, 36000, 43140)), wave);
    chart.input.timeScale = false;
    testing::EntryFixture f;
    testing::FakeMainWindow& window = f.window;
    chart.draw(window.picture);
    chart.draw(window.fullScreenWindow().picMaximized());
    window.fullScreenWindow().showMaximized();
    const QList<RecordingSurface::Entry> byRecord = window.picture.entries();
    ProgramSettings settings;
    mnuTimeScale_Click(f.program, settings, true);
    for (RecordingSurface* picture : {&window.picture, &window.fullScreen->picture})
      QVERIFY(picture->LastChart()->frame.timeLine() && !picture->entries(Op::Fill).isEmpty());
    QVERIFY(f.state.TimeScale && ProgramSettings().timeScale());
    window.picture.clear();
    mnuTimeScale_Click(f.program, settings, false);
    QVERIFY(window.picture.entries() == byRecord && !ProgramSettings().timeScale());
    QVERIFY(f.test.messages.shown.isEmpty());
  }
};

QTEST_MAIN(TimeScaleTest)
#include "tst_timescale.moc"
