#include "support/EntryFixture.h"
#include "support/MeasurementDatabase.h"

#include "handlers/QueryDialog.h"
#include "handlers/DatabaseButton.h"
#include "handlers/FullScreenChart.h"
#include "state/TextResources.h"

#include <QtTest>

using namespace kelvane;
using namespace kelvane::testing;

// Presses Full screen; gives the segments drawn in the full-screen series' light blue.
static int pressFullScreen(EntryFixture& f) {
  btnMaximized_Click(f.program);
  const QList<RecordingSurface::Entry> lines = f.window.fullScreen->picture.entries(RecordingSurface::Op::Line);
  return int(std::count_if(lines.begin(), lines.end(), [](const auto& line) { return line.colour == paletteColour(Palette::LightBlue); }));
}

// The chart before the press (the last query, or without one the recent records), the rows of
// GraphData and the Data of the last one (invalid: like the others), and what the press shows.
struct ChartBefore { QString query; int rows; QVariant lastData; int segments; QStringList messages; };
Q_DECLARE_METATYPE(ChartBefore)

class FullScreenChartTest : public QObject {
  Q_OBJECT

 private slots:
  void calculationRunIsRedrawnUnchanged_data() {
    QTest::addColumn<int>("values");
    QTest::addColumn<QVariantList>("drawn");  // segments, lowest x, lowest y
    QTest::newRow("none yet (a refused press)") << 0 << QVariantList{0, 0, -6};
    QTest::newRow("5 values") << 5 << QVariantList{4, 0, -6};
    QTest::newRow("30 values: the main window's last range") << 30 << QVariantList{20, 9, 0};
  }
  void calculationRunIsRedrawnUnchanged() {
    QFETCH(int, values);
    QFETCH(QVariantList, drawn);
    EntryFixture f;
    for (int i = 1; i <= std::max(values, 1); ++i) f.press(values ? QString::number(i) : "abc");
    f.test.messages.shown.clear();
    const float windowStart = f.state.WindowStart;
    for (int press = 0; press < 2; ++press) {  // a second press draws the same again
      const int segments = pressFullScreen(f);
      const ChartFrame& frame = f.window.fullScreen->picture.LastChart()->frame;
      QCOMPARE((QVariantList{segments, frame.xMin, frame.yMin, f.state.WindowStart, f.window.fullScreen->clock.date,
                             f.test.messages.shown.size()}),
               (drawn + QVariantList{windowStart, "05/12/2010", 0}));
      f.window.fullScreen->picture.clear();
    }
  }

  // The rows are read again, with the one a collector added meanwhile.
  void storedRowsAreReadAgain_data() {
    QTest::addColumn<ChartBefore>("chart");
    QTest::newRow("recent records, 7 rows and 1 more") << ChartBefore{"", 7, {}, 8, {}};
    QTest::newRow("recent records, 50 rows and 1 more: the 20 newest") << ChartBefore{"", 50, {}, 20, {}};
    QTest::newRow("recent records, empty table") << ChartBefore{"", 0, {}, 0, {}};
    QTest::newRow("last query, 12 rows and 1 more") << ChartBefore{"SELECT * FROM GraphData ORDER BY number", 12, {}, 13, {}};
    QTest::newRow("a stored value that is no number")
        << ChartBefore{"", 3, "abc", 0, {LoadResString(TextId::FullScreenTypeMismatch)}};
    QTest::newRow("an empty stored value, silently") << ChartBefore{"", 3, QVariant(QMetaType::fromType<double>()), 0, {}};
  }
  void storedRowsAreReadAgain() {
    QFETCH(ChartBefore, chart);
    EntryFixture f;
    f.state.DatabasePath = f.path("m.db");
    SqliteMeasurementDatabase file(f.state.DatabasePath);
    file.withGraphData();
    for (int n = 1; n <= chart.rows; ++n) file.withRow(n, n == chart.rows && chart.lastData.isValid() ? chart.lastData : QVariant(n / 2.0));
    FakeQueryDialog dialog;
    dialog.text = chart.query;
    chart.query.isEmpty() ? btnSPRT_Click(f.program) : btnSelect_Click(f.program, dialog);
    if (chart.rows > 0) file.withRow(chart.rows + 1, 3.0);
    f.test.messages.shown.clear();
    const int segments = pressFullScreen(f);
    const auto kept = f.window.fullScreen->picture.LastChart();
    QCOMPARE((QVariantList{segments, kept ? kept->frame.xMax : -1, f.window.fullScreen->timesShown, f.test.messages.texts()}),
             (QVariantList{chart.segments, chart.segments ? chart.segments : -1, 1, chart.messages}));
    QCOMPARE(f.window.fullScreen->picture.entries().isEmpty(), chart.segments == 0);  // not even the axes
  }

  // After Reset, or before any chart, the button shows nothing and says nothing.
  void otherModesShowNoWindow_data() {
    QTest::addColumn<QString>("mode");
    QTest::newRow("fresh start") << QString();
    QTest::newRow("after Reset") << Mode::Reset;
  }
  void otherModesShowNoWindow() {
    QFETCH(QString, mode);
    EntryFixture f;
    f.press("3");
    f.state.OperatingMode = mode;
    btnMaximized_Click(f.program);
    QVERIFY(!f.window.fullScreen && f.test.messages.shown.isEmpty());
  }
};

QTEST_GUILESS_MAIN(FullScreenChartTest)
#include "tst_fullscreenchart.moc"
