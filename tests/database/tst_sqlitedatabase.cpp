#include "support/MeasurementDatabase.h"

#include "database/Connection.h"
#include "database/ConnectionString.h"
#include "database/Dialect.h"
#include "database/Recordset.h"
#include "state/RuntimeError.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QtTest>

using namespace kelvane;
using namespace kelvane::testing;

// The database layer on SQLite files, and what it does the same on PostgreSQL.
class SqliteDatabaseTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void connectionText_data();
  void connectionText();
  void programTextsTakeTheEnginesDialect_data();
  void programTextsTakeTheEnginesDialect();
  void openingNeverCreatesOrAcceptsAWrongFile_data();
  void openingNeverCreatesOrAcceptsAWrongFile();
  void recordsetReadsAsCallersExpect_data() { addEngineRows(); }
  void recordsetReadsAsCallersExpect();
  void emptyResultIsAtBothEnds_data() { addEngineRows(); }
  void emptyResultIsAtBothEnds();
  void closingTheConnectionClosesItsRecordsets_data() { addEngineRows(); }
  void closingTheConnectionClosesItsRecordsets();

 private:
  QString path() const { return folder_->filePath("m.db"); }
  // The engine's database of each case, with three rows.
  MeasurementDatabase& database(EngineKind engine);
  std::unique_ptr<QTemporaryDir> folder_;
  MeasurementDatabases databases_;
  std::unique_ptr<MeasurementDatabase> database_;
};

namespace {

QByteArray fileHash(const QString& path) {
  if (path.isEmpty()) return {};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

}  // namespace

void SqliteDatabaseTest::initTestCase() { QVERIFY2(databases_.start(), qPrintable(databases_.errorText())); }

void SqliteDatabaseTest::init() {
  folder_ = std::make_unique<QTemporaryDir>();
  SqliteMeasurementDatabase(path()).withGraphData().withRow(3, 1.5, "05/12/2010", "14:08:47").withRow(1, -2.0).withRow(2, 7.25);
}

MeasurementDatabase& SqliteDatabaseTest::database(EngineKind engine) {
  database_ = databases_.make(engine, folder_->path());
  // The SQLite file is the one init() wrote.
  if (engine == EngineKind::Postgres)
    database_->withGraphData().withRow(3, 1.5, "05/12/2010", "14:08:47").withRow(1, -2.0).withRow(2, 7.25);
  return *database_;
}

void SqliteDatabaseTest::connectionText_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<QString>("text");
  QTest::newRow("a file") << "/data/m.db" << "PROVIDER=Microsoft.Jet.OLEDB.4.0.;Data Source=/data/m.db;";
  QTest::newRow("none chosen") << "" << "PROVIDER=Microsoft.Jet.OLEDB.4.0.;Data Source=;";
  QTest::newRow("a semicolon in the path") << "/data/a;b.db" << "PROVIDER=Microsoft.Jet.OLEDB.4.0.;Data Source=/data/a;b.db;";
}

void SqliteDatabaseTest::connectionText() {
  QFETCH(QString, path);
  QFETCH(QString, text);
  QCOMPARE(ConnectionString(path), text);
  QCOMPARE(dataSourceOf(text), path);
}

void SqliteDatabaseTest::programTextsTakeTheEnginesDialect_data() {
  QTest::addColumn<QString>("program");
  QTest::addColumn<QString>("engine");
  QTest::newRow("recent records")
      << "SELECT TOP 20 Date, Time, number, Data FROM GraphData ORDER BY number DESC"
      << "SELECT Date, Time, number, Data FROM GraphData ORDER BY number DESC LIMIT 20";
  QTest::newRow("lower case") << "select top 5 * from GraphData" << "select * from GraphData LIMIT 5";
  QTest::newRow("no TOP passes unchanged") << "SELECT  * FROM GraphData" << "SELECT  * FROM GraphData";
}

void SqliteDatabaseTest::programTextsTakeTheEnginesDialect() {
  QFETCH(QString, program);
  QFETCH(QString, engine);
  QCOMPARE(engineDialect(program), engine);
}

