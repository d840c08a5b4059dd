#include "support/EntryFixture.h"
#include "support/MeasurementDatabase.h"

#include "handlers/QueryDialog.h"
#include "state/DurableFile.h"
#include "shell/Layout.h"
#include "state/TextResources.h"
#include "shell/frmChart.h"
#include "shell/frmPeriod.h"

#include <QDeadlineTimer>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <csignal>
#include <thread>

#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

// Set while a case needs a file system that cannot write folders to the disk: this program's fsync
// takes the place of the system's.
static std::atomic<bool> foldersUnsynced{false};
extern "C" int fsync(int fd) {
  struct stat file;
  if (foldersUnsynced && ::fstat(fd, &file) == 0 && S_ISDIR(file.st_mode)) {
    errno = EIO;
    return -1;
  }
  return int(::syscall(SYS_fsync, fd));
}

using namespace kelvane;
using namespace kelvane::testing;

namespace {

enum class Cause { Lock, ServerStopped, DiskFull, Unreachable, TableDropped, LoginRefused };

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
    if (cause == Cause::LoginRefused) loginAllowed(true);
    if (mounted && dynamic_cast<PostgresMeasurementDatabase*>(db.get())) server({"DROP TABLE GraphData", "DROP TABLESPACE small"});
    if (mounted) QProcess::execute("umount", {"-l", small});
  }
  void loginAllowed(bool allowed) { server({QString("ALTER ROLE %1 %2LOGIN").arg(PostgresServer::kUser, allowed ? "" : "NO")}); }
  // One by one: a tablespace is made and dropped outside any transaction.
  void server(const QStringList& sqls) { for (const QString& sql : sqls) databases.server().run(databases.kPostgresDatabase, sql); }
  void begin() {
    if (cause == Cause::Lock || cause == Cause::TableDropped) db->holdWriteLock();
    if (cause == Cause::ServerStopped) databases.server().stop();
    if (cause == Cause::LoginRefused) loginAllowed(false);
    if (cause == Cause::Unreachable) QVERIFY(QFile::rename(db->dataSource(), db->dataSource() + ".away"));
    QFile filler(small + "/filler");
    if (cause == Cause::DiskFull && filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
      while (filler.write(QByteArray(4096, 'x')) > 0) {}
  }
  void end() {
    if (cause == Cause::Lock) db->releaseWriteLock();
    if (cause == Cause::ServerStopped) QVERIFY(databases.server().start());
    if (cause == Cause::LoginRefused) loginAllowed(true);
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

  // A commit waits for a standby that never answers, until a session ends it or the wait is off.
  void standbyAwaited(bool awaited) {
    // One by one: ALTER SYSTEM runs outside any transaction.
    const QStringList sqls = awaited ? QStringList{"ALTER ROLE station SET synchronous_commit = on",
                                                   "ALTER SYSTEM SET synchronous_standby_names = 'nobody'"}
                                     : QStringList{"ALTER ROLE station RESET synchronous_commit",
                                                   "ALTER SYSTEM RESET synchronous_standby_names"};
    for (const QString& sql : sqls + QStringList{"SELECT pg_reload_conf()"}) databases_.server().run("postgres", sql);
    // A session shows the setting once the server has read it again, and so will the next session.
    QTRY_COMPARE(databases_.server().rows("postgres", "SHOW synchronous_standby_names").value(0).value(0).toString(),
                 QString(awaited ? "nobody" : ""));
  }

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
    newEngineRow(EngineKind::Postgres, "station's role may not log in, then may") << int(Cause::LoginRefused);
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

  // A largest number no number follows refuses the write, naming the row; the row is kept, as for
  // a database that cannot take it for the moment, and stored once the table is mended.
  void numberPastEveryNumberKeepsTheRow_data() {
    addEngineColumn();
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("shown");
    newEngineRow(EngineKind::Sqlite, "infinity") << "9e999" << "inf";
    newEngineRow(EngineKind::Sqlite, "a text") << "'abc'" << "abc";
    newEngineRow(EngineKind::Sqlite, "2^53, which adding 1 leaves as it is") << "9007199254740992" << "9007199254740992";
    newEngineRow(EngineKind::Postgres, "NaN") << "'NaN'" << "nan";
    newEngineRow(EngineKind::Postgres, "Infinity") << "'Infinity'" << "inf";
  }
  void numberPastEveryNumberKeepsTheRow() {
    QFETCH(EngineKind, engine);
    QFETCH(QString, number);
    QFETCH(QString, shown);
    EntryFixture f;
    const auto db = databases_.make(engine, f.folder.path());
    db->withGraphData().withRow(7, 0.5);
    db->run("INSERT INTO GraphData VALUES ('05/12/2010', '14:08:00', " + number + ", 1)");
    f.state.DatabasePath = db->dataSource();
    f.press("2.5");
    f.deliver();
    const QString why = LoadResString(TextId::NoNextNumber).arg(shown);
    QCOMPARE(f.test.messages.texts(), QStringList{LoadResString(TextId::RowKept).arg(1).arg("2.5", db->dataSource(), why)});
    QCOMPARE(f.store.rows().count(), 1);
    QVERIFY(readAll(f.test.env.pendingRowsPath).contains("\"2.5\",\"1\""));
    QCOMPARE(db->scalar("SELECT count(*) FROM GraphData").toInt(), 2);
    db->run("DELETE FROM GraphData WHERE number <> 7");
    f.deliver();
    QCOMPARE(db->rows("SELECT number, Data FROM GraphData ORDER BY number"), (QList<QVariantList>{{7.0, 0.5}, {8.0, 2.5}}));
    QCOMPARE(f.test.messages.shown.size(), 1);
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

  void failedHandOverTellsWhatTheWriteDid_data() {
    QTest::addColumn<int>("write");  // 0: the server is silent; the commit awaited: 1 ends, 2 loses its answer
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QList<TextId>>("told");
    QTest::newRow("server silent past the connect timeout") << 0 << false << QList{TextId::NotStored, TextId::NotKept};
    QTest::newRow("commit awaited, then done") << 1 << true << QList<TextId>{};
    QTest::newRow("commit's answer lost") << 2 << true << QList{TextId::PerhapsStored, TextId::NotKept};
  }
  // A row no file can keep: the press waits for its write to end, and tells what it did.
  void failedHandOverTellsWhatTheWriteDid() {
    QFETCH(int, write);
    QFETCH(bool, stored);
    QFETCH(QList<TextId>, told);
    EntryFixture f;
    PostgresServer& server = databases_.server();
    const auto db = databases_.make(EngineKind::Postgres, f.folder.path());
    db->withGraphData();
    f.state.DatabasePath = db->dataSource();
    QVERIFY(QDir(f.folder.path()).mkdir("Pending rows.txt"));
    write == 0 ? server.signalAll(SIGSTOP) : standbyAwaited(true);
    const auto restored = qScopeGuard([&] { write == 0 ? server.signalAll(SIGCONT) : standbyAwaited(false); });
    // A second after the commit began to wait, well after the press gave up waiting.
    std::thread outside([&] {
      while (write > 0 && server.rows("postgres", "SELECT 1 FROM pg_stat_activity WHERE wait_event = 'SyncRep'").isEmpty())
        QThread::msleep(20);
      QThread::sleep(1);
      if (write == 1) standbyAwaited(false);
      if (write == 2) server.run("postgres", "SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE wait_event = 'SyncRep'");
    });
    f.press("7");
    outside.join();
    if (write == 0) server.signalAll(SIGCONT);
    QCOMPARE(db->rows("SELECT Data FROM GraphData"), stored ? QList<QVariantList>{{7.0}} : QList<QVariantList>{});
    QCOMPARE(f.test.messages.shown.size(), told.isEmpty() ? 0 : 1);
    for (TextId part : told)
      QVERIFY2(f.test.messages.texts()[0].contains(LoadResString(part).section('%', 0, 0)), qPrintable(f.test.messages.texts()[0]));
    QCOMPARE(f.store.rows().count(), 0);
  }

  // While rows wait for a silent server, each tick's delivery holds that server's writer: presses
  // into a healthy file are stored all the same, not kept behind it.
  void pressBesideASilentServerIsStored() {
    EntryFixture f;
    const auto server = databases_.make(EngineKind::Postgres, f.folder.path());
    const auto file = databases_.make(EngineKind::Sqlite, f.folder.path());
    server->withGraphData();
    file->withGraphData();
    databases_.server().signalAll(SIGSTOP);
    const auto resumed = qScopeGuard([&] { databases_.server().signalAll(SIGCONT); });
    f.state.DatabasePath = server->dataSource();
    f.press("1");
    f.state.DatabasePath = file->dataSource();
    for (const char* value : {"2", "3"}) {
      f.test.clock.set(f.test.clock.now().addSecs(5));
      f.store.deliver();
      f.press(value);
    }
    QCOMPARE(file->rows("SELECT Data FROM GraphData ORDER BY number"), (QList<QVariantList>{{2.0}, {3.0}}));
    QCOMPARE(f.window.pendingCaption, waiting(1, server->dataSource()));
  }

  // The period dialog asks the silent server for its index on the reader, with no limit to the
  // wait (the connection file sets none): Cancel ends the question, and the reader is free.
  void periodDialogsCancelEndsItsQuestion() {
    EntryFixture f;
    f.state.DatabasePath = PostgresServer::writeConnectionFile(f.folder.path(), databases_.uri() + "?connect_timeout=0");
    databases_.server().signalAll(SIGSTOP);
    const auto resumed = qScopeGuard([&] { databases_.server().signalAll(SIGCONT); });
    auto* dialog = new frmPeriod(f.program, nullptr);
    dialog->show();
    dialog->findChild<QPushButton*>("btnCancel")->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(f.reader.start<bool>([](JobControl&) { return true; })->waitFor(std::chrono::seconds(20)));
  }

  // A new file's line is on the disk although its folder could not be: the row is kept, not told
  // lost, and the folder is told once, as a warning, also when another copy's file starts there.
  void keptLineInAFolderThatCannotBeSynced() {
    EntryFixture f, other;
    other.test.env.pendingRowsPath = f.test.env.pendingRowsPath;
    other.store.load();
    foldersUnsynced = true;
    const auto synced = qScopeGuard([] { foldersUnsynced = false; });
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Cannot write its folder to the disk"));
    for (EntryFixture* copy : {&f, &other}) {
      copy->state.DatabasePath = f.path("gone/m.db");
      copy->press("1");
      QCOMPARE(copy->store.rows().count(), 1);
      QCOMPARE(copy->test.messages.shown.size(), 1);
      QVERIFY(copy->test.messages.texts()[0].startsWith(LoadResString(TextId::RowKept).section('%', 0, 0)));
      QTest::failOnWarning(QRegularExpression("Cannot write its folder"));
    }
    QCOMPARE(keptFiles(f.folder.path()), (QStringList{"Pending rows 2.txt", "Pending rows.txt"}));
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

  // Lines of the file of kept rows that hold no row are moved, as they are, to a file beside it:
  // the message at start counts them and shows the first few, cut short; the rows are kept and
  // stored. A line whose Date or Time is not in the program's forms holds no row.
  void damagedLinesAreMovedBeside_data() {
    QTest::addColumn<QByteArrayList>("damaged");
    QTest::addColumn<QStringList>("shown");
    const QByteArray good = pendingLine({"/gone/m.db", {"05/12/2010", "14:08:45", 1.5f}, 1, {}}).chopped(2);
    const QByteArray huge(20'000'000, 'x');
    QTest::newRow("cut short by a crash") << QByteArrayList{good.chopped(5)} << QStringList{QString(good.chopped(5))};
    QTest::newRow("20 MB of one line") << QByteArrayList{huge} << QStringList{QString(79, 'x') + QChar(0x2026)};
    QByteArrayList forms;
    for (const char* date : {"2010-12-05", "31/02/2010", "05 12 2010", "5/12/2010"})
      forms << QByteArray(good).replace("05/12/2010", date);
    for (const char* time : {"25:00:00", "14:08", "=cmd|' /C calc'!A0", "14h08h45"})
      forms << QByteArray(good).replace("14:08:45", time);
    QTest::newRow("Date and Time not in the program's forms")
        << forms << QStringList{QString(forms[0]), QString(forms[1]), QString(forms[2]), "…"};
  }
  void damagedLinesAreMovedBeside() {
    QFETCH(QByteArrayList, damaged);
    QFETCH(QStringList, shown);
    EntryFixture f;
    const auto db = databases_.make(EngineKind::Sqlite, f.folder.path());
    db->withGraphData();
    QTemporaryDir station;
    const QString kept = station.filePath("Pending rows.txt"), beside = station.filePath("Pending rows unreadable.txt");
    // Rows under German settings too: the file may come from another station.
    const QByteArray first = pendingLine({db->dataSource(), {"05/12/2010", "14:08:45", 1.5f}, 1, {}}),
                     second = pendingLine({db->dataSource(), {"05.12.2010", "14.08.46", 2.5f}, 2, {}}), rows = first + second;
    appendDurably(kept, first + damaged.join("\r\n") + "\r\n" + second);
    f.test.env.pendingRowsPath = kept;
    f.store.load();
    QCOMPARE(f.test.messages.texts(), QStringList{LoadResString(TextId::KeptLinesMoved)
                                                      .arg(damaged.size())
                                                      .arg(kept, "Pending rows unreadable.txt", shown.join('\n').prepend('\n'))});
    QCOMPARE(readAll(beside), damaged.join("\r\n") + "\r\n");
    QCOMPARE(readAll(kept), rows);
    f.deliver();
    QCOMPARE(db->rows("SELECT Time, Data FROM GraphData ORDER BY number"), (QList<QVariantList>{{"14:08:45", 1.5}, {"14.08.46", 2.5}}));
    QCOMPARE(readAll(beside), damaged.join("\r\n") + "\r\n");
  }

  // Lines that cannot be moved beside the file leave it as it is, rows and all, told once.
  void damagedLinesThatCannotMoveLeaveTheFile() {
    EntryFixture f;
    QTemporaryDir station;
    const QString kept = station.filePath("Pending rows.txt");
    const QByteArray content = pendingLine({"/gone/m.db", {"05/12/2010", "14:08:45", 1.5f}, 1, {}}) + "\"damaged\r\n";
    appendDurably(kept, content);
    QVERIFY(QDir(station.path()).mkdir("Pending rows unreadable.txt"));
    f.test.env.pendingRowsPath = kept;
    f.store.load();
    QCOMPARE(f.test.messages.shown.size(), 1);
    QVERIFY2(f.test.messages.texts()[0].contains("cannot be moved to Pending rows unreadable.txt"), qPrintable(f.test.messages.texts()[0]));
    QCOMPARE(readAll(kept), content);
    QCOMPARE(f.store.rows().count(), 0);
  }

  void windowShowsTheRowsLeftBehind() {
    QTemporaryDir folder;
    TestEnvironment test;
    test.env.pendingRowsPath = folder.filePath("Pending rows.txt");
    appendDurably(test.env.pendingRowsPath, pendingLine({"/gone/a.db", {"05/12/2010", "14:08:45", 1.5f}, 1, {}}) +
                                                pendingLine({"/gone/station.kvconn", {"05/12/2010", "14:08:46", 2}, 2, {}}));
    ProgramState state;
    frmChart window(test.env);
    ProgramServices services(state, test.env, window);
    window.Form_Load(services);
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

  // The first press waits for a lock past the lock's wait and is kept; the second, behind it on the
  // database's writer, finds the lock gone: it is kept behind the first, so both arrive in order.
  void laterPressNeverOvertakesAnEarlierOne_data() { addEngineRows(); }
  void laterPressNeverOvertakesAnEarlierOne() {
    QFETCH(EngineKind, engine);
    EntryFixture f;
    const auto database = databases_.make(engine, f.folder.path());
    database->withGraphData();
    f.state.DatabasePath = database->dataSource();
    database->holdWriteLock();
    QTimer::singleShot(300, [&] { database->releaseWriteLock(); });
    f.window.entry = "1";
    btnCalculation_Click(f.program);
    QTest::qWait(100);
    f.press("2");
    QTest::qWait(400);
    f.deliver();
    QCOMPARE(f.store.rows().count(), 0);
    QCOMPARE(database->rows("SELECT Data FROM GraphData ORDER BY number"), (QList<QVariantList>{{1.0}, {2.0}}));
  }

  // Kept behind an earlier press on its writer, a row stays kept once when the program ends
  // before its half second.
  void keptBehindThenExitKeepsEachRowOnce() {
    EntryFixture f;
    const auto database = databases_.make(EngineKind::Sqlite, f.folder.path());
    database->withGraphData();
    f.state.DatabasePath = database->dataSource();
    database->holdWriteLock();
    f.window.entry = "1";
    btnCalculation_Click(f.program);
    QTest::qWait(100);
    f.press("2");
    QCOMPARE(f.store.rows().count(), 2);
    f.store.shutdown(std::chrono::steady_clock::now() + Worker::kExitWait);
    QTest::qWait(700);
    QCOMPARE(f.store.rows().count(), 2);
  }

  // The program ends while a row is being written to a silent server: it is kept for the next
  // start, and nothing tells of it as lost.
  void exitDuringAPressTellsNoLoss() {
    EntryFixture f;
    const auto database = databases_.make(EngineKind::Postgres, f.folder.path());
    database->withGraphData();
    f.state.DatabasePath = database->dataSource();
    databases_.server().signalAll(SIGSTOP);
    const auto resumed = qScopeGuard([&] { databases_.server().signalAll(SIGCONT); });
    f.window.entry = "7";
    btnCalculation_Click(f.program);
    QTest::qWait(100);
    f.store.shutdown(std::chrono::steady_clock::now() + Worker::kExitWait);
    QTest::qWait(700);
    QCOMPARE(f.store.rows().count(), 1);
    QCOMPARE(f.test.messages.texts(), QStringList());
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
