#include "support/EntryFixture.h"
#include "support/MeasurementDatabase.h"

#include "shell/TextResources.h"

#include <QtTest>

using namespace kelvane;
using namespace kelvane::testing;

class CalculationStepTest : public QObject {
  Q_OBJECT

 private slots:
  void windowMovesOnAsPressed_data();
  void windowMovesOnAsPressed();
  void verticalRangeFollowsNewestValue_data();
  void verticalRangeFollowsNewestValue();
  void olderValuesDoNotWidenTheRange();
  void refusedTextChangesOnlyTheCounters_data();
  void refusedTextChangesOnlyTheCounters();
  void refusedTextsDoNotLoseLaterValues();
  void firstPressAfterStoredChartContinuesTheWindow();
  void decimalCommaKeepsTheTypedText();
  void logLinesByteForByte();
  void pressAtMidnightShowsDateOnly();
};

namespace {
QString number(int i) { return QString::number(i); }
}  // namespace

void CalculationStepTest::windowMovesOnAsPressed_data() {
  QTest::addColumn<int>("presses");
  QTest::addColumn<int>("mainItems");
  QTest::addColumn<int>("fullScreenItems");
  QTest::addColumn<float>("drawnXMin");
  QTest::addColumn<float>("windowStart");
  QTest::addColumn<int>("scrollCount");
  QTest::newRow("first") << 1 << 1 << 1 << 0.0f << 0.0f << 0;
  QTest::newRow("window just full") << 20 << 20 << 20 << 0.0f << 0.0f << 0;
  QTest::newRow("21st drawn on 0..22, then moves") << 21 << 20 << 21 << 0.0f << 1.0f << 1;
  QTest::newRow("22nd drawn on 1..23") << 22 << 20 << 21 << 1.0f << 2.0f << 2;
  QTest::newRow("30th drawn on 9..31") << 30 << 20 << 21 << 9.0f << 10.0f << 10;
}

void CalculationStepTest::windowMovesOnAsPressed() {
  QFETCH(int, presses);
  QFETCH(int, mainItems);
  QFETCH(int, fullScreenItems);
  QFETCH(float, drawnXMin);
  QFETCH(float, windowStart);
  QFETCH(int, scrollCount);
  EntryFixture f;
  for (int i = 1; i <= presses; ++i) f.press(number(i));
  QCOMPARE(f.state.MainWindowValues.size(), mainItems);
  QCOMPARE(f.state.FullScreenWindowValues.size(), fullScreenItems);
  QCOMPARE(f.state.PlotXMin, drawnXMin);
  QCOMPARE(f.state.PlotXMax, drawnXMin + 20);  // the live plot leaves the record's last two x out
  QCOMPARE(f.state.WindowStart, windowStart);
  QCOMPARE(f.state.ScrollCount, scrollCount);
  QCOMPARE(f.state.scaleStored, qint32(windowStart));
  QCOMPARE(f.state.MainWindowValues.last(), presses * 10000.0);
  QCOMPARE(f.state.FullScreenWindowValues.first(), (presses - fullScreenItems + 1) * 10000.0);
  for (int row = 0; row <= kPointTableLastRow; ++row) QVERIFY(f.state.PointTable.at(row, kMainSeriesColumn).isNull());
  QCOMPARE(f.window.List1.size(), presses);
  QVERIFY(f.test.messages.shown.isEmpty());
}

void CalculationStepTest::verticalRangeFollowsNewestValue_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<float>("yMin");
  QTest::addColumn<float>("yMax");
  QTest::addColumn<float>("labelStep");
  QTest::newRow("inside the defaults") << "3" << -6.0f << 14.0f << 1.0f;
  QTest::newRow("exactly 14") << "14" << 0.0f << 15.0f << 1.0f;
  QTest::newRow("19.5") << "19.5" << 0.0f << 20.0f << 1.0f;
  QTest::newRow("exactly 20 takes the coarse rule") << "20" << 0.0f << 21.0f << 1.0f;
  QTest::newRow("45") << "45" << 0.0f << 46.0f << 2.0f;
  QTest::newRow("exactly -6") << "-6" << -6.0f << 1.0f << 1.0f;
  QTest::newRow("-19.5") << "-19.5" << -20.0f << 1.0f << 1.0f;
  QTest::newRow("-45") << "-45" << -45.0f << 1.0f << 2.0f;
  QTest::newRow("largest accepted") << "3.4E+34" << 0.0f << 3.4e34f << 1.7e33f;
}

