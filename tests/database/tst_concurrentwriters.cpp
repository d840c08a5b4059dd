#include "support/EntryFixture.h"
#include "support/SqliteFiles.h"

#include <QProcess>
#include <QtTest>

using namespace kelvane;
using namespace kelvane::testing;

// The operator enters values while another process writes into the same file.
class ConcurrentWritersTest : public QObject {
  Q_OBJECT

 private slots:
  void everyValueStoredOnceBesideAnotherWriter_data();
  void everyValueStoredOnceBesideAnotherWriter();
};

void ConcurrentWritersTest::everyValueStoredOnceBesideAnotherWriter_data() {
  QTest::addColumn<QString>("journal");
  QTest::newRow("write-ahead log") << "WAL";
  QTest::newRow("rollback journal") << "DELETE";
}

void ConcurrentWritersTest::everyValueStoredOnceBesideAnotherWriter() {
  QFETCH(QString, journal);
  constexpr int kValues = 1000;
  EntryFixture f;
  const QString database = f.path("m.db");
  SqliteFile(database).withGraphData().run("PRAGMA journal_mode=" + journal);
  f.state.DatabasePath = database;

  QProcess writer;
  writer.start(QStringLiteral(ROW_APPENDER), {database, f.path("stop")});
  QVERIFY(writer.waitForStarted());
  for (int i = 1; i <= kValues; ++i) f.press(QString::number(i));
  QFile(f.path("stop")).open(QIODevice::WriteOnly);
  QVERIFY(writer.waitForFinished(30000));
  QCOMPARE(writer.exitCode(), 0);
  const int written = writer.readAllStandardOutput().trimmed().toInt();
  QVERIFY2(written > 0, "the other writer never came in between");

  QVERIFY2(f.test.messages.shown.isEmpty(), qPrintable(f.test.messages.texts().join("\n")));
  SqliteFile file(database);
  QCOMPARE(file.scalar("SELECT count(*) FROM GraphData WHERE Data > 0").toInt(), kValues);
  QCOMPARE(file.scalar("SELECT count(DISTINCT Data) FROM GraphData WHERE Data > 0").toInt(), kValues);
  QCOMPARE(file.scalar("SELECT count(*) FROM GraphData").toInt(), kValues + written);
  QCOMPARE(file.scalar("SELECT count(DISTINCT number) FROM GraphData").toInt(), kValues + written);
  QCOMPARE(file.scalar("SELECT MAX(number) FROM GraphData").toInt(), kValues + written);
}

QTEST_GUILESS_MAIN(ConcurrentWritersTest)
#include "tst_concurrentwriters.moc"
