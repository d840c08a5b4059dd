#include "support/EntryFixture.h"
#include "support/MeasurementDatabase.h"

#include "state/TextResources.h"

#include <QProcess>
#include <QtTest>

using namespace kelvane;
using namespace kelvane::testing;

// The operator enters values while two collectors write into the same database.
class ConcurrentWritersTest : public QObject {
  Q_OBJECT
  MeasurementDatabases databases_;

 private slots:
  void initTestCase() { QVERIFY2(databases_.start(), qPrintable(databases_.errorText())); }

  void everyValueStoredOnceBesideOtherWriters_data() {
    addEngineColumn();
    QTest::addColumn<QString>("journal");
    newEngineRow(EngineKind::Sqlite, "write-ahead log") << "WAL";
    newEngineRow(EngineKind::Sqlite, "rollback journal") << "DELETE";
    newEngineRow(EngineKind::Postgres, "shared server") << "";
  }
  void everyValueStoredOnceBesideOtherWriters() {
    QFETCH(EngineKind, engine);
    QFETCH(QString, journal);
    const int values = 1000;
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
    qlonglong written = 0;
    for (QProcess& collector : collectors) {
      QVERIFY2(collector.waitForFinished(30000) && collector.exitCode() == 0, collector.readAllStandardError().constData());
      const int rows = collector.readAllStandardOutput().trimmed().toInt();
      QVERIFY2(rows > 0, "a collector never came in between");
      written += rows;
    }
    // A press that waited for the collectors' lock longer than a press waits kept its row.
    f.deliver();
    for (const QString& text : f.test.messages.texts())
      QVERIFY2(text.contains(LoadResString(TextId::RowKept).section('%', 4).mid(1)), qPrintable(text));
    // Each value once, and every row, the collectors' too, with a number of its own.
    QCOMPARE(database->rows("SELECT count(*), count(DISTINCT Data), MIN(Data), MAX(Data) FROM GraphData WHERE Data > 0"),
             (QList<QVariantList>{{values, values, 1.0, double(values)}}));
    QCOMPARE(database->rows("SELECT count(*), count(DISTINCT number), MAX(number) FROM GraphData"),
             (QList<QVariantList>{{values + written, values + written, values + written}}));
  }
};

QTEST_GUILESS_MAIN(ConcurrentWritersTest)
#include "tst_concurrentwriters.moc"