void CalculationStepTest::verticalRangeFollowsNewestValue() {
  QFETCH(QString, typed);
  QFETCH(float, yMin);
  QFETCH(float, yMax);
  QFETCH(float, labelStep);
  EntryFixture f;
  f.press(typed);
  QCOMPARE(f.state.PlotYMin, yMin);
  QCOMPARE(f.state.PlotYMax, yMax);
  QCOMPARE(f.state.YLabelStep, labelStep);
  QCOMPARE(f.window.List1, QStringList{"1"});
}

void CalculationStepTest::olderValuesDoNotWidenTheRange() {
  EntryFixture f;
  f.press("30");
  QCOMPARE(f.state.PlotYMax, 31.0f);
  f.press("5");
  QCOMPARE(f.state.PlotYMin, -6.0f);
  QCOMPARE(f.state.PlotYMax, 14.0f);
  QCOMPARE(f.state.MainWindowValues, (QList<double>{300000, 50000}));
}

void CalculationStepTest::refusedTextChangesOnlyTheCounters_data() {
  QTest::addColumn<QLocale>("locale");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<int>("message");
  const QLocale uk(QLocale::English, QLocale::UnitedKingdom);
  const QLocale german(QLocale::German, QLocale::Germany);
  QTest::newRow("empty") << uk << "" << 47;
  QTest::newRow("blanks") << uk << "   " << 47;
  QTest::newRow("letters") << uk << "abc" << 47;
  QTest::newRow("infinity is no measurement") << uk << "inf" << 47;
  QTest::newRow("not a number") << uk << "nan" << 47;
  QTest::newRow("digit grouping") << uk << "1,500" << 47;
  QTest::newRow("a point under a decimal comma") << german << "1.5" << 47;
  QTest::newRow("grouped thousands under a decimal comma") << german << "1.500" << 47;
  QTest::newRow("beyond a Single") << uk << "1E39" << 69;
  QTest::newRow("beyond a Double") << uk << "1e400" << 69;
  QTest::newRow("too large to chart") << uk << "3.5E34" << 69;
  QTest::newRow("too small to chart") << uk << "-1E35" << 69;
}

void CalculationStepTest::refusedTextChangesOnlyTheCounters() {
  QFETCH(QLocale, locale);
  QFETCH(QString, typed);
  QFETCH(int, message);
  EntryFixture f(locale);
  SqliteMeasurementDatabase(f.path("m.db")).withGraphData();
  f.state.DatabasePath = f.path("m.db");
  f.press("2");
  const QList<double> window = f.state.MainWindowValues;
  f.state.OperatingMode = Mode::Reset;
  f.state.MaximizedChart = true;
  f.test.clock.set(QDateTime(QDate(2010, 12, 5), QTime(15, 0, 0)));

  f.press(typed);
  QCOMPARE(f.test.messages.texts(), QStringList{LoadResString(TextId(message))});
  QCOMPARE(f.test.messages.shown.first().icon, MessageIcon::Exclamation);
  QCOMPARE(f.test.messages.shown.first().title, applicationTitle());
  QCOMPARE(f.state.AlarmMessage.toString(), LoadResString(TextId(message)));
  // What the press did before it read the text stays...
  QCOMPARE(f.state.OperatingMode, Mode::Calculation);
  QCOMPARE(f.state.EntryNumber, 2);
  QVERIFY(!f.state.MaximizedChart);
  QCOMPARE(f.window.clock.time, QStringLiteral("15:00:00"));
  // ...but the value reached nothing.
  QCOMPARE(f.state.scaleLimit, 1);
  QCOMPARE(f.state.MainWindowValues, window);
  QCOMPARE(f.state.FullScreenWindowValues, window);
  QCOMPARE(f.window.List2, QStringList{"2"});
  QCOMPARE(f.log().count('\n'), 1);
  QCOMPARE(SqliteMeasurementDatabase(f.path("m.db")).scalar("SELECT count(*) FROM GraphData").toInt(), 1);
  QCOMPARE(f.window.entry, typed);

  f.press("3");
  QCOMPARE(f.window.List1, (QStringList{"1", "3"}));
}

