#include "support/EntryFixture.h"
#include "support/MeasurementDatabase.h"

#include "chart/ChartRecord.h"
#include "database/PeriodQuery.h"
#include "database/RecentRecords.h"
#include "entry/ResetAndClock.h"
#include "shell/FullScreenChart.h"
#include "shell/TextResources.h"

#include <QtTest>

using namespace kelvane;
using namespace kelvane::testing;

class FullScreenChartTest : public QObject {
  Q_OBJECT

 private slots:
  void calculationRunIsRedrawnUnchanged_data();
  void calculationRunIsRedrawnUnchanged();
  void storedRowsAreReadAgain_data();
  void storedRowsAreReadAgain();
  void otherModesShowNoWindow_data();
  void otherModesShowNoWindow();
  void dataThatIsNoNumberIsReported();
};

namespace {


// The points of the polyline drawn in series 4's colour.
int seriesFourSegments(const RecordingSurface& picture) {
  int segments = 0;
  for (const RecordingSurface::Entry& line : picture.entries(RecordingSurface::Op::Line))
    if (line.colour == paletteColour(Palette::LightBlue)) ++segments;
  return segments;
}

void fillDatabase(EntryFixture& f, int rows, const QVariant& lastData = QVariant()) {
  SqliteMeasurementDatabase file(f.path("m.db"));
  file.withGraphData();
  for (int n = 1; n <= rows; ++n) file.withRow(n, n == rows && lastData.isValid() ? lastData : QVariant(n / 2.0));
  f.state.DatabasePath = f.path("m.db");
}

}  // namespace

void FullScreenChartTest::calculationRunIsRedrawnUnchanged_data() {
  QTest::addColumn<int>("values");
  QTest::addColumn<float>("xMin");
  QTest::addColumn<int>("segments");
  QTest::newRow("none yet (a refused press)") << 0 << 0.0f << 0;
  QTest::newRow("5 values") << 5 << 0.0f << 4;
  QTest::newRow("30 values: the main window's last range") << 30 << 9.0f << 20;
}

void FullScreenChartTest::calculationRunIsRedrawnUnchanged() {
  QFETCH(int, values);
  QFETCH(float, xMin);
  QFETCH(int, segments);
  EntryFixture f;
  f.press(values == 0 ? "abc" : "1");
  for (int i = 2; i <= values; ++i) f.press(QString::number(i));
  f.test.messages.shown.clear();
  const float windowStart = f.state.WindowStart;
  const QList<double> fullScreenValues = f.state.FullScreenWindowValues;

  btnMaximized_Click(f.program);
  QVERIFY(f.test.messages.shown.isEmpty());
  QCOMPARE(f.window.fullScreen->timesShown, 1);
  QCOMPARE(f.window.fullScreen->clock.date, QStringLiteral("05/12/2010"));
  QVERIFY(f.state.MaximizedChart);
  QCOMPARE(f.state.PlotXMin, xMin);
  QCOMPARE(f.state.PlotYMin, values > 14 ? 0.0f : -6.0f);
  QVERIFY(seriesFourSegments(f.window.fullScreen->picture) >= segments);
  QCOMPARE(f.state.WindowStart, windowStart);
  QCOMPARE(f.state.FullScreenWindowValues, fullScreenValues);

  // A second press draws the same again in the same window.
  const int drawn = f.window.fullScreen->picture.entries().size();
  f.window.fullScreen->picture.clear();
  btnMaximized_Click(f.program);
  QCOMPARE(f.window.fullScreen->picture.entries().size(), drawn);
  QCOMPARE(f.window.fullScreen->timesShown, 2);
}

void FullScreenChartTest::storedRowsAreReadAgain_data() {
  QTest::addColumn<bool>("query");
  QTest::addColumn<int>("rows");
  QTest::addColumn<float>("xMax");
  QTest::newRow("recent records, 7 rows and 1 more") << false << 7 << 8.0f;
  QTest::newRow("recent records, 50 rows and 1 more") << false << 50 << 20.0f;
  QTest::newRow("recent records, empty table") << false << 0 << 0.0f;
  QTest::newRow("last query, 12 rows and 1 more") << true << 12 << 13.0f;
}

void FullScreenChartTest::storedRowsAreReadAgain() {
  QFETCH(bool, query);
  QFETCH(int, rows);
  QFETCH(float, xMax);
  EntryFixture f;
  fillDatabase(f, rows);
  if (query) {
    mnuSQLquery_Click(f.program);
    f.window.queryDialog->text = "SELECT * FROM GraphData ORDER BY number";
    btnSelect_Click(f.program, *f.window.queryDialog);
  } else {
    btnSPRT_Click(f.program);
  }
  // Rows added meanwhile are read too.
  if (rows > 0) SqliteMeasurementDatabase(f.path("m.db")).withRow(rows + 1, 3.0);
  f.state.PlotXMax = -1;

  btnMaximized_Click(f.program);
  QVERIFY(f.test.messages.shown.isEmpty());
  QCOMPARE(f.window.fullScreen->timesShown, 1);
  if (rows == 0) {
    QVERIFY(f.window.fullScreen->picture.entries().isEmpty());
    return;
  }
  QCOMPARE(f.state.PlotXMax, xMax);
  QVERIFY(seriesFourSegments(f.window.fullScreen->picture) > 0);
}

void FullScreenChartTest::otherModesShowNoWindow_data() {
  QTest::addColumn<QString>("mode");
  QTest::newRow("fresh start") << QString();
  QTest::newRow("after Reset") << Mode::Reset;
}

void FullScreenChartTest::otherModesShowNoWindow() {
  QFETCH(QString, mode);
  EntryFixture f;
  f.press("3");
  f.state.OperatingMode = mode;
  btnMaximized_Click(f.program);
  QVERIFY(!f.window.fullScreen || f.window.fullScreen->timesShown == 0);
  QVERIFY(f.test.messages.shown.isEmpty());
}

void FullScreenChartTest::dataThatIsNoNumberIsReported() {
  EntryFixture f;
  fillDatabase(f, 3, "abc");
  f.state.OperatingMode = Mode::Database;
  btnMaximized_Click(f.program);
  QCOMPARE(f.test.messages.texts(), QStringList{LoadResString(TextId::FullScreenTypeMismatch)});
  QCOMPARE(f.test.messages.shown.first().icon, MessageIcon::Exclamation);
  QVERIFY(f.window.fullScreen->picture.entries().isEmpty());
  // An empty value fails too, but silently.
  f.test.messages.shown.clear();
  SqliteMeasurementDatabase(f.path("m.db")).run("UPDATE GraphData SET Data = NULL WHERE number = 3");
  btnMaximized_Click(f.program);
  QVERIFY(f.test.messages.shown.isEmpty());
}

QTEST_GUILESS_MAIN(FullScreenChartTest)
#include "tst_fullscreenchart.moc"
