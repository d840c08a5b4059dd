#include "support/EntryFixture.h"
#include "support/MeasurementDatabase.h"

#include "database/ConnectionString.h"
#include "shell/TextResources.h"

#include <QDir>
#include <QtTest>

using namespace kelvane;
using namespace kelvane::testing;

class RunRecordsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void eachRecordIsWrittenOnItsOwn_data();
  void eachRecordIsWrittenOnItsOwn();
  void lockedDatabaseIsReported_data() { addEngineRows(); }
  void lockedDatabaseIsReported();
  void rowNumberFollowsTheLargestNumber_data();
  void rowNumberFollowsTheLargestNumber();

 private:
  MeasurementDatabases databases_;
};

namespace {

enum class Database { None, Good, Missing, NoTable, NotADatabase };

// Prepares the chosen database of a case; returns the path the program is given.
QString prepare(MeasurementDatabase& database, Database kind) {
  const QString path = database.dataSource();
  switch (kind) {
    case Database::None: return {};
    case Database::Good: database.withGraphData(); break;
    case Database::Missing: QFile::remove(path); break;
    case Database::NoTable: database.run("CREATE TABLE Other (x INTEGER)"); break;
    case Database::NotADatabase: {
      QFile file(path);
      if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
      file.write(QByteArray(4096, 'x'));
      break;
    }
  }
  return path;
}

// How a message names a database that cannot be reached: its file, or its connection file.
QString measurementsName(EngineKind engine) { return engine == EngineKind::Sqlite ? "m.db" : "station.kvconn"; }

}  // namespace

void RunRecordsTest::initTestCase() { QVERIFY2(databases_.start(), qPrintable(databases_.errorText())); }

void RunRecordsTest::eachRecordIsWrittenOnItsOwn_data() {
  addEngineColumn();
  QTest::addColumn<int>("database");
  QTest::addColumn<bool>("logWritable");
  QTest::addColumn<bool>("rowExpected");
  QTest::addColumn<QStringList>("messageParts");
  const QString lost = LoadResString(TextId::EntryNotRecorded).arg(1).arg("2.5");
  const QString noLog = LoadResString(TextId::NotLogged).section('%', 0, 0);
  const QString noRow = LoadResString(TextId::NotStored).section('%', 0, 0);
  newEngineRow(EngineKind::Sqlite, "no database chosen is silent") << int(Database::None) << true << false << QStringList{};
  for (EngineKind engine : kEngines) {
    // Table names fold to lower case in PostgreSQL, and its messages name them so.
    const QString table = engine == EngineKind::Sqlite ? "GraphData" : "\"graphdata\"";
    newEngineRow(engine, "all written") << int(Database::Good) << true << true << QStringList{};
    newEngineRow(engine, "log unwritable, row still stored")
        << int(Database::Good) << false << true << QStringList{lost, noLog, "Logfile.txt"};
    newEngineRow(engine, "missing file, not created")
        << int(Database::Missing) << true << false << QStringList{lost, noRow, measurementsName(engine)};
    newEngineRow(engine, "no table GraphData") << int(Database::NoTable) << true << false << QStringList{lost, noRow, table};
    newEngineRow(engine, "file is no database") << int(Database::NotADatabase) << true << false << QStringList{lost, noRow};
    newEngineRow(engine, "both fail, one message")
        << int(Database::Missing) << false << false << QStringList{lost, noLog, noRow};
  }
}

