#include "chart/ChartFonts.h"
#include "chart/DrawChart.h"
#include "chart/NumberText.h"
#include "chart/PainterSurface.h"
#include "support/RecordingSurface.h"
#include "chart/Scaling.h"
#include "chart/Single.h"
#include "chart/Twips.h"
#include "chart/VerticalRange.h"
#include "entry/ProgramChart.h"
#include "entry/SlidingWindow.h"
#include "support/EntryFixture.h"
#include "support/TestEnvironment.h"

#include <QtTest>

using namespace kelvane;
using namespace kelvane::stdKelvane;
using Op = RecordingSurface::Op;
using Entry = RecordingSurface::Entry;

namespace {

constexpr float kWidth = 6855, kHeight = 5895;  // the main window's picture box

QString line(float x1, float y1, float x2, float y2) { return QStringLiteral("%1 %2 %3 %4").arg(x1).arg(y1).arg(x2).arg(y2); }

struct Chart {
  explicit Chart(float width = kWidth, float height = kHeight) : picture(width, height) {
    state.LiveChart = true;
    prepareChartRecord(state, record);
  }
  void draw() { drawOn(picture); }
  void drawOn(DrawingSurface& surface) {
    frame = drawChart(surface, state, record, test.env, state.LiveChart ? std::nullopt : std::optional(series));
  }
  float X(float x) const { return XToSurface(frame, x); }
  float Y(float y) const { return YToSurface(frame, y); }

  // A chart of stored records as the Database button prepares it: record p at x = p, value p.
  void storeRecords(int count, const QStringList& dates = {}, const QString& mode = Mode::Database) {
    state.LiveChart = false;
    state.ExactXRange = true;
    state.OperatingMode = mode;
    prepareChartRecord(state, record);
    series = {{}, QList<float>(count), {}, record.SeriesColor.at(1)};
    state.PointLabels.redim(1, count);
    state.PointDates.redim(1, count);
    for (int p = 1; p <= count; ++p) {
      series.values[p - 1] = float(p) * 10000;
      state.PointLabels.set(p, 100 + p);
      state.PointDates.set(p, dates.value(p - 1, QStringLiteral("01.12.2005")));
    }
    record.XMax = float(count);
  }
  // A collector's rows a minute apart, from ten to midnight on: time labels, a new date at midnight.
  void storeMinutes(int count) {
    storeRecords(count);
    for (int p = 1; p <= count; ++p) {
      const QDateTime at = QDateTime(QDate(2026, 12, 5), QTime(23, 50)).addSecs(60 * (p - 1));
      state.PointLabels.set(p, at.time().toString(QStringLiteral("HH:mm:ss")));
      state.PointDates.set(p, at.date().toString(QStringLiteral("dd/MM/yyyy")));
    }
  }

  QStringList lines(int style, int width = 1) const {
    QStringList result;
    for (const Entry& l : picture.entries(Op::Line))
      if (l.drawStyle == style && l.drawWidth == width) result << line(l.x1, l.y1, l.x2, l.y2);
    return result;
  }
  QStringList printsAt(float y) const {
    QStringList result;
    for (const Entry& print : picture.entries(Op::Print))
      if (qFuzzyCompare(print.y1, y)) result.append(print.text);
    return result;
  }
  // The Y axis's ticks, grid lines and labels that lie on the picture, in the order drawn.
  QStringList yMarksOnPicture() const {
    const float axis = X(state.WindowStart);
    const auto onPicture = [](float y) { return y >= 0 && y <= kHeight; };
    QStringList marks;
    for (const Entry& e : picture.entries()) {
      if (e.op == Op::Line && e.x1 == axis + 30 && e.x2 == axis - 30 && onPicture(e.y1)) marks << QStringLiteral("tick %1").arg(e.y1);
      if (e.op == Op::Line && e.drawStyle == DrawingSurface::Dotted && e.y1 == e.y2 && onPicture(e.y1)) marks << QStringLiteral("grid %1").arg(e.y1);
      if (e.op == Op::Print && e.x1 == axis - 150 - 40 * float(e.text.size()) && onPicture(e.y1))
        marks << QStringLiteral("label %1 %2").arg(e.text).arg(e.y1);
    }
    return marks;
  }

