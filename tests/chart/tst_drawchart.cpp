#include "chart/ChartFonts.h"
#include "chart/ChartRecord.h"
#include "chart/DrawChart.h"
#include "chart/PainterSurface.h"
#include "support/RecordingSurface.h"
#include "chart/Scaling.h"
#include "support/TestEnvironment.h"

#include <QtTest>

using namespace kelvane;
using namespace kelvane::stdKelvane;
using Op = RecordingSurface::Op;
using Entry = RecordingSurface::Entry;

namespace {

constexpr float kWidth = 6855, kHeight = 5895;  // the main window's picture box

struct Chart {
  Chart() { InitChartRecord(state, record); }

  void draw() {
    picture.clear();
    DrawChart(picture, record, state, test.env);
  }
  float X(float x) const { return XToSurface(state, x); }
  float Y(float y) const { return YToSurface(state, y); }

  // A chart of stored records as the Database button prepares it: record p at x = p.
  void storeRecords(const QStringList& times, const QStringList& dates, const QString& mode = Mode::Database) {
    state.LiveChart = false;
    state.ExactXRange = true;
    state.OperatingMode = mode;
    InitChartRecord(state, record);
    record.SeriesVisible.at(1) = true;
    const int count = int(times.size());
    record.Values.redim(1, count, 1, record.SeriesCount);
    state.PointLabels.redim(1, count);
    state.PointDates.redim(1, count);
    for (int p = 1; p <= count; ++p) {
      record.Values.at(p, 1) = float(p) * 10000;
      state.PointLabels.set(p, times[p - 1]);
      state.PointDates.set(p, dates[p - 1]);
    }
    record.XMax = float(count);
    state.ChartRecordCount = count;
  }

  QList<Entry> lines(int style) const {
    QList<Entry> result;
    for (const Entry& line : picture.entries(Op::Line))
      if (line.drawStyle == style && line.drawWidth == 1) result.append(line);
    return result;
  }
  QList<Entry> seriesLines() const {
    QList<Entry> result;
    for (const Entry& line : picture.entries(Op::Line))
      if (line.drawWidth == 2) result.append(line);
    return result;
  }
  // The labels printed at the surface height y.
  QStringList printsAt(float y) const {
    QStringList result;
    for (const Entry& print : picture.entries(Op::Print))
      if (qFuzzyCompare(print.y1, y)) result.append(print.text);
    return result;
  }

  testing::TestEnvironment test;
  ProgramState state;
  ChartRecord record;
  RecordingSurface picture{kWidth, kHeight};
};

QStringList numbers(int from, int to, int step = 1) {
  QStringList result;
  for (int n = from; n <= to; n += step) result.append(QString::number(n));
  return result;
}

QStringList repeated(const QString& text, int count) { return QStringList(count, text); }

QStringList consecutiveDays(int count) {
  QStringList result;
  for (int day = 1; day <= count; ++day) result.append(QStringLiteral("%1.12.2005").arg(day, 2, 10, QLatin1Char('0')));
  return result;
}

}  // namespace

class DrawChartTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { installChartFonts(); }
  void initialChartAxesAndArrows();
  void initialChartTicksAndLabels();
  void initialChartGrid();
  void storedLabelsAlternateRows();
  void storedDates_data();
  void storedDates();
  void largeLabelStepDrawsWhatShows();
  void hugeRangesStayBounded_data();
  void hugeRangesStayBounded();
  void zeroWidthXRangeDrawsNothingThatDependsOnX();
  void storedPolylineStartsAtItsFirstPoint_data();
  void storedPolylineStartsAtItsFirstPoint();
  void liveSeriesAndTimeLabel();
  void drawingErasesTheEarlierChart();
  void chartFontResolves();
};