void SqliteDatabaseTest::openingNeverCreatesOrAcceptsAWrongFile_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QByteArray>("content");
  QTest::newRow("none chosen") << "" << QByteArray();
  QTest::newRow("missing file") << "missing.db" << QByteArray();
  QTest::newRow("text file") << "notes.txt" << QByteArray("Date,Time\n05/12/2010,14:08:45\n").repeated(200);
  QTest::newRow("empty file is no measurement database") << "empty.db" << QByteArray("");
}

void SqliteDatabaseTest::openingNeverCreatesOrAcceptsAWrongFile() {
  QFETCH(QString, name);
  QFETCH(QByteArray, content);
  const QString file = name.isEmpty() ? QString() : folder_->filePath(name);
  if (name != "missing.db" && !name.isEmpty()) {
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
  }
  const QByteArray before = fileHash(file);
  const auto readGraphData = [&] {
    Connection connection;
    connection.Open(ConnectionString(file));
    Recordset rows;
    rows.Open("SELECT * FROM GraphData", connection);
  };
  try {
    readGraphData();
    QFAIL("opened");
  } catch (const RuntimeError& error) {
    QVERIFY(!error.description().isEmpty());
    QVERIFY(!error.source().isEmpty());
  }
  QCOMPARE(QFile::exists(file), name != "missing.db" && !name.isEmpty());
  QCOMPARE(fileHash(file), before);
}

void SqliteDatabaseTest::recordsetReadsAsCallersExpect() {
  QFETCH(EngineKind, engine);
  const QString source = database(engine).dataSource();
  Connection connection;
  connection.Open(ConnectionString(source));
  Recordset rows;
  rows.Open("SELECT Date, Time, number, Data FROM GraphData", connection);
  QCOMPARE(rows.RecordCount(), 3);
  QVERIFY(!rows.IsBOF() && !rows.IsEOF());
  QCOMPARE(rows.Fields("Number").toDouble(), 3.0);  // names match without regard to case
  QCOMPARE(rows.Fields("TIME").toString(), QStringLiteral("14:08:47"));
  QList<double> data;
  for (int i = 0; i < rows.RecordCount(); ++i, rows.Move(1)) data.append(rows.Fields("Data").toDouble());
  QCOMPARE(data, (QList<double>{1.5, -2.0, 7.25}));
  QVERIFY(rows.IsEOF());
  rows.Move(5);  // past the end is no error
  QVERIFY(rows.IsEOF());
  QVERIFY_THROWS_EXCEPTION(RuntimeError, rows.Fields("Data"));
  try {
    rows.Fields("Pressure");
    QFAIL("unknown field read");
  } catch (const RuntimeError& error) {
    QCOMPARE(error.number(), ErrorNumber::ItemNotFound);
  }
  QVERIFY_THROWS_EXCEPTION(RuntimeError, rows.Open("SELECT Nothing FROM GraphData", connection));
}

void SqliteDatabaseTest::emptyResultIsAtBothEnds() {
  QFETCH(EngineKind, engine);
  const QString source = database(engine).dataSource();
  Connection connection;
  connection.Open(ConnectionString(source));
  Recordset rows;
  rows.Open("SELECT * FROM GraphData WHERE number > 100", connection);
  QCOMPARE(rows.RecordCount(), 0);
  QVERIFY(rows.IsBOF());
  QVERIFY(rows.IsEOF());
}

void SqliteDatabaseTest::closingTheConnectionClosesItsRecordsets() {
  QFETCH(EngineKind, engine);
  const QString source = database(engine).dataSource();
  Recordset rows;
  {
    Connection first;
    first.Open(ConnectionString(source));
    rows.Open("SELECT * FROM GraphData", first);
    first.Close();
    QVERIFY(!rows.isOpen());
    QVERIFY_THROWS_EXCEPTION(RuntimeError, rows.RecordCount());
  }
  Connection second;
  second.Open(ConnectionString(source));
  rows.Open("SELECT * FROM GraphData", second);  // the same object opens again
  QCOMPARE(rows.RecordCount(), 3);
  second.CommitTrans();  // without a transaction: nothing happens
}

QTEST_GUILESS_MAIN(SqliteDatabaseTest)
#include "tst_sqlitedatabase.moc"