  testing::TestEnvironment test;
  ProgramState state;
  ChartRecord record;
  ChartSeries series;  // of a chart of stored records
  ChartFrame frame;    // the last one drawn in
  RecordingSurface picture;
};

// Every operation of the picture with its arguments, pens and fonts.
QByteArray digestOf(const RecordingSurface& picture) {
  QCryptographicHash hash(QCryptographicHash::Sha1);
  for (const Entry& e : picture.entries())
    hash.addData(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9 %10 %11 %12\n")
                     .arg(int(e.op)).arg(e.x1, 0, 'g', 9).arg(e.y1, 0, 'g', 9).arg(e.x2, 0, 'g', 9).arg(e.y2, 0, 'g', 9)
                     .arg(e.value).arg(e.colour).arg(e.text).arg(e.drawWidth).arg(e.drawStyle).arg(e.fontName).arg(e.fontSize)
                     .toUtf8());
  return hash.result().toHex();
}

}  // namespace

class DrawChartTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { installChartFonts(); }

  // Its ticks, grid lines and labels are those of the range -6 to 14 below.
  void initialChartAxes() {
    Chart chart;
    chart.draw();
    const float y0 = chart.Y(0), x0 = chart.X(0), xEnd = chart.X(20) + 250, yEnd = chart.Y(14) + 250;
    const QStringList axes{line(x0 - 100, y0, xEnd, y0), line(x0, chart.Y(-6) - 100, x0, yEnd),  // with arrow heads
                           line(xEnd, y0, xEnd - 100, y0 - 50), line(xEnd, y0, xEnd - 100, y0 + 50),
                           line(x0, yEnd, x0 - 50, yEnd - 100), line(x0, yEnd, x0 + 50, yEnd - 100)};
    QCOMPARE(chart.lines(DrawingSurface::Solid).mid(0, 6), axes);
    QVERIFY(chart.lines(DrawingSurface::Solid, 2).isEmpty());
    for (const Entry& print : chart.picture.entries(Op::Print)) QCOMPARE(print.fontSize, 7.0f);
    // With no font at all the labels would be boxes and a pixel count would not notice.
    const QString family = QFontInfo(QFont(QStringLiteral("Tahoma"))).family();
    QVERIFY2(family == QStringLiteral("Tahoma") || family == QStringLiteral("DejaVu Sans"), qPrintable(family));
  }

  // Typed values from -6 to -3.4E33 give the ranges of rule d, from 6 up those of rule b; a live
  // window far on has whole x that are Singles 2 or 8 apart. Where marks stand a twip apart or
  // more, each range draws on the picture exactly the marks of a loop over every whole j (and x)
  // of the range: a Single counter never gets past the first j of the wide ones. Every range
  // draws in bounded time, with a live series whose loop has no end.
  void rangesDrawTheLoopsMarks_data() {
    QTest::addColumn<float>("yMin");
    QTest::addColumn<float>("yMax");
    QTest::addColumn<float>("step");
    QTest::addColumn<float>("xMin");
    QTest::addColumn<float>("xMax");
    QList<double> typed;
    for (double value = 6; value < 3.4e33; value *= 10) typed << -value << value;
    for (const double value : typed << -3.4e33 << 3.4e33) {
      Chart rule;
      applyVerticalRange(kLiveRange, rule.record, rule.state.YLabelStep, value * 10000);
      QTest::addRow("typed %g", value) << rule.record.YMin << rule.record.YMax << rule.state.YLabelStep << 0.0f << 22.0f;
    }
    QTest::newRow("-6 to 100 in steps of 5") << -6.0f << 100.0f << 5.0f << 0.0f << 22.0f;
    for (const float start : {16777206.0f, 1e8f}) QTest::addRow("window from %g", double(start)) << -6.0f << 14.0f << 1.0f << start << start + 22;
    QTest::newRow("beyond a Single counter's reach") << -6.0f << 1e30f << 1.0f << 0.0f << 22.0f;
    QTest::newRow("an X range beyond a Single counter's reach") << -6.0f << 14.0f << 1.0f << 0.0f << 1e30f;
    QTest::newRow("the widest ranges, the finest step") << -3.4e38f << 3.4e38f << 1e-45f << -3.4e38f << 3.4e38f;
    QTest::newRow("step 0") << -6.0f << 14.0f << 0.0f << 0.0f << 22.0f;
    QTest::newRow("step not a number") << -6.0f << 14.0f << float(qQNaN()) << 0.0f << 22.0f;
    QTest::newRow("no top to the range") << -6.0f << float(qInf()) << 1.0f << 0.0f << 22.0f;
  }
  void rangesDrawTheLoopsMarks() {
    QFETCH(float, yMin);
    QFETCH(float, yMax);
    QFETCH(float, step);
    QFETCH(float, xMin);
    QFETCH(float, xMax);
    Chart chart;
    chart.record.YMin = yMin;
    chart.record.YMax = yMax;
    chart.state.YLabelStep = step;
    chart.state.WindowStart = chart.record.XMin = xMin;
    chart.record.XMax = xMax;
    chart.state.PointCounter = std::numeric_limits<qint32>::max();
    chart.record.SeriesVisible.at(1) = true;
    chart.draw();
    QVERIFY2(chart.picture.entries().size() < 100000, qPrintable(QString::number(chart.picture.entries().size())));
    if (!(chart.frame.scaleY * std::abs(step) >= 1 && chart.frame.scaleX >= 1)) return;
    // A j whose mark reaches the picture lies within one range's height of the plot.
    const double range = double(yMax) - yMin, from = std::max<double>(yMin, std::floor((yMin - range) / step));
    QStringList marks, ticks;
    for (double j = from; j <= std::min<double>(yMax, std::ceil((yMax + range) / step)); ++j) {
      const float y = singleProduct(float(j), step), at = chart.Y(y);
      if (at >= 0 && at <= kHeight) marks << QStringLiteral("tick %1").arg(at);
      if (at >= 0 && at <= kHeight && j != 0) marks << QStringLiteral("grid %1").arg(at);
      if (at + 70 >= 0 && at + 70 <= kHeight) marks << QStringLiteral("label %1 %2").arg(NumberText(y)).arg(at + 70);
    }
    QVERIFY(marks.size() >= 20);
    QCOMPARE(chart.yMarksOnPicture(), marks);
    QStringList grids, labels;
    for (double i = xMin; i <= chart.frame.xMax; ++i) {
      const float x = chart.X(float(i));
      if (ticks.contains(line(x, chart.Y(0) + 30, x, chart.Y(0) - 30))) continue;
      ticks << line(x, chart.Y(0) + 30, x, chart.Y(0) - 30);
      if (i != 0) grids << line(x, chart.Y(yMin), x, chart.Y(yMax));
      labels << NumberText(float(i));  // the label of x = PlotXMin included
    }
    QCOMPARE(chart.lines(DrawingSurface::Solid).mid(6, ticks.size()), ticks);
    QCOMPARE(chart.lines(DrawingSurface::Dotted).mid(0, grids.size()), grids);
    QCOMPARE(chart.printsAt(chart.Y(0) - 70), labels);
  }

  void zeroWidthXRangeDrawsNothingThatDependsOnX() {
    Chart chart;
    chart.storeRecords(1);
    chart.record.XMax = chart.record.XMin;
    chart.draw();
    QVERIFY(chart.picture.entries(Op::Line).isEmpty() && chart.picture.entries(Op::Print).isEmpty());
    QCOMPARE(chart.picture.entries(Op::SetBackColor).size(), 1);  // the old chart is erased all the same
  }

  void storedChart_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("dates");
    QTest::addColumn<QStringList>("printed");
    QTest::addColumn<float>("width");
    QStringList days;
    for (int day = 1; day <= 20; ++day) days << QStringLiteral("%1.12.2005").arg(day, 2, 10, QLatin1Char('0'));
    QStringList apart;  // of each row, those that do not touch the one before
    for (const int day : {1, 2, 5, 6, 9, 10, 13, 14, 17, 18}) apart << days[day - 1];
    QTest::newRow("20 records on consecutive days") << Mode::Database << days << apart << kWidth;
    QTest::newRow("20 records of one day, full screen") << Mode::Database << QStringList(20, days[0]) << QStringList{days[0]} << 10335.0f;
    QTest::newRow("one record") << Mode::Database << QStringList{days[0]} << QStringList{days[0]} << kWidth;
    QTest::newRow("query rows with a change of day")
        << Mode::SQLquery << (QStringList(3, days[0]) + QStringList(2, days[1])) << days.mid(0, 2) << kWidth;
    QTest::newRow("after reset: no dates") << Mode::Reset << days << QStringList{} << kWidth;
  }
  // Labels alternate between two rows by the parity of the record; so do the dates of the records
  // whose date differs from the one before. The polyline starts at the first record.
  void storedChart() {
    QFETCH(QString, mode);
    QFETCH(QStringList, dates);
    QFETCH(QStringList, printed);
    QFETCH(float, width);
    Chart chart(width);
    chart.storeRecords(int(dates.size()), dates, mode);
    chart.draw();
    const int timeLength = chart.test.env.regional.longTime(chart.test.clock.now().time()).size();
    const int dateLength = chart.test.env.regional.shortDate(chart.test.clock.now().date()).size();
    QStringList odd, even, seen, series;
    for (int p = 1; p <= dates.size(); ++p) {
      (p % 2 ? odd : even) << QString::number(100 + p);
      const float from = float(std::max(p - 1, 1));
      series << line(chart.X(from), chart.Y(from), chart.X(float(p)), chart.Y(float(p)));
    }
    QCOMPARE(chart.printsAt(chart.Y(0) - 70), odd);
    QCOMPARE(chart.printsAt(chart.Y(0) - 240), even);
    QCOMPARE(chart.lines(DrawingSurface::Solid, 2), series);
    QCOMPARE(chart.picture.entries(Op::Line).last().colour, rgbColour(0, 0, 255));
    for (const Entry& print : chart.picture.entries(Op::Print)) {
      const bool evenRow = qFuzzyCompare(print.y1, chart.Y(0) - 400), oddRow = qFuzzyCompare(print.y1, chart.Y(0) - 550);
      if (print.text.toInt() > 100)
        QVERIFY(print.fontSize == 6.0f && print.x1 == chart.X(print.text.toFloat() - 100) - 20 * float(timeLength));
      if (!evenRow && !oddRow) continue;
      seen.append(print.text);
      QCOMPARE(print.fontSize, 8.0f);
      // The date of record p is placed under p, on the row of the record before it, but not left
      // of the Y axis, where the Y labels stand.
      const int p = int(dates.indexOf(print.text)) + 1;
      QCOMPARE(print.x1, std::max(chart.X(float(p)) - 40 * float(dateLength), chart.X(0) + 30));
      QCOMPARE(evenRow, (p - 1) % 2 == 0);
    }
    QCOMPARE(seen, printed);
  }

  // The labels of one row stand apart: only every k-th record is labelled, k the smallest of 1, 2,
  // 5, 10, ... that lets them (in the recording picture a time label is 8 characters of 60 twips,
  // and 60 twips keep them apart); its ticks and grid lines follow. A date stands under the first
  // label and under the first label of the second day.
  void labelStep_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<float>("width");
    QTest::addColumn<int>("step");
    for (const float width : {kWidth, 10335.0f}) {
      const QList<int> steps = width == kWidth ? QList<int>{1, 2, 5, 100, 50000} : QList<int>{1, 1, 5, 50, 50000};
      const char* window = width == kWidth ? "main window" : "full screen";
      for (int n = 0; n < 5; ++n) {
        const int records = QList<int>{20, 25, 100, 1440, 1000000}[n];
        QTest::addRow("%d records, %s", records, window) << records << width << steps[n];
      }
    }
  }
  void labelStep() {
    QFETCH(int, records);
    QFETCH(float, width);
    QFETCH(int, step);
    Chart chart(width, width == kWidth ? kHeight : 9495);
    const int secondDay = records / 2 + 3;
    chart.storeRecords(records);
    chart.state.PointLabels.redim(1, records);
    chart.state.PointDates.redim(1, records);
    for (int p = 1; p <= records; ++p) {
      chart.state.PointLabels.set(p, QTime(0, 0).addSecs(60 * p));
      chart.state.PointDates.set(p, p < secondDay ? QStringLiteral("01.12.2005") : QStringLiteral("02.12.2005"));
    }
    chart.draw();
    QStringList ticks, near, far;
    for (int i = 0; i <= records; i += step) {
      ticks << line(chart.X(float(i)), chart.Y(0) + 30, chart.X(float(i)), chart.Y(0) - 30);
      if (i > 0) (i / step % 2 ? near : far) << QTime(0, 0).addSecs(60 * i).toString(QStringLiteral("HH:mm:ss"));
    }
    QCOMPARE(chart.lines(DrawingSurface::Solid).filter(QStringLiteral(" %1 ").arg(chart.Y(0) + 30)), ticks);
    QCOMPARE(chart.lines(DrawingSurface::Dotted).size(), records / step + 20);  // and 20 of the Y axis
    QCOMPARE(chart.printsAt(chart.Y(0) - 70), near);
    QCOMPARE(chart.printsAt(chart.Y(0) - 240), far);
    const int firstOfSecondDay = (secondDay + step - 1) / step * step;
    QStringList dates;
    for (const Entry& print : chart.picture.entries(Op::Print))
      if (print.text.endsWith(QLatin1String(".2005"))) dates << QStringLiteral("%1 %2").arg(print.text).arg(print.x1);
    QCOMPARE(dates, (QStringList{QStringLiteral("01.12.2005 %1").arg(std::max(chart.X(float(step)) - 400, chart.X(0) + 30)),
                                 QStringLiteral("02.12.2005 %1").arg(chart.X(float(firstOfSecondDay)) - 400)}));
  }

  // A row's Time or Date of millions of characters is cut to a label's few dozen before it is
  // measured or printed, whatever the characters; a short one is left whole.
  void longLabelsAreCutBeforeMeasuring_data() {
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("shown");
    const QString cut = QString(39, 'x') + QChar(0x2026);
    QTest::newRow("10 000 000 characters of Time") << QString(10'000'000, 'x') << "01/12/2026" << cut;
    QTest::newRow("as long a Date") << "12:00:00" << QString(10'000'000, 'x') << "12:00:00";
    QTest::newRow("characters of 2 and 4 bytes") << QString("ä😀").repeated(100'000) << "01/12/2026"
                                                  << QString("ä😀").repeated(13) + QChar(0x2026);
    QTest::newRow("just short enough") << QString(40, 'x') << "01/12/2026" << QString(40, 'x');
  }
  void longLabelsAreCutBeforeMeasuring() {
    QFETCH(QString, time);
    QFETCH(QString, date);
    QFETCH(QString, shown);
    struct MeasuringSurface : RecordingSurface {
      using RecordingSurface::RecordingSurface;
      float TextWidth(const QString& text, const QString& font, float points) const override {
        longest = std::max(longest, text.size());
        return RecordingSurface::TextWidth(text, font, points);
      }
      mutable qsizetype longest = 0;
    } picture(kWidth, kHeight);
    Chart chart;
    chart.storeRecords(3, {}, Mode::SQLquery);
    auto columns = std::make_shared<StoredColumn>(), dates = std::make_shared<StoredColumn>();
    for (int row = 0; row < 3; ++row) {
      columns->appendText(columns->addText(time.toUtf8()));
      dates->appendText(dates->addText(date.toUtf8()));
    }
    chart.state.PointLabels.assign(1, columns, 3);
    chart.state.PointDates.assign(1, dates, 3);
    chart.drawOn(picture);
    QVERIFY(picture.longest <= 40);
    QStringList printed;
    for (const Entry& print : picture.entries(Op::Print)) {
      QVERIFY2(print.text.size() <= 40, qPrintable(print.text.left(50)));
      printed << print.text;
    }
    QVERIFY(printed.contains(shown));
  }

  // Charts whose labels stand apart are drawn with exactly the operations they always had: the
  // digest covers every operation with its arguments, pens and fonts.
  void chartsThatFitAreUnchanged_data() {
    QTest::addColumn<float>("width");
    QTest::addColumn<bool>("numberOnX");
    QTest::addColumn<QByteArray>("digest");
    QTest::newRow("20 recent records") << kWidth << false << QByteArray("e2b8126cfb52dfc6f11533225f43e5d40436fe91");
    QTest::newRow("20 recent records, full screen") << 10335.0f << false << QByteArray("b3e2bbd93133afb6f25d0f5727e0b31813bea2d2");
    QTest::newRow("a query of 20 rows by number") << kWidth << true << QByteArray("29f35d361d630a4df2d570a1e4d1d7d181a33653");
  }
  void chartsThatFitAreUnchanged() {
    QFETCH(float, width);
    QFETCH(bool, numberOnX);
    QFETCH(QByteArray, digest);
    Chart chart(width, width == kWidth ? kHeight : 9495);
    numberOnX ? chart.storeRecords(20, {}, Mode::SQLquery) : chart.storeMinutes(20);
    chart.draw();
    QCOMPARE(digestOf(chart.picture), digest);
  }

  // While no limits are set every chart is drawn with the operations it had before there were
  // limits: a run of presses that widens the range and moves the window on, and stored charts of
  // sparse and of crowded pixel columns, each drawn again from what the picture kept.
  void chartsWithoutLimitsAreUnchanged_data() {
    QTest::addColumn<int>("records");  // 0: the live chart of a run of presses
    QTest::addColumn<QByteArray>("digest");
    QTest::newRow("live chart of 30 presses") << 0 << QByteArray("4126aa169aa3ead21f50a75733cb1d6dcf49deab");
    QTest::newRow("stored chart of 300 records") << 300 << QByteArray("bb5ec85c5175a5166cc6843eb9ca5975fcf6bc99");
    QTest::newRow("stored chart of 100 000 records") << 100000 << QByteArray("310836bd6781ccf67d6b84bbea87542919c2bca4");
  }
  void chartsWithoutLimitsAreUnchanged() {
    QFETCH(int, records);
    QFETCH(QByteArray, digest);
    testing::EntryFixture run;
    if (records == 0) {
      for (int press = 1; press <= 30; ++press) run.press(QString::number(press % 7 == 0 ? -press : press * 0.75));
    } else {
      Chart chart;
      chart.storeRecords(records);
      for (int p = 1; p <= records; ++p) chart.series.values[p - 1] = float(std::sin(p / 40.0) * 5 + 4) * 10000;
      chart.drawOn(run.window.picture);
    }
    DrawChartAgain(run.window.picture, *run.window.picture.LastChart(), run.test.env);
    QCOMPARE(digestOf(run.window.picture), digest);
  }

  // A series drawn through only the points of each pixel column that can change a pixel looks
  // the same to the pixel as drawn through all of them. The steps are a hundredth (a sixth of a
  // pixel) or more, or none: Qt draws a piece of a 2-pixel line shorter than 1/64 pixel upright
  // and across as nothing, which no line through fewer points can copy.
  void seriesLooksTheSameThroughFewerPoints_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<double>("spikes");  // the share of records that jump far and back
    QTest::addColumn<double>("flat");    // the share that keep the value before
    QTest::addColumn<float>("width");
    QTest::addColumn<double>("ratio");  // device pixels a logical pixel
    QTest::newRow("a random walk of 200 000 records") << 200000 << 0.0 << 0.0 << kWidth << 1.0;
    QTest::newRow("spikes in flat runs, full screen at 200%") << 100000 << 0.001 << 0.95 << 10335.0f << 2.0;
    QTest::newRow("about 66 records a pixel, some spikes") << 30000 << 0.01 << 0.3 << kWidth << 1.0;
    QTest::newRow("a random walk of 30 000 records at 150%") << 30000 << 0.0 << 0.0 << kWidth << 1.5;
    QTest::newRow("a random walk of 3 000 records, full screen") << 3000 << 0.0 << 0.0 << 10335.0f << 1.0;
    QTest::newRow("spikes among 700 records") << 700 << 0.05 << 0.5 << kWidth << 1.0;
  }
  void seriesLooksTheSameThroughFewerPoints() {
    QFETCH(int, records);
    QFETCH(double, spikes);
    QFETCH(double, flat);
    QFETCH(float, width);
    QFETCH(double, ratio);
    const float height = width == kWidth ? kHeight : 9495;
    Chart chart(width, height);
    chart.storeRecords(records);
    QRandomGenerator random{quint32(records)};
    int hundredths = 400;
    for (int p = 1; p <= records; ++p) {
      const double draw = random.generateDouble();
      if (draw >= flat + spikes) hundredths = std::clamp(hundredths + int(random.bounded(201)) - 100, -600, 1400);
      chart.series.values[p - 1] = (draw < spikes ? (draw < spikes / 2 ? -5.0f : 13.0f) : hundredths / 100.0f) * 10000;
    }
    PainterSurface fewer(twipsToPixels(width, 96), twipsToPixels(height, 96), 2, 96, ratio);
    EveryPointPicture every(twipsToPixels(width, 96), twipsToPixels(height, 96), 2, 96, ratio);
    chart.drawOn(fewer);
    chart.drawOn(every);
    QVERIFY(every.column >= records);
    QCOMPARE(fewer.image(), every.image());
  }

  void liveSeries() {
    Chart chart;
    chart.state.LastEntryTime = QTime(14, 8, 45);
    chart.record.SeriesVisible.at(1) = true;
    for (int p = 1; p <= 3; ++p) chart.record.Values.at(p, 1) = float(p) * 10000;
    chart.state.PointCounter = 3 + 2;  // three values in the window
    chart.draw();
    QCOMPARE(chart.lines(DrawingSurface::Solid, 2),
             (QStringList{line(chart.X(0), chart.Y(1), chart.X(1), chart.Y(2)), line(chart.X(1), chart.Y(2), chart.X(2), chart.Y(3))}));
    QCOMPARE(chart.printsAt(chart.Y(0) - 350), QStringList{QStringLiteral("14:08:45")});
    QCOMPARE(chart.picture.entries(Op::Print).last().x1, chart.X(3) - 630);
    chart.state.MaximizedChart = true;
    chart.draw();
    QCOMPARE(chart.printsAt(chart.Y(0) - 430), QStringList{QStringLiteral("14:08:45")});

    // The full-screen chart of a one-row query after that run, which left the chart live: the
    // points past the row repeat its value, a horizontal line across the plot and off the picture.
    chart.picture = RecordingSurface(10335, 9495);
    chart.state.ExactXRange = true;
    prepareChartRecord(chart.state, chart.record);
    chart.record.Values.redim(1, 1, 1, chart.record.SeriesCount);
    chart.record.Values.at(1, 4) = 7.5f * 10000;
    chart.record.XMax = 1;
    chart.record.SeriesVisible.at(4) = true;
    chart.draw();
    QCOMPARE(chart.lines(DrawingSurface::Solid, 2).value(0), line(chart.X(0), chart.Y(7.5f), chart.X(3), chart.Y(7.5f)));  // X(3) lies off the picture
  }

  void drawingErasesTheEarlierChart() {
    PainterSurface once(457, 393, 2, 96), afterOther(457, 393, 2, 96);
    Chart initial, other;
    other.storeRecords(5);
    other.drawOn(afterOther);
    for (PainterSurface* surface : {&once, &afterOther}) initial.drawOn(*surface);
    QCOMPARE(afterOther.image(), once.image());
  }

  // Dashed lines one device pixel wide at A in red and B in green, labelled at the plot's right
  // end in the line's colour; the range widens as a stored value widens it, so that both lie
  // inside, and its label step never shrinks. The program's own label step stays as it was.
  void limitsOnTheLiveChart_data() {
    QTest::addColumn<QList<double>>("limits");  // A, B
    QTest::addColumn<float>("yMax");            // of the record
    QTest::addColumn<QList<float>>("range");    // the plot's bottom, top and label step
    QTest::newRow("logarithms of α = β = 0.01, inside -6..14") << QList<double>{4.59512, -4.59512} << 14.0f << QList<float>{-6, 14, 1};
    QTest::newRow("the ratio for α = β = 0.01: A widens the top") << QList<double>{99, 1 / 99.0} << 14.0f << QList<float>{-6, 100, 5};
    QTest::newRow("typed, B below the bottom") << QList<double>{-2, -30.5} << 14.0f << QList<float>{-31, 14, 1};
    QTest::newRow("B below values of up to 1000") << QList<double>{500, -30} << 1000.0f << QList<float>{-30, 1000, 50};
  }
  void limitsOnTheLiveChart() {
    QFETCH(QList<double>, limits);
    QFETCH(float, yMax);
    QFETCH(QList<float>, range);
    Chart chart;
    chart.record.YMax = yMax;
    chart.state.YLabelStep = yMax > 20 ? 50 : 1;
    chart.state.Limits = LeakLimits{limits[0], limits[1], LimitForm::LogRatio, {}, {}};
    chart.draw();
    QCOMPARE((QList<float>{chart.frame.yMin, chart.frame.yMax, chart.state.YLabelStep}), range.mid(0, 2) << (yMax > 20 ? 50 : 1));
    const QString highest = NumberText(range[1]), below = NumberText(range[1] - 1);  // labelled, the next one a step below
    QCOMPARE(chart.yMarksOnPicture().filter(QRegularExpression("^label (" + below + "|" + highest + ") ")).size(), range[2] == 1 ? 2 : 1);
    QStringList dashed, labels;
    for (const Entry& e : chart.picture.entries()) {
      if (e.op == Op::Line && e.drawStyle == DrawingSurface::Dashed)
        dashed << QStringLiteral("%1 %2 %3").arg(line(e.x1, e.y1, e.x2, e.y2)).arg(e.drawWidth).arg(e.colour, 0, 16);
      if (e.op == Op::Print && (e.text == "A" || e.text == "B"))
        labels << QStringLiteral("%1 %2 %3 %4 %5 %6").arg(e.text).arg(e.x1).arg(e.y1).arg(e.fontName).arg(e.fontSize).arg(e.colour, 0, 16);
    }
    const float a = chart.Y(float(limits[0])), b = chart.Y(float(limits[1])), left = chart.X(0), right = chart.X(20);
    QCOMPARE(dashed, (QStringList{line(left, a, right, a) + " 0 c8", line(left, b, right, b) + " 0 8000"}));
    // A label of a line above the X axis stays clear of the axis's arrow.
    const auto top = [&](double limit, float y) { return limit >= 0 ? std::max(y + 70, chart.Y(0) + 150) : y + 70; };
    QCOMPARE(labels, (QStringList{QStringLiteral("A %1 %2 Tahoma 7 c8").arg(right + 60).arg(top(limits[0], a)),
                                  QStringLiteral("B %1 %2 Tahoma 7 8000").arg(right + 60).arg(top(limits[1], b))}));
  }

  void leakBandsLieWhereRowsReachA_data() {
    QTest::addColumn<int>("records");
    QTest::addColumn<double>("ratio");
    for (const double ratio : {1.0, 2.0}) {
      QTest::addRow("300 records, one a pixel column or none, at %g", ratio) << 300 << ratio;
      QTest::addRow("100 000 records, crowded columns, at %g", ratio) << 100000 << ratio;
    }
  }
  // Each device pixel column that holds a record at or above A shows the band in the plot, behind
  // the grid; no other does. The reference looks at every record, where the renderer passes over
  // the records once with the series.
  void leakBandsLieWhereRowsReachA() {
    QFETCH(int, records);
    QFETCH(double, ratio);
    Chart chart;
    chart.storeRecords(records);
    const auto valueOf = [records](int p) { return 5 + 4.5 * std::sin(p * 40.0 / records) + (p % 7 == 3 ? 1.0 : 0.0); };
    for (int p = 1; p <= records; ++p) chart.series.values[p - 1] = float(valueOf(p) * 10000);
    chart.state.Limits = LeakLimits{8.25, -4, LimitForm::LogRatio, {}, {}};
    PainterSurface picture(457, 393, 2, 96, ratio);
    chart.drawOn(picture);
    const QImage image = picture.image();
    const QPointF origin = picture.positionOf({0, 0}), step = picture.positionOf({1, 1}) - origin;
    QSet<int> expected, banded, plain;
    for (int p = 1; p <= records; ++p)
      if (valueOf(p) >= 8.25) expected << int(std::floor((chart.X(float(p)) - origin.x()) / step.x() * ratio));
    const int top = int((chart.Y(13.5f) - origin.y()) / step.y() * ratio);  // between the grid lines of 13 and 14
    for (int x = 0; x < image.width(); ++x)
      for (int y = top; y < top + int(6 * ratio); ++y) {
        if (image.pixel(x, y) == qRgb(255, 225, 225)) banded << x;
        if (image.pixel(x, y) == qRgb(255, 255, 255)) plain << x;
      }
    QVERIFY(!expected.isEmpty() && plain.size() > image.width() / 2);
    QCOMPARE(banded & plain, QSet<int>());
    QCOMPARE(banded, expected & (banded | plain));
    QVERIFY(expected.size() - banded.size() <= 20 * ratio);  // columns of grid lines and the axis say neither
  }

  // At a device pixel ratio of 2 the chart has twice the pixels each way, drawn at that density
  // and not blown up: four dark pixels for each at 1, as lines are as wide and texts as large.
  void sharpAtTwiceThePixels() {
    Chart chart;
    PainterSurface single(457, 393, 2, 96), twice(457, 393, 2, 96, 2);
    for (PainterSurface* surface : {&single, &twice}) chart.drawOn(*surface);
    const QImage one = single.image(), two = twice.image();
    QCOMPARE(two.size(), one.size() * 2);
    QVERIFY(two != one.scaled(two.size()));  // not each pixel doubled
    const auto dark = [](const QImage& image) {
      const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
      return int(std::count_if(pixels, pixels + image.width() * image.height(), [](QRgb pixel) { return qGray(pixel) < 128; }));
    };
    QVERIFY2(std::abs(dark(two) - 4 * dark(one)) < dark(one) / 4, qPrintable(QStringLiteral("%1 %2").arg(dark(one)).arg(dark(two))));
  }
};

QTEST_MAIN(DrawChartTest)
#include "tst_drawchart.moc"
