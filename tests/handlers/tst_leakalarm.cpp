#include "support/EntryFixture.h"
#include "support/MeasurementDatabase.h"

#include "entry/AlarmJournal.h"
#include "handlers/FollowNewRows.h"
#include "handlers/LeakAlarmHandlers.h"
#include "handlers/DatabaseButton.h"
#include "state/ProgramSettings.h"

#include <QtTest>

using namespace kelvane;
using namespace kelvane::testing;

namespace {

// A station with limits A = 3, B = -3 and the journal beside its log.
struct Station : EntryFixture {
  explicit Station(const QLocale& locale = QLocale(QLocale::English, QLocale::UnitedKingdom)) : EntryFixture(locale) {
    state.Limits = LeakLimits{3, -3, LimitForm::LogRatio, {}, {}};
  }
  void later(int seconds) { test.clock.set(test.clock.now().addSecs(seconds)); }
  QByteArray journal() const {
    QFile file(path("Alarm journal.txt"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
};

struct FakeShelveDialog : ShelveDialogView {
  qint64 shelfSeconds() const override { return seconds; }
  QString comment() const override { return text; }
  void focusComment() override { focused = true; }
  void unload() override { unloaded = true; }
  qint64 seconds = 900;
  QString text;
  bool focused = false, unloaded = false;
};

// An RFC 4180 reader of the test's own: fields quoted or not, a doubled quote inside quotes,
// records ending in CR LF.
QList<QStringList> readCsv(const QByteArray& text) {
  QList<QStringList> records;
  QStringList record;
  QByteArray field;
  bool quoted = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const char next = i + 1 < text.size() ? text[i + 1] : 0;
    if (quoted && c == '"' && next == '"') field += '"', ++i;
    else if (c == '"') quoted = !quoted;
    else if (quoted || (c != ',' && c != '\r')) field += c;
    else if (c == ',') record << QString::fromUtf8(field), field.clear();
    else if (next == '\n') record << QString::fromUtf8(field), records << record, record.clear(), field.clear(), ++i;
  }
  return records;
}

}  // namespace

Q_DECLARE_METATYPE(AlarmState)

class LeakAlarmTest : public QObject {
  Q_OBJECT

  MeasurementDatabases databases_;
  const QString login_ = operatorLogin();

 private slots:
  void initTestCase() { QVERIFY2(databases_.start(), qPrintable(databases_.errorText())); }

  // A value typed and accepted raises its database's alarm in the regional forms; the tone
  // sounds unless the settings file's Alarm/Sound is off.
  void typedValueRaisesTheAlarm_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("database");
    QTest::addColumn<bool>("sound");
    QTest::addColumn<QString>("banner");  // empty: none
    QTest::addColumn<QString>("journal");
    const QLocale english(QLocale::English, QLocale::UnitedKingdom), german(QLocale::German, QLocale::Germany);
    QTest::newRow("above A, no database chosen") << english << "5.5" << "" << true << "Leak alarm: 5.5 reached A at 05/12/2010 14:08:45, no database"
                                                 << "\"05/12/2010 14:08:45\",\"raised\",\"5.5\",\"3\",\"\",\"%1\",\"\"\r\n";
    QTest::newRow("at A, German regional forms, a database") << german << "3" << "station.db" << true
                                                             << "Leak alarm: 3 reached A at 05.12.2010 14:08:45, station.db"
                                                             << "\"05.12.2010 14:08:45\",\"raised\",\"3\",\"3\",\"%2\",\"%1\",\"\"\r\n";
    QTest::newRow("Alarm/Sound off: no tone") << english << "4" << "" << false << "Leak alarm: 4 reached A at 05/12/2010 14:08:45, no database"
                                              << "\"05/12/2010 14:08:45\",\"raised\",\"4\",\"3\",\"\",\"%1\",\"\"\r\n";
    QTest::newRow("below A: nothing") << english << "2.99" << "" << true << "" << "";
    QTest::newRow("refused text: nothing") << english << "5x" << "" << true << "" << "";
  }
  void typedValueRaisesTheAlarm() {
    QFETCH(QLocale, locale);
    QFETCH(QString, typed);
    QFETCH(QString, database);
    QFETCH(bool, sound);
    QFETCH(QString, banner);
    QFETCH(QString, journal);
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    if (!sound) QSettings("Kelvane", "Kelvane program").setValue("Alarm/Sound", "off");
    Station f(locale);
    f.state.AlarmSound = ProgramSettings().alarmSound();
    if (!database.isEmpty()) f.state.DatabasePath = f.path(database);
    f.press(typed);
    QCOMPARE((QVariantList{f.window.banner.text, f.window.fakeTone.sounding}), (QVariantList{banner, sound && !banner.isEmpty()}));
    QCOMPARE(QString::fromUtf8(f.journal()), journal.replace("%1", login_).replace("%2", f.state.DatabasePath));
  }