void DrawChartTest::initialChartAxesAndArrows() {
  Chart chart;
  chart.state.LiveChart = true;
  chart.draw();
  const float y0 = chart.Y(0), x0 = chart.X(0), xEnd = chart.X(20) + 250, yEnd = chart.Y(14) + 250;
  const QList<Entry> solid = chart.lines(DrawingSurface::Solid);
  const auto has = [&](float x1, float y1, float x2, float y2) {
    return std::any_of(solid.begin(), solid.end(), [&](const Entry& l) {
      return qFuzzyCompare(l.x1, x1) && qFuzzyCompare(l.y1, y1) && qFuzzyCompare(l.x2, x2) && qFuzzyCompare(l.y2, y2);
    });
  };
  QVERIFY(has(x0 - 100, y0, xEnd, y0));                 // X axis
  QVERIFY(has(x0, chart.Y(-6) - 100, x0, yEnd));        // Y axis
  QVERIFY(has(xEnd, y0, xEnd - 100, y0 - 50));          // X arrow head
  QVERIFY(has(xEnd, y0, xEnd - 100, y0 + 50));
  QVERIFY(has(x0, yEnd, x0 - 50, yEnd - 100));          // Y arrow head
  QVERIFY(has(x0, yEnd, x0 + 50, yEnd - 100));
  QVERIFY(chart.seriesLines().isEmpty());               // no series is visible
}

void DrawChartTest::initialChartTicksAndLabels() {
  Chart chart;
  chart.state.LiveChart = true;
  chart.draw();
  const float y0 = chart.Y(0);
  int xTicks = 0, yTicks = 0;
  for (const Entry& l : chart.lines(DrawingSurface::Solid)) {
    if (qFuzzyCompare(l.y1, y0 + 30) && qFuzzyCompare(l.y2, y0 - 30)) ++xTicks;
    if (qFuzzyCompare(l.x1, chart.X(0) + 30) && qFuzzyCompare(l.x2, chart.X(0) - 30)) ++yTicks;
  }
  QCOMPARE(xTicks, 21);
  QCOMPARE(yTicks, 21);
  QCOMPARE(chart.printsAt(y0 - 70), numbers(0, 20));
  QStringList yLabels;
  for (const Entry& print : chart.picture.entries(Op::Print)) {
    if (!qFuzzyCompare(print.y1, y0 - 70)) {
      yLabels.append(print.text);
      QCOMPARE(print.x1, chart.X(0) - 150 - 40 * float(print.text.size()));
      QCOMPARE(print.fontName, QStringLiteral("Tahoma"));
      QCOMPARE(print.fontSize, 7.0f);
    }
  }
  QCOMPARE(yLabels, numbers(-6, 14));  // 0 included
}

void DrawChartTest::initialChartGrid() {
  Chart chart;
  chart.state.LiveChart = true;
  chart.draw();
  QList<float> vertical, horizontal;
  for (const Entry& l : chart.lines(DrawingSurface::Dotted)) {
    if (l.x1 == l.x2) {
      QCOMPARE(l.y1, chart.Y(-6));
      QCOMPARE(l.y2, chart.Y(14));
      vertical.append(l.x1);
    } else {
      QCOMPARE(l.x1, chart.X(0));
      QCOMPARE(l.x2, chart.X(20));
      horizontal.append(l.y1);
    }
  }
  QList<float> expectedVertical, expectedHorizontal;
  for (int i = 1; i <= 20; ++i) expectedVertical.append(chart.X(float(i)));
  for (int j = -6; j <= 14; ++j)
    if (j != 0) expectedHorizontal.append(chart.Y(float(j)));
  QCOMPARE(vertical, expectedVertical);
  QCOMPARE(horizontal, expectedHorizontal);
}

void DrawChartTest::storedLabelsAlternateRows() {
  Chart chart;
  const QStringList times{QStringLiteral("14:08:45"), QStringLiteral("14:08:46"), QStringLiteral("14:08:47")};
  chart.storeRecords(times, repeated(QStringLiteral("01.12.2005"), 3));
  chart.draw();
  const float y0 = chart.Y(0);
  const int timeLength = chart.test.env.regional.longTime(chart.test.clock.now().time()).size();
  QCOMPARE(chart.printsAt(y0 - 70), (QStringList{times[0], times[2]}));  // odd records
  QCOMPARE(chart.printsAt(y0 - 240), (QStringList{times[1]}));            // even records
  for (const Entry& print : chart.picture.entries(Op::Print)) {
    const int index = int(times.indexOf(print.text));
    if (index < 0) continue;
    QCOMPARE(print.x1, chart.X(float(index + 1)) - 20 * float(timeLength));
    QCOMPARE(print.fontSize, 6.0f);
  }
}

