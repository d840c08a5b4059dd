#include "support/EntryFixture.h"
#include "support/MeasurementDatabase.h"

#include "state/DurableFile.h"
#include "shell/Layout.h"
#include "state/TextResources.h"
#include "shell/frmChart.h"

#include <QDeadlineTimer>
#include <QLabel>
#include <QtTest>

using namespace kelvane;
using namespace kelvane::testing;

namespace {

enum class Cause { Lock, ServerStopped, DiskFull, Unreachable, TableDropped };

// A database that stops answering for a cause an operator meets, and answers again.
struct Outage {
  Outage(MeasurementDatabases& databases, EngineKind engine, Cause cause, const QString& folder)
      : databases(databases), cause(cause), small(folder + "/small") {
    // The server reaches a folder in it too.
    mounted = cause == Cause::DiskFull && QDir(folder).mkdir("small") &&
              QFile::setPermissions(folder, QFile::permissions(folder) | QFile::ExeOther) &&
              QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=512k", "tmpfs", small}) == 0;
    db = databases.make(engine, mounted ? small : folder);
    db->withGraphData();
    // Each write then needs room: a journal of its own, a page more for the table.
    if (mounted && engine == EngineKind::Sqlite) db->run("PRAGMA journal_mode=DELETE");
    if (mounted && engine == EngineKind::Postgres) {
      QProcess::execute("chown", {"postgres:", small});
      server({"CREATE TABLESPACE small LOCATION '" + small + "'", "ALTER TABLE GraphData SET TABLESPACE small"});
    }
    if (!mounted || engine == EngineKind::Sqlite) db->withRow(7, 0.5);  // a collector's
  }
  ~Outage() {
    if (mounted && dynamic_cast<PostgresMeasurementDatabase*>(db.get())) server({"DROP TABLE GraphData", "DROP TABLESPACE small"});
    if (mounted) QProcess::execute("umount", {"-l", small});
  }
  // One by one: a tablespace is made and dropped outside any transaction.
  void server(const QStringList& sqls) { for (const QString& sql : sqls) databases.server().run(databases.kPostgresDatabase, sql); }
  void begin() {
    if (cause == Cause::Lock || cause == Cause::TableDropped) db->holdWriteLock();
    if (cause == Cause::ServerStopped) databases.server().stop();
    if (cause == Cause::Unreachable) QVERIFY(QFile::rename(db->dataSource(), db->dataSource() + ".away"));
    QFile filler(small + "/filler");
    if (cause == Cause::DiskFull && filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
      while (filler.write(QByteArray(4096, 'x')) > 0) {}
  }
  void end() {
    if (cause == Cause::Lock) db->releaseWriteLock();
    if (cause == Cause::ServerStopped) QVERIFY(databases.server().start());
    if (cause == Cause::Unreachable) QVERIFY(QFile::rename(db->dataSource() + ".away", db->dataSource()));
    if (cause == Cause::DiskFull) QVERIFY(QFile::remove(small + "/filler"));
    if (cause == Cause::TableDropped)
      for (const char* sql : {"DROP TABLE GraphData", "COMMIT"}) db->run(sql);
  }

  MeasurementDatabases& databases;
  Cause cause;
  QString small;  // a file system of its own, to fill
  bool mounted = false;
  std::unique_ptr<MeasurementDatabase> db;
};

QString waiting(int count, const QString& database) {
  return QString("%1 values waiting to be stored in %2").arg(count).arg(QFileInfo(database).fileName());
}

// The child of killedProgramLosesNoRow: three presses that find the database locked, then the kill.
int pressThreeAndWait(const QString& database, const QString& pendingFile) {
  EntryFixture f;
  f.store.rows().load(pendingFile);
  f.state.DatabasePath = database;
  for (const char* value : {"1", "2", "3"}) f.press(value);
  QTextStream(stdout) << f.store.rows().count() << ' ' << f.folder.path() << Qt::endl;
  QThread::sleep(600);
  return 1;
}

}  // namespace

class PendingRowsTest : public QObject {
  Q_OBJECT
  MeasurementDatabases databases_;

 private slots:
  void initTestCase() { QVERIFY2(databases_.start(), qPrintable(databases_.errorText())); }