void RunRecordsTest::eachRecordIsWrittenOnItsOwn() {
  QFETCH(EngineKind, engine);
  QFETCH(int, database);
  QFETCH(bool, logWritable);
  QFETCH(bool, rowExpected);
  QFETCH(QStringList, messageParts);
  EntryFixture f;
  const auto measurements = databases_.make(engine, f.folder.path());
  f.state.DatabasePath = prepare(*measurements, Database(database));
  // A folder where the log should be: it cannot be opened as a file, even by root.
  if (!logWritable) QVERIFY(QDir(f.folder.path()).mkdir("Logfile.txt"));

  f.press("2.5");

  QCOMPARE(f.window.List2, QStringList{"2.5"});
  QCOMPARE(f.log().isEmpty(), !logWritable);
  if (rowExpected) {
    QCOMPARE(measurements->rows("SELECT number, Data FROM GraphData"), (QList<QVariantList>{{1.0, 2.5}}));
  }
  if (Database(database) == Database::Missing) QVERIFY(!QFile::exists(measurements->dataSource()));
  if (messageParts.isEmpty()) {
    QVERIFY(f.test.messages.shown.isEmpty());
    return;
  }
  QCOMPARE(f.test.messages.shown.size(), 1);
  const QString message = f.test.messages.shown.first().text;
  for (const QString& part : messageParts) QVERIFY2(message.contains(part), qPrintable(message));
  // The window went on: the next value is taken like any other.
  f.press("3");
  QCOMPARE(f.window.List2, (QStringList{"2.5", "3"}));
}

void RunRecordsTest::lockedDatabaseIsReported() {
  QFETCH(EngineKind, engine);
  EntryFixture f;
  const auto database = databases_.make(engine, f.folder.path());
  database->withGraphData();
  // Another writer holds the table for longer than the program waits.
  std::unique_ptr<SqliteMeasurementDatabase> holder;
  PostgresServer& server = databases_.server();
  if (engine == EngineKind::Sqlite) {
    holder = std::make_unique<SqliteMeasurementDatabase>(database->dataSource());
    holder->run("BEGIN EXCLUSIVE");
    holder->run("INSERT INTO GraphData (number) VALUES (1)");
  } else {
    server.run(MeasurementDatabases::kPostgresDatabase, "BEGIN; LOCK TABLE GraphData IN SHARE ROW EXCLUSIVE MODE; "
                               "INSERT INTO GraphData (number) VALUES (1)");
  }
  f.state.DatabasePath = database->dataSource();
  f.press("7");  // waits out the busy timeout, then gives up
  QCOMPARE(f.test.messages.shown.size(), 1);
  QVERIFY(f.test.messages.shown.first().text.contains(LoadResString(TextId::NotStored).section('%', 0, 0)));
  QVERIFY(f.log().contains("Probability ratio: 7"));
  if (holder)
    holder->run("ROLLBACK");
  else
    server.run(MeasurementDatabases::kPostgresDatabase, "ROLLBACK");
  QCOMPARE(database->scalar("SELECT count(*) FROM GraphData").toInt(), 0);
}

void RunRecordsTest::rowNumberFollowsTheLargestNumber_data() {
  addEngineColumn();
  QTest::addColumn<QList<double>>("existing");
  QTest::addColumn<double>("next");
  for (EngineKind engine : kEngines) {
    newEngineRow(engine, "empty table") << QList<double>{} << 1.0;
    newEngineRow(engine, "intact table: count + 1") << QList<double>{1, 2, 3} << 4.0;
    newEngineRow(engine, "after deletions") << QList<double>{1, 3, 4} << 5.0;
    newEngineRow(engine, "collector's own numbering") << QList<double>{100, 101} << 102.0;
    newEngineRow(engine, "beyond what a Single counts") << QList<double>{16777216} << 16777217.0;
  }
}

void RunRecordsTest::rowNumberFollowsTheLargestNumber() {
  QFETCH(EngineKind, engine);
  QFETCH(QList<double>, existing);
  QFETCH(double, next);
  EntryFixture f;
  const auto file = databases_.make(engine, f.folder.path());
  file->withGraphData();
  for (double number : existing) file->withRow(number, 1.0);
  f.state.DatabasePath = file->dataSource();
  f.press("9");
  QCOMPARE(f.state.RowNumber, next);
  QCOMPARE(file->scalar("SELECT number FROM GraphData WHERE Data = 9").toDouble(), next);
  QVERIFY(f.test.messages.shown.isEmpty());
}

QTEST_GUILESS_MAIN(RunRecordsTest)
#include "tst_runrecords.moc"