void DrawChartTest::storedDates_data() {
  QTest::addColumn<QString>("mode");
  QTest::addColumn<QStringList>("dates");
  QTest::addColumn<QStringList>("printed");
  const QStringList days = consecutiveDays(20);
  const QStringList oneDay = repeated(QStringLiteral("01.12.2005"), 20);
  QTest::newRow("20 records on consecutive days") << Mode::Database << days << days;
  QTest::newRow("20 records of one day") << Mode::Database << oneDay << QStringList{oneDay[0]};
  QTest::newRow("query rows with a change of day")
      << Mode::SQLquery << (repeated("01.12.2005", 3) + repeated("02.12.2005", 2))
      << QStringList{"01.12.2005", "02.12.2005"};
  QTest::newRow("after reset: no dates") << Mode::Reset << days << QStringList{};
  QTest::newRow("live mode: no dates") << Mode::Calculation << days << QStringList{};
}

void DrawChartTest::storedDates() {
  QFETCH(QString, mode);
  QFETCH(QStringList, dates);
  QFETCH(QStringList, printed);
  Chart chart;
  chart.storeRecords(repeated(QStringLiteral("14:08:45"), int(dates.size())), dates, mode);
  chart.draw();
  const float y0 = chart.Y(0);
  const int dateLength = chart.test.env.regional.shortDate(chart.test.clock.now().date()).size();
  QStringList seen;
  for (const Entry& print : chart.picture.entries(Op::Print)) {
    const bool evenRow = qFuzzyCompare(print.y1, y0 - 400), oddRow = qFuzzyCompare(print.y1, y0 - 550);
    if (!evenRow && !oddRow) continue;
    seen.append(print.text);
    QCOMPARE(print.fontSize, 8.0f);
    // The date of record p is placed under p, on the row of the record before it.
    const int p = int(dates.indexOf(print.text)) + 1;
    QCOMPARE(print.x1, chart.X(float(p)) - 40 * float(dateLength));
    QCOMPARE(evenRow, (p - 1) % 2 == 0);
  }
  QCOMPARE(seen, printed);
}

void DrawChartTest::largeLabelStepDrawsWhatShows() {
  Chart chart;
  chart.state.LiveChart = true;
  chart.record.YMax = 100;
  chart.state.YLabelStep = 5;
  chart.draw();
  QStringList onSurface;
  for (const Entry& l : chart.lines(DrawingSurface::Solid)) {
    if (!qFuzzyCompare(l.x1, chart.X(0) + 30) || !qFuzzyCompare(l.x2, chart.X(0) - 30)) continue;
    if (l.y1 >= 0 && l.y1 <= kHeight) onSurface.append(QString::number((l.y1 - chart.Y(0)) / chart.state.ScaleY));
  }
  // Ticks stand at multiples of 5 from -30 to 500; those on the picture reach from -10 to 105.
  QCOMPARE(onSurface, numbers(-10, 105, 5));
  QVERIFY(chart.printsAt(chart.Y(100) + 70).contains(QStringLiteral("100")));
  QVERIFY(chart.printsAt(chart.Y(-5) + 70).contains(QStringLiteral("-5")));
}

void DrawChartTest::hugeRangesStayBounded_data() {
  QTest::addColumn<float>("yMax");
  QTest::addColumn<float>("labelStep");
  QTest::addColumn<float>("xMax");
  QTest::newRow("a range of a billion, step 1") << 1e9f << 1.0f << 22.0f;
  QTest::newRow("a range of a billion, the widened step") << 1e9f << 5e7f << 22.0f;
  QTest::newRow("beyond a Single counter's reach") << 1e30f << 1.0f << 22.0f;
  QTest::newRow("an X range beyond a Single counter's reach") << 14.0f << 1.0f << 1e30f;
}

void DrawChartTest::hugeRangesStayBounded() {
  QFETCH(float, yMax);
  QFETCH(float, labelStep);
  QFETCH(float, xMax);
  Chart chart;
  chart.state.LiveChart = true;
  chart.record.YMax = yMax;
  chart.record.XMax = xMax;
  chart.state.YLabelStep = labelStep;
  chart.draw();  // returns at all: the loops are bounded by the picture
  QVERIFY2(chart.picture.entries().size() < 200000, qPrintable(QString::number(chart.picture.entries().size())));
  QCOMPARE(chart.picture.entries(Op::SetBackColor).size(), 1);
  QVERIFY(!chart.lines(DrawingSurface::Dotted).isEmpty());
}