  void valuesWaitForTheDatabase_data() {
    addEngineColumn();
    QTest::addColumn<int>("cause");
    for (EngineKind engine : kEngines) {
      newEngineRow(engine, "another writer holds the lock") << int(Cause::Lock);
      newEngineRow(engine, "disk full, then freed") << int(Cause::DiskFull);
      newEngineRow(engine, "database file out of reach, then back") << int(Cause::Unreachable);
      newEngineRow(engine, "table dropped while values wait") << int(Cause::TableDropped);
    }
    newEngineRow(EngineKind::Postgres, "server stopped and started again") << int(Cause::ServerStopped);
  }
  void valuesWaitForTheDatabase() {
    QFETCH(EngineKind, engine);
    QFETCH(int, cause);
    EntryFixture f;
    Outage outage(databases_, engine, Cause(cause), f.folder.path());
    if (Cause(cause) == Cause::DiskFull && !outage.mounted) QSKIP("a small file system to fill needs root");
    f.state.DatabasePath = outage.db->dataSource();
    int firstNumber = outage.db->scalar("SELECT MAX(number) FROM GraphData").toInt() + 1;
    outage.begin();
    const QDateTime start = f.test.clock.now();
    for (int i = 1; i <= 10; ++i) {  // twenty seconds of presses and ticks
      f.test.clock.set(start.addSecs(2 * i));
      const QDeadlineTimer press(600);
      f.press(QString::number(i));
      QVERIFY2(!press.hasExpired(), qPrintable(QString("press %1 took longer than 0.6 s").arg(i)));
      f.store.deliver();
    }
    f.deliver();
    QCOMPARE(f.window.pendingCaption, waiting(10, f.state.DatabasePath));
    QCOMPARE(f.test.messages.shown.size(), 1);
    QVERIFY(f.test.messages.texts()[0].startsWith(LoadResString(TextId::RowKept).arg(1).arg("1", f.state.DatabasePath).section('%', 0, 0)));

    outage.end();
    if (Cause(cause) == Cause::TableDropped) {
      f.deliver();
      f.deliver();  // refused again, not told again
      QCOMPARE(f.test.messages.shown.size(), 2);
      QVERIFY(f.test.messages.texts()[1].startsWith(
          LoadResString(TextId::KeptRowRefused).arg(1).arg("05/12/2010", "14:08:47").section('%', 0, 0)));
      outage.db->run("CREATE TABLE GraphData (Date TEXT, Time TEXT, number REAL, Data REAL)");
      firstNumber = 1;
    }
    f.deliver();
    QList<QVariantList> expected;
    for (int i = 1; i <= 10; ++i) expected.append({double(firstNumber + i - 1), start.addSecs(2 * i).toString("hh:mm:ss"), double(i)});
    QCOMPARE(outage.db->rows("SELECT number, Time, Data FROM GraphData WHERE Data >= 1 ORDER BY number"), expected);
    QCOMPARE(f.window.pendingCaption, QString());
    QVERIFY(!QFile::exists(f.test.env.pendingRowsPath));
    QCOMPARE(f.test.messages.shown.size(), Cause(cause) == Cause::TableDropped ? 2 : 1);
  }

  void killedProgramLosesNoRow_data() { addEngineRows(); }
  void killedProgramLosesNoRow() {
    QFETCH(EngineKind, engine);
    EntryFixture f;
    const auto db = databases_.make(engine, f.folder.path());
    db->withGraphData().holdWriteLock();
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--press-three", db->dataSource(), f.test.env.pendingRowsPath});
    QVERIFY(child.waitForReadyRead(30000));
    const QStringList said = QString(child.readAll()).trimmed().split(' ');
    child.kill();
    QVERIFY(child.waitForFinished());
    QDir(said.value(1)).removeRecursively();
    QCOMPARE(said.value(0), "3");
    db->releaseWriteLock();
    db->withRow(1, 1.0);  // committed just before the kill, not yet taken off the file
    const QByteArray cutShort = pendingLine({db->dataSource(), {"05/12/2010", "14:08:45", 4}, 4}).first(20);
    appendDurably(f.test.env.pendingRowsPath, cutShort);  // had a fourth press been killed while kept
    f.store.load();  // the program started again in the same folder
    QCOMPARE(f.test.messages.texts(), QStringList{LoadResString(TextId::PendingFileUnreadable).arg("\n" + cutShort)});
    QCOMPARE(f.window.pendingCaption, waiting(3, db->dataSource()));
    f.deliver();
    QCOMPARE(db->rows("SELECT number, Data FROM GraphData ORDER BY number"), (QList<QVariantList>{{1.0, 1.0}, {2.0, 2.0}, {3.0, 3.0}}));
  }

  void windowShowsTheRowsLeftBehind() {
    EntryFixture f;
    appendDurably(f.test.env.pendingRowsPath, pendingLine({"/gone/a.db", {"05/12/2010", "14:08:45", 1.5f}, 1}) +
                                                  pendingLine({"/gone/station.kvconn", {"05/12/2010", "14:08:46", 2}, 2}));
    frmChart window(f.state, f.test.env);
    window.Form_Load();
    const auto* label = window.findChild<QLabel*>("lblPending");
    QVERIFY(label->isVisible() && label->parentWidget()->objectName() == "fraDataInput");
    QCOMPARE(label->text(), "2 values waiting to be stored in a.db, station.kvconn");
    QCOMPARE(label->geometry(), QRect(twipsOnScreen(1920), twipsOnScreen(1800), twipsOnScreen(3255), twipsOnScreen(375)));
  }

  void linesReadBackAsWritten_data() {
    QTest::addColumn<QString>("database");
    QTest::addColumn<float>("data");
    QTest::addColumn<QByteArray>("fields");  // the database and the value as the line holds them
    QTest::newRow("SQLite file") << "/data/m.db" << 2.5f << QByteArray(R"("/data/m.db","05/12/2010","14:08:45","2.5")");
    QTest::newRow("quotes and a comma in a path") << "/\"x\",y.db" << -0.1f << QByteArray(R"("/""x"",y.db","05/12/2010","14:08:45","-0.1")");
    QTest::newRow("all digits of a Single") << "s.kvconn" << 1.00000012f << QByteArray(R"("s.kvconn","05/12/2010","14:08:45","1.0000001")");
  }
  void linesReadBackAsWritten() {
    QFETCH(QString, database);
    QFETCH(float, data);
    QFETCH(QByteArray, fields);
    const QByteArray line = pendingLine({database, {"05/12/2010", "14:08:45", data}, 3});
    QCOMPARE(line, fields + ",\"3\"\r\n");
    const std::optional<KeptRow> row = readPendingLine(QByteArrayView(line).chopped(2));
    QVERIFY(row && row->database == database && row->measurement.data == data && row->entry == 3 &&
            row->measurement.time == "14:08:45");
    // A crash can cut the line anywhere: no part of it passes for a row.
    for (qsizetype cut = 0; cut < line.size() - 2; ++cut) QVERIFY(!readPendingLine(QByteArrayView(line).first(cut)));
  }
};

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  if (argc == 4 && QByteArray(argv[1]) == "--press-three") return pressThreeAndWait(argv[2], argv[3]);
  PendingRowsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_pendingrows.moc"