  // The next tick after another connection's commit (a tick a second) shows the banner of a row
  // at or above A, at the moment of its Date and Time, and journals it.
  void followedRowRaisesTheAlarm_data() { addEngineRows(); }
  void followedRowRaisesTheAlarm() {
    QFETCH(EngineKind, engine);
    Station f;
    const auto database = databases_.make(engine, f.folder.path());
    database->withGraphData().withRow(1, 1.5).withRow(2, 2.5);
    f.state.DatabasePath = database->dataSource();
    btnSPRT_Click(f.program);
    NewRowsWatch watch;
    mnuFollow_Click(f.program, watch, true);
    f.follow(watch);
    database->withRow(3, 2.9, "06/12/2010", "09:00:00").withRow(4, 4.25, "06/12/2010", "09:00:01").withRow(5, 5, "06/12/2010", "09:00:02");
    QVERIFY(f.window.banner.text.isEmpty() && f.journal().isEmpty());
    f.follow(watch);
    const QString name = QFileInfo(f.state.DatabasePath).fileName();
    QCOMPARE(f.window.banner.text, "Leak alarm: 4.25 reached A at 06/12/2010 09:00:01, " + name);
    QCOMPARE(readCsv(f.journal()), (QList<QStringList>{{"06/12/2010 09:00:01", "raised", "4.25", "3", f.state.DatabasePath, login_, ""}}));
    watch.shutdown(std::chrono::steady_clock::now() + std::chrono::seconds(5));
  }

  // Every change and what the operator did, one line each, read back by a CSV reader of the
  // test's own. The journal window lists the days chosen newest first, and copies them
  // tab-separated. A line a crash cut short spoils no later one.
  void journalReadBack() {
    Station f;
    f.press("5");
    f.later(10);
    btnAlarmSilence_Click(f.program);
    f.later(10);
    f.press("1");
    btnAlarmAck_Click(f.program);
    f.later(86400);
    FakeShelveDialog dialog;
    dialog.text = "Pump \"P-7\",\nmaintenance";
    btnShelve_Click(f.program, dialog);
    mnuAlarmUnshelve_Click(f.program);
    const auto line = [&](const char* at, const char* event, const char* value, const char* upper = "3", const QString& comment = "") {
      return QStringList{at, event, value, upper, "", login_, comment};
    };
    QCOMPARE(readCsv(f.journal()), (QList<QStringList>{line("05/12/2010 14:08:45", "raised", "5"), line("05/12/2010 14:08:55", "silenced", "5"),
                                                       line("05/12/2010 14:09:05", "returned", "1"), line("05/12/2010 14:09:05", "acknowledged", "5"),
                                                       line("05/12/2010 14:09:05", "normal", "", ""),
                                                       line("06/12/2010 14:09:05", "shelved", "06/12/2010 14:24:05", "", "Pump \"P-7\", maintenance"),
                                                       line("06/12/2010 14:09:05", "unshelved", "", "")}));
    const QList<QStringList> shown = alarmJournalRows(f.program, QDate(2010, 12, 6), QDate(2010, 12, 31));
    QCOMPARE(alarmJournalText(shown), QString("Date and time\tEvent\tValue\tA\tDatabase\tLogin name\tComment\r\n"
                                              "06/12/2010 14:09:05\tunshelved\t\t\tno database\t%1\t\r\n"
                                              "06/12/2010 14:09:05\tshelved until 06/12/2010 14:24:05\t\t\tno database\t%1\tPump \"P-7\", maintenance\r\n").arg(login_));
    QCOMPARE(alarmJournalRows(f.program, QDate(2010, 12, 5), QDate(2010, 12, 5)).size(), 5);
    QFile cut(f.path("Alarm journal.txt"));
    QVERIFY(cut.open(QIODevice::Append) && cut.write("\"06/12/2010 14:09:06\",\"ackno") > 0);
    cut.close();
    f.press("6");
    const QList<JournalLine> read = readJournal(f.path("Alarm journal.txt"), f.test.env.regional);
    QCOMPARE(read.size(), 9);
    QVERIFY(!read[7].change && read[8].change && read[8].change->event == AlarmEvent::Raised && read[8].change->value == 6);
  }

