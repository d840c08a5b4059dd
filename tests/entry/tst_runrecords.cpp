#include "support/EntryFixture.h"
#include "support/SqliteFiles.h"

#include "database/ConnectionString.h"
#include "shell/TextResources.h"

#include <QDir>
#include <QtTest>

using namespace kelvane;
using namespace kelvane::testing;

class RunRecordsTest : public QObject {
  Q_OBJECT

 private slots:
  void eachRecordIsWrittenOnItsOwn_data();
  void eachRecordIsWrittenOnItsOwn();
  void lockedDatabaseIsReported();
  void rowNumberFollowsTheLargestNumber_data();
  void rowNumberFollowsTheLargestNumber();
};

namespace {

enum class Database { None, Good, Missing, NoTable, NotADatabase };

// Prepares the chosen database of a case; returns the path the program is given.
QString prepare(EntryFixture& f, Database kind) {
  const QString path = f.path("m.db");
  switch (kind) {
    case Database::None: return {};
    case Database::Good: SqliteFile(path).withGraphData(); break;
    case Database::Missing: break;
    case Database::NoTable: SqliteFile(path).run("CREATE TABLE Other (x INTEGER)"); break;
    case Database::NotADatabase: {
      QFile file(path);
      if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
      file.write(QByteArray(4096, 'x'));
      break;
    }
  }
  return path;
}

}  // namespace

void RunRecordsTest::eachRecordIsWrittenOnItsOwn_data() {
  QTest::addColumn<int>("database");
  QTest::addColumn<bool>("logWritable");
  QTest::addColumn<bool>("rowExpected");
  QTest::addColumn<QStringList>("messageParts");
  const QString lost = LoadResString(70).arg(1).arg("2.5");
  const QString noLog = LoadResString(71).section('%', 0, 0);
  const QString noRow = LoadResString(72).section('%', 0, 0);
  QTest::newRow("no database chosen is silent") << int(Database::None) << true << false << QStringList{};
  QTest::newRow("all written") << int(Database::Good) << true << true << QStringList{};
  QTest::newRow("log unwritable, row still stored")
      << int(Database::Good) << false << true << QStringList{lost, noLog, "Logfile.txt"};
  QTest::newRow("missing file, not created")
      << int(Database::Missing) << true << false << QStringList{lost, noRow, "Data Source="};
  QTest::newRow("no table GraphData") << int(Database::NoTable) << true << false << QStringList{lost, noRow, "GraphData"};
  QTest::newRow("file is no database") << int(Database::NotADatabase) << true << false << QStringList{lost, noRow};
  QTest::newRow("both fail, one message")
      << int(Database::Missing) << false << false << QStringList{lost, noLog, noRow};
}

void RunRecordsTest::eachRecordIsWrittenOnItsOwn() {
  QFETCH(int, database);
  QFETCH(bool, logWritable);
  QFETCH(bool, rowExpected);
  QFETCH(QStringList, messageParts);
  EntryFixture f;
  f.state.DatabasePath = prepare(f, Database(database));
  // A folder where the log should be: it cannot be opened as a file, even by root.
  if (!logWritable) QVERIFY(QDir(f.folder.path()).mkdir("Logfile.txt"));

  f.press("2.5");

  QCOMPARE(f.window.List2, QStringList{"2.5"});
  QCOMPARE(f.log().isEmpty(), !logWritable);
  if (rowExpected) {
    QCOMPARE(SqliteFile(f.path("m.db")).rows("SELECT number, Data FROM GraphData"), (QList<QVariantList>{{1.0, 2.5}}));
  }
  if (Database(database) == Database::Missing) QVERIFY(!QFile::exists(f.path("m.db")));
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
  EntryFixture f;
  SqliteFile holder(f.path("m.db"));
  holder.withGraphData();
  holder.run("BEGIN EXCLUSIVE");
  holder.run("INSERT INTO GraphData (number) VALUES (1)");
  f.state.DatabasePath = f.path("m.db");
  f.press("7");  // waits out the busy timeout, then gives up
  QCOMPARE(f.test.messages.shown.size(), 1);
  QVERIFY(f.test.messages.shown.first().text.contains(LoadResString(72).section('%', 0, 0)));
  QVERIFY(f.log().contains("Probability ratio: 7"));
  holder.run("ROLLBACK");
  QCOMPARE(holder.scalar("SELECT count(*) FROM GraphData").toInt(), 0);
}

void RunRecordsTest::rowNumberFollowsTheLargestNumber_data() {
  QTest::addColumn<QList<double>>("existing");
  QTest::addColumn<double>("next");
  QTest::newRow("empty table") << QList<double>{} << 1.0;
  QTest::newRow("intact table: count + 1") << QList<double>{1, 2, 3} << 4.0;
  QTest::newRow("after deletions") << QList<double>{1, 3, 4} << 5.0;
  QTest::newRow("collector's own numbering") << QList<double>{100, 101} << 102.0;
  QTest::newRow("beyond what a Single counts") << QList<double>{16777216} << 16777217.0;
}

void RunRecordsTest::rowNumberFollowsTheLargestNumber() {
  QFETCH(QList<double>, existing);
  QFETCH(double, next);
  EntryFixture f;
  SqliteFile file(f.path("m.db"));
  file.withGraphData();
  for (double number : existing) file.withRow(number, 1.0);
  f.state.DatabasePath = f.path("m.db");
  f.press("9");
  QCOMPARE(f.state.RowNumber, next);
  QCOMPARE(file.scalar("SELECT number FROM GraphData WHERE Data = 9").toDouble(), next);
  QVERIFY(f.test.messages.shown.isEmpty());
}

QTEST_GUILESS_MAIN(RunRecordsTest)
#include "tst_runrecords.moc"
