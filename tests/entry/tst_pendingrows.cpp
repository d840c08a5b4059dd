#include "support/EntryFixture.h"
#include "support/MeasurementDatabase.h"

#include "handlers/PeriodQuery.h"
#include "state/DurableFile.h"
#include "shell/Layout.h"
#include "state/TextResources.h"
#include "shell/frmChart.h"

#include <QDeadlineTimer>
#include <QLabel>
#include <QtTest>

#include <csignal>

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
  return LoadResString(count == 1 ? TextId::ValueWaiting : TextId::ValuesWaiting).arg(count).arg(QFileInfo(database).fileName());
}

// Another copy of the program in the same folder: it presses the values while the database is
// locked, says how many it keeps, and waits to be killed.
int pressAndWait(const QString& database, const QString& pendingFile, const QStringList& values) {
  EntryFixture f;
  f.test.env.pendingRowsPath = pendingFile;
  f.store.load();
  f.state.DatabasePath = database;
  for (const QString& value : values) f.press(value);
  QTextStream(stdout) << f.store.rows().count() << Qt::endl;
  QThread::sleep(600);
  return 1;
}

QByteArray readAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList keptFiles(const QString& folder) { return QDir(folder).entryList({"Pending rows*.txt"}, QDir::Files); }

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

  void twoCopiesInOneFolderStoreEveryRowOnce_data() { addEngineRows(); }
  void twoCopiesInOneFolderStoreEveryRowOnce() {
    QFETCH(EngineKind, engine);
    EntryFixture f;
    const auto db = databases_.make(engine, f.folder.path());
    db->withGraphData().holdWriteLock();
    f.state.DatabasePath = db->dataSource();
    for (const char* value : {"1", "2", "3"}) f.press(value);
    QProcess other;
    other.start(QCoreApplication::applicationFilePath(),
                {"--press-and-wait", db->dataSource(), f.test.env.pendingRowsPath, "4", "5", "6"});
    QVERIFY(other.waitForReadyRead(30000));
    QCOMPARE(other.readAll().trimmed(), "3");
    QCOMPARE(keptFiles(f.folder.path()), (QStringList{"Pending rows 2.txt", "Pending rows.txt"}));
    db->releaseWriteLock();
    f.deliver();  // the other copy still runs: its file stays its own
    QCOMPARE(keptFiles(f.folder.path()), QStringList{"Pending rows 2.txt"});
    other.kill();
    QVERIFY(other.waitForFinished());
    f.deliver();  // the file of a copy that ended is taken up
    // A write still under way when the other copy was killed may have come first.
    QCOMPARE(db->rows("SELECT Data FROM GraphData ORDER BY Data"), (QList<QVariantList>{{1.0}, {2.0}, {3.0}, {4.0}, {5.0}, {6.0}}));
    QCOMPARE(db->rows("SELECT Data FROM GraphData WHERE Data <= 3 ORDER BY number"), (QList<QVariantList>{{1.0}, {2.0}, {3.0}}));
    QVERIFY(keptFiles(f.folder.path()).isEmpty());
  }

  // The server commits, then the connection is lost before the program hears of it: the commit
  // waits for a standby that never answers until the second session ends it.
  void rowCommittedUnheardIsStoredOnce() {
    EntryFixture f;
    PostgresServer& server = databases_.server();
    const auto db = databases_.make(EngineKind::Postgres, f.folder.path());
    db->withGraphData().withRow(1, 0.5);
    f.state.DatabasePath = db->dataSource();
    const auto standbyAwaited = [&](bool awaited) {
      // One by one: ALTER SYSTEM runs outside any transaction.
      const QStringList sqls = awaited ? QStringList{"ALTER ROLE station SET synchronous_commit = on",
                                                     "ALTER SYSTEM SET synchronous_standby_names = 'nobody'"}
                                       : QStringList{"ALTER ROLE station RESET synchronous_commit",
                                                     "ALTER SYSTEM RESET synchronous_standby_names"};
      for (const QString& sql : sqls + QStringList{"SELECT pg_reload_conf()"}) server.run("postgres", sql);
    };
    standbyAwaited(true);
    auto restored = qScopeGuard([&] { standbyAwaited(false); });
    f.press("7");
    QCOMPARE(f.window.pendingCaption, waiting(1, f.state.DatabasePath));
    QTRY_VERIFY(readAll(f.test.env.pendingRowsPath).contains(R"("7","1","2")"));  // the number given before the commit
    server.run("postgres", "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE usename = 'station'");
    QVERIFY(f.store.waitForWrites(std::chrono::seconds(30)));
    QCOMPARE(db->rows("SELECT number, Data FROM GraphData ORDER BY number"), (QList<QVariantList>{{1.0, 0.5}, {2.0, 7.0}}));
    restored.dismiss();
    standbyAwaited(false);
    f.deliver();
    QCOMPARE(db->rows("SELECT number, Data FROM GraphData ORDER BY number"), (QList<QVariantList>{{1.0, 0.5}, {2.0, 7.0}}));
    QCOMPARE(f.window.pendingCaption, QString());
  }

  // Cancel, a press and the end of the program each within their bound; the row kept is stored
  // once the server answers again, by the program started anew.
  void silentServerHoldsNothing() {
    QTemporaryDir station;
    const auto db = databases_.make(EngineKind::Postgres, station.path());
    db->withGraphData();
    const QString pending = station.filePath("Pending rows.txt");
    {
      EntryFixture f;
      f.test.env.pendingRowsPath = pending;
      f.store.load();
      f.state.DatabasePath = db->dataSource();
      databases_.server().signalAll(SIGSTOP);
      const auto resumed = qScopeGuard([&] { databases_.server().signalAll(SIGCONT); });
      QElapsedTimer timer;
      timer.start();
      f.press("8");
      QVERIFY2(timer.elapsed() < 600, qPrintable(QString("the press took %1 ms").arg(timer.elapsed())));
      QCOMPARE(f.window.pendingCaption, waiting(1, f.state.DatabasePath));
      f.window.cancelAfter = std::chrono::milliseconds(100);
      timer.start();
      QVERIFY(!chartQuery(f.program, "SELECT Date, Time, number, Data FROM GraphData"));
      QVERIFY2(timer.elapsed() < 1100, qPrintable(QString("the cancelled read took %1 ms").arg(timer.elapsed())));
      timer.start();
      const auto deadline = std::chrono::steady_clock::now() + Worker::kExitWait;
      f.store.shutdown(deadline);
      f.reader.stop(deadline);
      QVERIFY2(timer.elapsed() < 2000, qPrintable(QString("the exit took %1 ms").arg(timer.elapsed())));
    }
    // The write left behind lets its file go once it has ended.
    QTRY_VERIFY_WITH_TIMEOUT(!QFile::exists(pending + ".lock"), 20000);
    EntryFixture again;
    again.test.env.pendingRowsPath = pending;
    again.store.load();
    again.state.DatabasePath = db->dataSource();
    again.deliver();
    QCOMPARE(db->rows("SELECT Data FROM GraphData"), QList<QVariantList>{{8.0}});
  }

  void unreadableFileIsLeftAsItIs() {
    EntryFixture f;
    QVERIFY(QDir(f.folder.path()).mkdir("Pending rows.txt"));  // no file a program can read
    f.test.messages.shown.clear();
    f.store.load();
    QCOMPARE(f.test.messages.shown.size(), 1);
    const QString told = f.test.messages.texts()[0];
    QVERIFY2(told.contains(QFileInfo(f.test.env.pendingRowsPath).absoluteFilePath()) && told.endsWith(
                 LoadResString(TextId::PendingFileLeftAlone).section("%2", 1).prepend("Pending rows 2.txt")),
             qPrintable(told));
    f.state.DatabasePath = f.path("gone/m.db");
    f.press("1");
    QCOMPARE(f.store.rows().count(), 1);
    QVERIFY(QFileInfo(f.test.env.pendingRowsPath).isDir());
    QVERIFY(QFile::exists(f.path("Pending rows 2.txt")));
    f.deliver();  // told once
    QCOMPARE(f.test.messages.shown.size(), 2);
  }

  void windowShowsTheRowsLeftBehind() {
    QTemporaryDir folder;
    TestEnvironment test;
    test.env.pendingRowsPath = folder.filePath("Pending rows.txt");
    appendDurably(test.env.pendingRowsPath, pendingLine({"/gone/a.db", {"05/12/2010", "14:08:45", 1.5f}, 1, {}}) +
                                                pendingLine({"/gone/station.kvconn", {"05/12/2010", "14:08:46", 2}, 2, {}}));
    ProgramState state;
    frmChart window(state, test.env);
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
    const QByteArray line = pendingLine({database, {"05/12/2010", "14:08:45", data}, 3, {}});
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
  if (argc > 4 && QByteArray(argv[1]) == "--press-and-wait")
    return pressAndWait(argv[2], argv[3], app.arguments().mid(4));
  PendingRowsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "tst_pendingrows.moc"
