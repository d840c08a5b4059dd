#include "state/LeakAlarms.h"

#include <QtTest>

using namespace kelvane;

namespace {

const QDateTime kStart(QDate(2026, 12, 5), QTime(8, 0));
constexpr double kUpper = 3;

QString wordOf(AlarmEvent event) {
  static const QStringList kWords{"raised", "acknowledged", "returned", "normal", "silenced", "shelved", "unshelved"};
  return kWords[int(event)];
}

// Where the banner stands: "-", or the database shown, its state's letter, its value and the
// second it was raised (U unacknowledged, A acknowledged, R returned unacknowledged).
QString bannerOf(const LeakAlarms& alarms) {
  const std::optional<QString> shown = alarms.shown();
  if (!shown) return "-";
  const LeakAlarm& alarm = *alarms.alarmOf(*shown);
  return QString("%1 %2 %3@%4").arg(*shown, QString("NUAR")[int(alarm.state)]).arg(alarm.value).arg(kStart.secsTo(alarm.raisedAt));
}

}  // namespace

class LeakAlarmsTest : public QObject {
  Q_OBJECT

 private slots:
  // Each step at a second from the start, on database a unless another is named ("b:6@5"): a
  // value, or ack, silence, shelve (for the seconds after +), unshelve, tick, and clear (a tick
  // with no limits).
  // Limits A = 3. Then the journal's events (b's marked), the banner, whether the tone sounds, and
  // the alarms announced anew.
  void rowSequences_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("journal");
    QTest::addColumn<QString>("banner");
    QTest::addColumn<bool>("sounding");
    QTest::addColumn<QString>("announced");
    const auto steps = [](const char* text) { return QString(text).split(' '); };
    QTest::newRow("a rise") << steps("1@0 5@1") << "raised" << "a U 5@1" << true << "a";
    QTest::newRow("a stretch at or above A is one alarm") << steps("5@0 6@1 3@2") << "raised" << "a U 5@0" << true << "a";
    QTest::newRow("acknowledged, then below A") << steps("5@0 ack@10 1@20") << "raised acknowledged normal" << "-" << false << "a";
    QTest::newRow("acknowledged stays while at A") << steps("5@0 ack@10 7@20") << "raised acknowledged" << "a A 5@0" << false << "a";
    QTest::newRow("below A first, then acknowledged")
        << steps("5@0 1@20 ack@30") << "raised returned acknowledged normal" << "-" << false << "a";
    QTest::newRow("returned latches until acknowledged") << steps("5@0 1@20 1@500") << "raised returned" << "a R 5@0" << true << "a";
    QTest::newRow("chatter within 60 s is the same alarm")
        << steps("5@0 1@10 6@70 1@80 7@140") << "raised returned raised returned raised" << "a U 5@0" << true << "a";
    QTest::newRow("a rise 61 s after the return is a new alarm")
        << steps("5@0 1@10 6@71") << "raised returned raised" << "a U 6@71" << true << "a a";
    QTest::newRow("a rise after acknowledgement is a new alarm")
        << steps("5@0 ack@5 1@10 6@20") << "raised acknowledged normal raised" << "a U 6@20" << true << "a a";
    QTest::newRow("silence stops the tone, not the alarm") << steps("5@0 silence@5 1@6") << "raised silenced returned" << "a R 5@0" << false << "a";
    QTest::newRow("chatter after silence stays silent")
        << steps("5@0 silence@5 1@6 5@7") << "raised silenced returned raised" << "a U 5@0" << false << "a";
    QTest::newRow("a new alarm sounds again after silence")
        << steps("5@0 silence@5 ack@6 1@7 5@8") << "raised silenced acknowledged normal raised" << "a U 5@8" << true << "a a";
    QTest::newRow("shelved: the journal records, nothing shows")
        << steps("shelve@0+900 5@10 ack@11") << "shelved raised acknowledged" << "-" << false << "";
    QTest::newRow("the shelf ends at its time and the alarm is announced")
        << steps("shelve@0+900 5@10 tick@899 tick@900") << "shelved raised unshelved" << "a U 5@10" << true << "a";
    QTest::newRow("unshelved by hand") << steps("shelve@0+900 5@10 unshelve@20") << "shelved raised unshelved" << "a U 5@10" << true << "a";
    QTest::newRow("a shelf that ends on an acknowledged alarm announces nothing")
        << steps("shelve@0+900 5@10 ack@11 unshelve@20") << "shelved raised acknowledged unshelved" << "a A 5@10" << false << "";
    QTest::newRow("limits cleared while unacknowledged: returned, latched")
        << steps("5@0 clear@10 clear@11") << "raised returned" << "a R 5@0" << true << "a";
    QTest::newRow("limits cleared while acknowledged: normal") << steps("5@0 ack@5 clear@10") << "raised acknowledged normal" << "-" << false << "a";
    QTest::newRow("nothing to acknowledge or silence") << steps("ack@0 silence@1 1@2") << "" << "-" << false << "";
    QTest::newRow("each database its own alarm, the unacknowledged shown first")
        << steps("5@0 b:6@5 1@10 ack@11") << "raised b:raised returned acknowledged normal" << "b U 6@5" << true << "a b";
    QTest::newRow("an unacknowledged alarm before an acknowledged newer one")
        << steps("5@0 b:6@5 b:ack@6") << "raised b:raised b:acknowledged" << "a U 5@0" << true << "a b";
    QTest::newRow("the newest of two unacknowledged shown") << steps("5@0 b:6@5") << "raised b:raised" << "b U 6@5" << true << "a b";
    QTest::newRow("silence silences every alarm that sounds")
        << steps("5@0 b:6@1 silence@2") << "raised b:raised silenced b:silenced" << "b U 6@1" << false << "a b";
    QTest::newRow("a shelf of b leaves a's alarm alone")
        << steps("5@0 b:shelve@1+60 b:6@2") << "raised b:shelved b:raised" << "a U 5@0" << true << "a";
  }
  // The journal's lines, taken up by alarms of a new run, bring back the same alarms.
  void rowSequences() {
    QFETCH(QStringList, steps);
    QFETCH(QString, journal);
    QFETCH(QString, banner);
    QFETCH(bool, sounding);
    QFETCH(QString, announced);
    LeakAlarms alarms;
    QList<AlarmChange> lines;
    QStringList told;
    for (const QString& step : steps) {
      const QString database = step.contains(':') ? step.section(':', 0, 0) : "a", rest = step.section(':', -1);
      const QString action = rest.section('@', 0, 0);
      const QDateTime at = kStart.addSecs(rest.section('@', 1).section('+', 0, 0).toInt());
      const int shelf = rest.section('+', 1).toInt();
      LeakAlarms::Changes changes;
      if (action == "ack") changes = alarms.acknowledge(database, at);
      else if (action == "silence") changes = alarms.silence(at);
      else if (action == "shelve") changes = alarms.shelve(database, at, at.addSecs(shelf), "pump test");
      else if (action == "unshelve") changes = alarms.unshelve(at);
      else if (action == "tick" || action == "clear") changes = alarms.tick(at, action == "tick" ? std::optional(kUpper) : std::nullopt);
      else changes = alarms.observe(database, action.toDouble(), at, kUpper);
      lines += changes.lines;
      told += changes.announced;
    }
    QStringList events;
    for (const AlarmChange& line : lines) events << (line.database == "a" ? "" : line.database + ":") + wordOf(line.event);
    QCOMPARE(events.join(' '), journal);
    QCOMPARE((QVariantList{bannerOf(alarms), alarms.sounding(), told.join(' ')}), (QVariantList{banner, sounding, announced}));
    LeakAlarms restarted;
    for (const AlarmChange& line : lines) restarted.takeUp(line);
    QCOMPARE((QVariantList{bannerOf(restarted), restarted.sounding(), restarted.anyShelved()}),
             (QVariantList{banner, sounding, alarms.anyShelved()}));
  }
};

QTEST_GUILESS_MAIN(LeakAlarmsTest)
#include "tst_leakalarms.moc"