void DrawChartTest::zeroWidthXRangeDrawsNothingThatDependsOnX() {
  Chart chart;
  chart.storeRecords({QStringLiteral("14:08:45")}, {QStringLiteral("01.12.2005")});
  chart.record.XMax = chart.record.XMin;
  chart.draw();
  QVERIFY(chart.picture.entries(Op::Line).isEmpty());
  QVERIFY(chart.picture.entries(Op::Print).isEmpty());
  QCOMPARE(chart.picture.entries(Op::SetBackColor).size(), 1);  // the old chart is erased all the same
}

void DrawChartTest::storedPolylineStartsAtItsFirstPoint_data() {
  QTest::addColumn<int>("records");
  QTest::addColumn<float>("width");
  QTest::newRow("one record on the main window") << 1 << kWidth;
  QTest::newRow("20 records on the main window") << 20 << kWidth;
  QTest::newRow("20 records on the full-screen window") << 20 << 10335.0f;
}

void DrawChartTest::storedPolylineStartsAtItsFirstPoint() {
  QFETCH(int, records);
  QFETCH(float, width);
  Chart chart;
  chart.picture = RecordingSurface(width, kHeight);
  chart.storeRecords(repeated(QStringLiteral("14:08:45"), records), repeated(QStringLiteral("01.12.2005"), records));
  chart.draw();
  const QList<Entry> series = chart.seriesLines();
  QCOMPARE(series.size(), records);
  QCOMPARE(series[0].x1, chart.X(1));
  QCOMPARE(series[0].y1, chart.Y(1));
  for (int p = 1; p <= records; ++p) {
    QCOMPARE(series[p - 1].x2, chart.X(float(p)));
    QCOMPARE(series[p - 1].y2, chart.Y(float(p)));
    QCOMPARE(series[p - 1].colour, rgbColour(0, 0, 255));
  }
}

void DrawChartTest::liveSeriesAndTimeLabel() {
  Chart chart;
  chart.state.LiveChart = true;
  chart.state.LastEntryTime = QTime(14, 8, 45);
  chart.record.SeriesVisible.at(1) = true;
  for (int p = 1; p <= 3; ++p) chart.record.Values.at(p, 1) = float(p) * 10000;
  chart.state.PointCounter = 3 + 2;  // three values in the window
  chart.draw();
  const QList<Entry> series = chart.seriesLines();
  QCOMPARE(series.size(), 2);  // a polyline through three points
  QCOMPARE(series[0].x1, chart.X(0));
  QCOMPARE(series[0].y1, chart.Y(1));
  QCOMPARE(series[1].x2, chart.X(2));
  QCOMPARE(series[1].y2, chart.Y(3));
  const QStringList atTimeRow = chart.printsAt(chart.Y(0) - 350);
  QCOMPARE(atTimeRow, QStringList{QStringLiteral("14:08:45")});
  for (const Entry& print : chart.picture.entries(Op::Print))
    if (print.text == QStringLiteral("14:08:45")) QCOMPARE(print.x1, chart.X(3) - 630);

  chart.state.MaximizedChart = true;
  chart.draw();
  QCOMPARE(chart.printsAt(chart.Y(0) - 430), QStringList{QStringLiteral("14:08:45")});
}

void DrawChartTest::drawingErasesTheEarlierChart() {
  testing::TestEnvironment test;
  const auto drawInitial = [&](PainterSurface& surface) {
    ProgramState state;
    state.LiveChart = true;
    ChartRecord record;
    InitChartRecord(state, record);
    DrawChart(surface, record, state, test.env);
  };
  PainterSurface once(457, 393, 2, 96), afterOther(457, 393, 2, 96);
  drawInitial(once);
  {
    Chart other;
    other.storeRecords(repeated(QStringLiteral("14:08:45"), 5), consecutiveDays(5));
    other.record.YMax = 40;
    DrawChart(afterOther, other.record, other.state, test.env);
  }
  drawInitial(afterOther);
  QCOMPARE(afterOther.image(), once.image());
  drawInitial(once);
  QCOMPARE(afterOther.image(), once.image());
}

void DrawChartTest::chartFontResolves() {
  // With no font at all the labels would be boxes and a pixel count would not notice.
  const QFontInfo info(QFont(QStringLiteral("Tahoma")));
  QVERIFY2(info.family() == QStringLiteral("Tahoma") || info.family() == QStringLiteral("DejaVu Sans"),
           qPrintable(info.family()));
}

QTEST_MAIN(DrawChartTest)
#include "tst_drawchart.moc"