  // A journal that cannot be written or read is told; the alarm stands all the same.
  void journalOutOfReach() {
    Station f;
    QVERIFY(QDir(f.folder.path()).mkdir("Alarm journal.txt"));
    f.press("5");
    restoreLeakAlarms(f.program);
    const QStringList told = f.test.messages.texts();
    QVERIFY2(told.size() == 2 && told[0].startsWith("The alarm journal could not be written: " + f.path("Alarm journal.txt")) &&
                 told[1].startsWith("The alarm journal cannot be read: "), qPrintable(told.join('\n')));
    QVERIFY(f.window.banner.state == AlarmState::Unacknowledged && f.window.fakeTone.sounding);
  }

  // Shelving needs a comment; shelved, the alarm shows nowhere until the shelf ends at its time,
  // when an alarm still standing is announced.
  void shelvedUntilItsTime() {
    Station f;
    f.window.attended = false;
    FakeShelveDialog dialog;
    dialog.text = "  ";
    btnShelve_Click(f.program, dialog);
    QVERIFY(dialog.focused && !dialog.unloaded && !unshelveAvailable(f.program) && f.journal().isEmpty());
    QCOMPARE(f.test.messages.texts(), QStringList{"Say why the alarm is shelved: the comment is required."});
    dialog.text = "sensor swap";
    dialog.seconds = 3600;
    QCOMPARE(shelfCaption(f.program), "Shelve the leak alarm of no database for:");
    btnShelve_Click(f.program, dialog);
    f.press("5");
    QVERIFY(dialog.unloaded && unshelveAvailable(f.program));
    QVERIFY(f.window.banner.text.isEmpty() && !f.window.fakeTone.sounding && f.window.notifier.shown.isEmpty());
    f.later(3599);
    leakAlarmTick(f.program);
    QVERIFY(f.window.banner.text.isEmpty());
    f.later(1);
    leakAlarmTick(f.program);
    QVERIFY(!f.window.banner.text.isEmpty() && f.window.fakeTone.sounding && f.window.notifier.shown.size() == 1);
    QVERIFY(!unshelveAvailable(f.program));
  }

  // A station killed with its alarm unacknowledged: the next start shows it again, unacknowledged,
  // with its tone; acknowledged, it stands steady at the next start; once normal, nothing shows.
  void standingAgainAfterAKill() {
    QTemporaryDir folder;
    QProcess station;
    station.start(ALARM_RAISER, {folder.path()});
    QVERIFY(station.waitForReadyRead(30000));
    QCOMPARE(station.readAll(), "raised\n");
    station.kill();
    QVERIFY(station.waitForFinished());
    const auto restarted = [&] {
      auto f = std::make_unique<Station>();
      f->test.env.logFilePath = QDir(folder.path()).filePath("Logfile.txt");
      restoreLeakAlarms(f->program);
      return f;
    };
    auto f = restarted();
    QCOMPARE((QVariantList{f->window.banner.text, QVariant::fromValue(f->window.banner.state), f->window.fakeTone.sounding}),
             (QVariantList{"Leak alarm: 5 reached A at 05/12/2010 14:08:45, no database", QVariant::fromValue(AlarmState::Unacknowledged), true}));
    btnAlarmAck_Click(f->program);
    f = restarted();
    QVERIFY(f->window.banner.state == AlarmState::Acknowledged && !f->window.fakeTone.sounding);
    f->press("1");
    f = restarted();
    QVERIFY(f->window.banner.text.isEmpty() && f->test.messages.shown.isEmpty());
  }
};

QTEST_MAIN(LeakAlarmTest)
#include "tst_leakalarm.moc"
