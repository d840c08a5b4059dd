// The alarm tone heard through a sound server of the test's own, and the desktop notification sent
// to a notification service of the test's own on a private session bus.
#include "handlers/LeakAlarmHandlers.h"
#include "shell/DesktopNotifications.h"
#include "shell/SoundEffectTone.h"
#include "support/EntryFixture.h"

#include <QtDBus>
#include <QtTest>

#include <csignal>

#include <sys/prctl.h>

using namespace kelvane;
using namespace kelvane::testing;

namespace {

// A process of the test's own, which ends with the test however the test ends.
void startOwn(QProcess& process, const QString& program, const QStringList& arguments) {
  process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
  process.start(program, arguments);
}

// A PulseAudio server whose only output is a null sink, "probe": what is played there can be
// recorded from its monitor. The program finds it through PULSE_SERVER.
class SoundServer {
 public:
  bool start() {
    QFile::setPermissions(runtime_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_RUNTIME_DIR", runtime_.path());
    environment.insert("HOME", runtime_.path());
    server_.setProcessEnvironment(environment);
    const QString socket = runtime_.filePath("native");
    startOwn(server_, "pulseaudio", {"--daemonize=no", "--exit-idle-time=-1", "--system=false", "-n",
                                 "--load=module-null-sink sink_name=probe", "--load=module-native-protocol-unix socket=" + socket});
    qputenv("PULSE_SERVER", ("unix:" + socket).toUtf8());
    for (int wait = 0; wait < 100 && !QFile::exists(socket); ++wait) QTest::qWait(50);
    return QFile::exists(socket);
  }
  ~SoundServer() {
    server_.terminate();
    server_.waitForFinished();
  }
  // How many samples of what the sink played meanwhile were loud, at 8000 samples a second.
  int loudSamples(int milliseconds) {
    QProcess recorder;
    startOwn(recorder, "parec", {"-d", "probe.monitor", "--format=s16le", "--channels=1", "--rate=8000", "--latency-msec=100"});
    recorder.waitForStarted();
    QTest::qWait(milliseconds);  // the tone's timer goes on meanwhile
    ::kill(pid_t(recorder.processId()), SIGINT);
    recorder.waitForFinished();
    const QByteArray samples = recorder.readAllStandardOutput();
    int loud = 0;
    for (qsizetype i = 0; i + 1 < samples.size(); i += 2) loud += std::abs(qFromLittleEndian<qint16>(samples.constData() + i)) > 1000;
    return loud;
  }

 private:
  QTemporaryDir runtime_;
  QProcess server_;
};

// The desktop's notification service, as org.freedesktop.Notifications defines it.
class NotificationService : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
 public:
  QStringList told;
  uint given = 40;

 public slots:
  uint Notify(const QString& app, uint, const QString& icon, const QString& summary, const QString& body,
              const QStringList&, const QVariantMap& hints, int timeout) {
    told << QString("%1|%2|%3|%4|urgency %5|%6").arg(app, icon, summary, body).arg(hints["urgency"].value<uchar>()).arg(timeout);
    return ++given;
  }
  void CloseNotification(uint id) { told << QString("closed %1").arg(id); }
};

// A station whose limits are set (A = 3), the tone or the notifications real.
struct Station : EntryFixture {
  Station() { state.Limits = LeakLimits{3, -3, LimitForm::LogRatio, {}, {}}; }
};

}  // namespace

class AlarmOutputsTest : public QObject {
  Q_OBJECT

 private slots:
  // Loud while not acknowledged; silent after Silence, which acknowledges nothing; loud again for
  // a new alarm, silent after Acknowledge. The tone repeats every 2 s: each window of 2.6 s holds a whole one.
  void toneHeardUntilSilencedOrAcknowledged() {
    SoundServer server;
    QVERIFY(server.start());
    SoundEffectTone tone;
    Station f;
    f.window.tone = &tone;
    f.press("5");
    QVERIFY(f.window.banner.state == AlarmState::Unacknowledged);
    QVERIFY2(server.loudSamples(2600) > 400, "not heard while unacknowledged");
    btnAlarmSilence_Click(f.program);
    QTest::qWait(300);  // what the server still held
    QCOMPARE(server.loudSamples(2600), 0);
    QVERIFY(f.window.banner.state == AlarmState::Unacknowledged);
    for (const char* value : {"1", "5"}) f.press(value);  // returned, then raised again: within 60 s, the same alarm
    QCOMPARE(server.loudSamples(2600), 0);
    btnAlarmAck_Click(f.program);
    f.press("1");
    f.test.clock.set(f.test.clock.now().addSecs(5));
    f.press("6");  // a new alarm
    QVERIFY2(server.loudSamples(2600) > 400, "a new alarm not heard");
    btnAlarmAck_Click(f.program);
    QTest::qWait(300);
    QCOMPARE(server.loudSamples(2600), 0);
  }

  // A critical notification with the banner's text, only while the window is out of sight; taken
  // back once acknowledged, also before the service has answered. Without the service nothing is
  // shown and nothing waits.
  void notifiedOnAPrivateSessionBus() {
    Station f;
    f.window.attended = false;
    f.press("5");
    QCOMPARE(f.window.notifier.shown, QStringList{"Leak alarm: Leak alarm: 5 reached A at 05/12/2010 14:08:45, no database"});
    btnAlarmAck_Click(f.program);
    f.press("1");
    f.window.attended = true;
    f.test.clock.set(f.test.clock.now().addSecs(5));
    f.press("6");  // a new alarm, in sight: the banner tells it
    QVERIFY(f.window.notifier.shown.isEmpty() && f.window.banner.state == AlarmState::Unacknowledged);

    QProcess bus;
    startOwn(bus, "dbus-daemon", {"--session", "--print-address", "--nofork"});
    QVERIFY(bus.waitForReadyRead(10000));
    const auto stop = qScopeGuard([&] { bus.terminate(), bus.waitForFinished(); });
    const QString address = QString::fromUtf8(bus.readLine()).trimmed();
    QDBusConnection serviceSide = QDBusConnection::connectToBus(address, "service");
    NotificationService service;
    QVERIFY(serviceSide.registerObject("/org/freedesktop/Notifications", &service, QDBusConnection::ExportAllSlots));
    QVERIFY(serviceSide.registerService("org.freedesktop.Notifications"));
    DesktopNotifications notifier([&] { return QDBusConnection::connectToBus(address, "program"); });
    notifier.notify("Leak alarm", "first");
    QTRY_COMPARE(service.told, QStringList{"Kelvane program|kelvane|Leak alarm|first|urgency 2|0"});
    notifier.notify("Leak alarm", "second");
    notifier.withdraw();
    const auto taken = [&] { const QStringList back = service.told.mid(2); return QSet<QString>(back.begin(), back.end()); };
    QTRY_COMPARE(taken(), (QSet<QString>{"closed 41", "closed 42"}));
    QCOMPARE(service.told.value(1), "Kelvane program|kelvane|Leak alarm|second|urgency 2|0");
    serviceSide.unregisterService("org.freedesktop.Notifications");
    const qsizetype told = service.told.size();
    notifier.notify("Leak alarm", "nobody listens");
    notifier.withdraw();
    QTest::qWait(200);
    QCOMPARE(service.told.size(), told);
  }
};

QTEST_MAIN(AlarmOutputsTest)
#include "tst_alarmoutputs.moc"
