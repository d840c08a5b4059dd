#include "support/EntryFixture.h"

#include "entry/ResetAndClock.h"

#include <QtTest>

using namespace kelvane;
using namespace kelvane::testing;

class ResetAndClockTest : public QObject {
  Q_OBJECT

 private slots:
  void resetEmptiesListsAndEntryOnly();
  void clockShowsWhileTheRunIsCharted_data();
  void clockShowsWhileTheRunIsCharted();
  void firstTickCreatesFullScreenWindowHidden();
};

void ResetAndClockTest::resetEmptiesListsAndEntryOnly() {
  EntryFixture f;
  btnReset_Click(f.program);
  QCOMPARE(f.state.OperatingMode, Mode::Reset);
  QVERIFY(f.window.List1.isEmpty());

  f.press("1");
  f.press("2");
  const int drawn = f.window.picture.entries().size();
  btnReset_Click(f.program);
  QVERIFY(f.window.entry.isEmpty());
  QVERIFY(f.window.List1.isEmpty() && f.window.List2.isEmpty() && f.window.List5.isEmpty());
  QCOMPARE(f.window.picture.entries().size(), drawn);
  QCOMPARE(f.state.MainWindowValues.size(), 2);
  f.press("3");
  QCOMPARE(f.window.List1, QStringList{"3"});
}

void ResetAndClockTest::clockShowsWhileTheRunIsCharted_data() {
  QTest::addColumn<QString>("mode");
  QTest::addColumn<bool>("liveChart");
  QTest::addColumn<bool>("shown");
  QTest::newRow("fresh start") << QString() << true << true;
  QTest::newRow("calculation run") << Mode::Calculation << true << true;
  QTest::newRow("reset during a run") << Mode::Reset << true << true;
  QTest::newRow("recent records") << Mode::Database << false << false;
  QTest::newRow("query chart") << Mode::SQLquery << false << false;
  QTest::newRow("reset after stored records") << Mode::Reset << false << false;
  QTest::newRow("refused press after stored records") << Mode::Calculation << false << true;
}

void ResetAndClockTest::clockShowsWhileTheRunIsCharted() {
  QFETCH(QString, mode);
  QFETCH(bool, liveChart);
  QFETCH(bool, shown);
  EntryFixture f;
  f.window.clock.time = f.window.clock.date = QStringLiteral("earlier");
  f.state.OperatingMode = mode;
  f.state.LiveChart = liveChart;
  f.test.clock.set(QDateTime(QDate(2010, 12, 6), QTime(0, 0, 0)));
  TimerCurrentTime_Timer(f.program);
  for (FakeClockLabels* labels : {&f.window.clock, &f.window.fullScreen->clock}) {
    QCOMPARE(labels->timeVisible, shown);
    QCOMPARE(labels->dateVisible, shown);
  }
  QCOMPARE(f.window.clock.time, shown ? QStringLiteral("00:00:00") : QStringLiteral("earlier"));
  QCOMPARE(f.window.clock.date, shown ? QStringLiteral("06/12/2010") : QStringLiteral("earlier"));
  if (shown) QCOMPARE(f.window.fullScreen->clock.date, QStringLiteral("06/12/2010"));
}

void ResetAndClockTest::firstTickCreatesFullScreenWindowHidden() {
  EntryFixture f;
  QVERIFY(!f.window.fullScreen);
  TimerCurrentTime_Timer(f.program);
  QVERIFY(f.window.fullScreen);
  QCOMPARE(f.window.fullScreen->timesShown, 0);
}

QTEST_GUILESS_MAIN(ResetAndClockTest)
#include "tst_resetandclock.moc"
