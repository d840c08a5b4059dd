#include "support/EntryFixture.h"
#include "support/MeasurementDatabase.h"

#include <QProcess>
#include <QtTest>

using namespace kelvane;
using namespace kelvane::testing;

// The operator enters values while two collectors write into the same database.
class ConcurrentWritersTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void everyValueStoredOnceBesideOtherWriters_data();
  void everyValueStoredOnceBesideOtherWriters();

 private:
  MeasurementDatabases databases_;
};

void ConcurrentWritersTest::initTestCase() { QVERIFY2(databases_.start(), qPrintable(databases_.errorText())); }

void ConcurrentWritersTest::everyValueStoredOnceBesideOtherWriters_data() {
  addEngineColumn();
  QTest::addColumn<QString>("journal");
  QTest::addColumn<int>("values");
  newEngineRow(EngineKind::Sqlite, "write-ahead log") << "WAL" << 1000;
  newEngineRow(EngineKind::Sqlite, "rollback journal") << "DELETE" << 1000;
  newEngineRow(EngineKind::Postgres, "shared server") << "" << 1000;
}

void ConcurrentWritersTest::everyValueStoredOnceBesideOtherWriters() {
  QFETCH(EngineKind, engine);
  QFETCH(QString, journal);
  QFETCH(int, values);
  EntryFixture f;
  const auto database = databases_.make(engine, f.folder.path());
  database->withGraphData();
  if (!journal.isEmpty()) database->run("PRAGMA journal_mode=" + journal);
  f.state.DatabasePath = database->dataSource();

  QProcess collectors[2];
  for (QProcess& collector : collectors) {
    collector.start(QStringLiteral(ROW_APPENDER), {database->dataSource(), f.path("stop")});
    QVERIFY(collector.waitForStarted());
  }
  for (int i = 1; i <= values; ++i) f.press(QString::number(i));
  QFile(f.path("stop")).open(QIODevice::WriteOnly);
  int written = 0;
  for (QProcess& collector : collectors) {
    QVERIFY(collector.waitForFinished(30000));
    QVERIFY2(collector.exitCode() == 0, collector.readAllStandardError().constData());
    const int rows = collector.readAllStandardOutput().trimmed().toInt();
    QVERIFY2(rows > 0, "a collector never came in between");
    written += rows;
  }

  QVERIFY2(f.test.messages.shown.isEmpty(), qPrintable(f.test.messages.texts().join("\n")));
  QCOMPARE(database->scalar("SELECT count(*) FROM GraphData WHERE Data > 0").toInt(), values);
  QCOMPARE(database->scalar("SELECT count(DISTINCT Data) FROM GraphData WHERE Data > 0").toInt(), values);
  QCOMPARE(database->rows("SELECT MIN(Data), MAX(Data) FROM GraphData WHERE Data > 0"),
           (QList<QVariantList>{{1.0, double(values)}}));
  QCOMPARE(database->scalar("SELECT count(*) FROM GraphData").toInt(), values + written);
  QCOMPARE(database->scalar("SELECT count(DISTINCT number) FROM GraphData").toInt(), values + written);
  QCOMPARE(database->scalar("SELECT MAX(number) FROM GraphData").toInt(), values + written);
}

QTEST_GUILESS_MAIN(ConcurrentWritersTest)
#include "tst_concurrentwriters.moc"