void CalculationStepTest::refusedTextsDoNotLoseLaterValues() {
  EntryFixture f;
  for (int i = 1; i <= 10; ++i) f.press(number(i));
  f.press("abc");
  f.press("1E39");
  for (int i = 11; i <= 25; ++i) f.press(number(i));
  QCOMPARE(f.window.List2.size(), 25);
  QCOMPARE(f.window.List2.last(), QStringLiteral("25"));
  QCOMPARE(f.window.List1.last(), QStringLiteral("27"));  // numbering still counts every press
  QCOMPARE(f.log().count('\n'), 25);
  QCOMPARE(f.state.MainWindowValues.size(), 20);
  QCOMPARE(f.state.FullScreenWindowValues.size(), 21);
  QCOMPARE(f.state.MainWindowValues.first(), 60000.0);
  QCOMPARE(f.state.scaleLimit, 25);
}

void CalculationStepTest::firstPressAfterStoredChartContinuesTheWindow() {
  EntryFixture f;
  for (int i = 1; i <= 23; ++i) f.press(number(i));
  QCOMPARE(f.state.scaleStored, 3);
  // A chart of stored records leaves this behind:
  f.state.LiveChart = false;
  f.state.WindowStart = 0;
  f.state.OperatingMode = Mode::Database;
  f.state.ExactXRange = true;
  f.press("24");
  QVERIFY(f.state.LiveChart);
  QVERIFY(!f.state.ExactXRange);
  QCOMPARE(f.state.PlotXMin, 3.0f);
  QCOMPARE(f.state.WindowStart, 4.0f);
  QVERIFY(f.window.fullScreenEnabled);
}

void CalculationStepTest::decimalCommaKeepsTheTypedText() {
  EntryFixture f(QLocale(QLocale::German, QLocale::Germany));
  SqliteMeasurementDatabase(f.path("m.db")).withGraphData();
  f.state.DatabasePath = f.path("m.db");
  f.press(" 1,5");
  QCOMPARE(f.window.List2, QStringList{" 1,5"});
  QVERIFY(f.log().endsWith("\"Probability ratio: 1,5\"\r\n"));
  const QList<QVariantList> rows = SqliteMeasurementDatabase(f.path("m.db")).rows("SELECT Date, Time, number, Data FROM GraphData");
  QCOMPARE(rows, (QList<QVariantList>{{"05.12.2010", "14:08:45", 1.0, 1.5}}));
}

void CalculationStepTest::logLinesByteForByte() {
  EntryFixture f(QLocale(QLocale::German, QLocale::Germany));
  f.press("1");
  f.press("2");
  f.test.clock.set(QDateTime(QDate(2010, 12, 5), QTime(14, 8, 50)));
  f.press("1,2345");
  QCOMPARE(f.log(), QByteArray("\"Calculation: 1\",\"Current time: 05.12.2010 14:08:45\",\"Threshold A: 0\",\"Probability ratio: 1\"\r\n"
                               "\"Calculation: 2\",\"Current time: 05.12.2010 14:08:45\",\"Threshold A: 0\",\"Probability ratio: 2\"\r\n"
                               "\"Calculation: 3\",\"Current time: 05.12.2010 14:08:50\",\"Threshold A: 0\",\"Probability ratio: 1,235\"\r\n"));
}

void CalculationStepTest::pressAtMidnightShowsDateOnly() {
  EntryFixture f;
  SqliteMeasurementDatabase(f.path("m.db")).withGraphData();
  f.state.DatabasePath = f.path("m.db");
  f.test.clock.set(QDateTime(QDate(2010, 12, 6), QTime(0, 0, 0)));
  f.press("4");
  QCOMPARE(f.window.List5, QStringList{"06/12/2010"});
  QVERIFY(f.log().contains("\"Current time: 06/12/2010\""));
  QCOMPARE(SqliteMeasurementDatabase(f.path("m.db")).rows("SELECT Date, Time FROM GraphData"),
           (QList<QVariantList>{{"06/12/2010", "00:00:00"}}));
  QCOMPARE(f.window.clock.date, QStringLiteral("06/12/2010"));
}

QTEST_GUILESS_MAIN(CalculationStepTest)
#include "tst_calculationstep.moc"
