#include "chart/ChartRecord.h"
#include "chart/DrawChart.h"
#include "support/RecordingSurface.h"
#include "chart/Scaling.h"
#include "support/TestEnvironment.h"

#include <QtTest>

using namespace kelvane;
using namespace kelvane::stdKelvane;

class ChartModelTest : public QObject {
  Q_OBJECT

 private slots:
  void defaultsFollowTheXRangeMode_data();
  void defaultsFollowTheXRangeMode();
  void mainWindowScaling();
  void equalScaleTakesTheSmallerFactor_data();
  void equalScaleTakesTheSmallerFactor();
  void zeroWidthRangeLeavesAnInfiniteFactor();
};

void ChartModelTest::defaultsFollowTheXRangeMode_data() {
  QTest::addColumn<bool>("exactXRange");
  QTest::addColumn<float>("xMax");
  QTest::addColumn<int>("lastPoint");
  QTest::newRow("stored chart") << true << 20.0f << 20;
  QTest::newRow("live chart") << false << 22.0f << 22;
}

void ChartModelTest::defaultsFollowTheXRangeMode() {
  QFETCH(bool, exactXRange);
  QFETCH(float, xMax);
  QFETCH(int, lastPoint);
  ProgramState state;
  state.ExactXRange = exactXRange;
  state.YLabelStep = 7;
  ChartRecord record;
  InitChartRecord(state, record);
  QCOMPARE(record.XMin, 0.0f);
  QCOMPARE(record.XMax, xMax);
  QCOMPARE(record.Values.lowerBound(), 0);
  QCOMPARE(record.Values.upperBound(), lastPoint);
  QCOMPARE(state.YLabelStep, 1.0f);
  QCOMPARE(record.YMin, -6.0f);
  QCOMPARE(record.YMax, 14.0f);
  QCOMPARE(record.SeriesCount, qint16(6));
  const QList<Colour> colours{paletteColour(9),  paletteColour(12), paletteColour(10),
                              paletteColour(9), paletteColour(12), paletteColour(10)};
  for (int k = 1; k <= 6; ++k) {
    QVERIFY(!record.SeriesVisible.at(k));
    QCOMPARE(record.SeriesColor.at(k), colours[k - 1]);
  }
  QCOMPARE(record.SeriesColor.at(1), rgbColour(0, 0, 255));
  QCOMPARE(record.BackColor, rgbColour(255, 255, 255));

  setPlotRanges(state, record);
  QCOMPARE(state.PlotXMax, 20.0f);
}

void ChartModelTest::mainWindowScaling() {
  testing::TestEnvironment test;
  ProgramState state;
  ChartRecord record;
  InitChartRecord(state, record);
  RecordingSurface picture(6855, 5895);
  DrawChart(picture, record, state, test.env);

  QCOMPARE(state.ScaleX, 307.75f);
  QCOMPARE(state.ScaleY, 264.75f);
  QCOMPARE(XToSurface(state, 0), 300.0f);
  QCOMPARE(XToSurface(state, 20), 300.0f + 20 * 307.75f);
  QCOMPARE(XToSurface(state, state.PlotXMax), 6855.0f - 400);
  QCOMPARE(YToSurface(state, -6), 300.0f);
  QCOMPARE(YToSurface(state, 0), 300.0f + 6 * 264.75f);
  QCOMPARE(YToSurface(state, 14), 5895.0f - 300);
  const auto scale = picture.entries(RecordingSurface::Op::SetScale);
  QCOMPARE(scale.size(), 1);
  QCOMPARE(scale[0].y1, 5895.0f);  // y grows upwards
  QCOMPARE(scale[0].x2, 6855.0f);
  QCOMPARE(scale[0].y2, 0.0f);
}

void ChartModelTest::equalScaleTakesTheSmallerFactor_data() {
  QTest::addColumn<float>("width");
  QTest::addColumn<float>("height");
  QTest::addColumn<float>("factor");
  QTest::newRow("wide picture: the vertical factor") << 6855.0f << 5895.0f << 264.75f;
  QTest::newRow("tall picture: the horizontal factor") << 3000.0f << 9000.0f << 115.0f;
}

void ChartModelTest::equalScaleTakesTheSmallerFactor() {
  QFETCH(float, width);
  QFETCH(float, height);
  QFETCH(float, factor);
  testing::TestEnvironment test;
  ProgramState state;
  ChartRecord record;
  InitChartRecord(state, record);
  record.EqualScale = true;
  RecordingSurface picture(width, height);
  DrawChart(picture, record, state, test.env);
  QCOMPARE(state.ScaleX, factor);
  QCOMPARE(state.ScaleY, factor);
}

void ChartModelTest::zeroWidthRangeLeavesAnInfiniteFactor() {
  testing::TestEnvironment test;
  ProgramState state;
  state.ExactXRange = true;
  state.ScaleX = 123;  // from an earlier chart: must not survive
  ChartRecord record;
  InitChartRecord(state, record);
  record.XMax = record.XMin;
  RecordingSurface picture(6855, 5895);
  DrawChart(picture, record, state, test.env);
  QVERIFY(std::isinf(state.ScaleX));
  QCOMPARE(state.ScaleY, 264.75f);
  QVERIFY_THROWS_EXCEPTION(RuntimeError, XToSurface(state, 0));
}

QTEST_GUILESS_MAIN(ChartModelTest)
#include "tst_chartmodel.moc"
