#include "chart/ChartFonts.h"
#include "support/ChartOracle.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace kelvane;

// Charts of rows in any order, each drawn, zoomed into, summed up and decided on as plain loops over
// the rows in time order find them.
class ChartOracleTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { installChartFonts(); }

  void agreesWithThePlainComputation_data() {
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<int>("mostRows");
    for (quint32 seed = 1; seed <= 150; ++seed) QTest::addRow("seed %u, a few rows", seed) << seed << 40;
    for (quint32 seed = 1; seed <= 30; ++seed) QTest::addRow("seed %u, crowded pixel columns", seed) << seed << 5000;
  }
  void agreesWithThePlainComputation() {
    QFETCH(quint32, seed);
    QFETCH(int, mostRows);
    QRandomGenerator random(seed);
    const testing::Pick pick = [&](quint32 bound) { return bound == 0 ? 0 : random.bounded(bound); };
    const testing::OracleCase oracle = testing::randomCase(pick, mostRows);
    const QString found = testing::disagreement(oracle, pick);
    QVERIFY2(found.isEmpty(), qPrintable(found));
  }
};

QTEST_MAIN(ChartOracleTest)
#include "tst_chartoracle.moc"
