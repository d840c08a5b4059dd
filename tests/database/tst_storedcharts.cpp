#include "support/EntryFixture.h"
#include "support/MeasurementDatabase.h"

#include "database/FileSelection.h"
#include "database/PeriodQuery.h"
#include "database/RecentRecords.h"
#include "shell/TextResources.h"
#include "state/RuntimeError.h"

#include <QCryptographicHash>
#include <QtTest>

using namespace kelvane;
using namespace kelvane::testing;

class StoredChartsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void recentRecordsChartTheNewestRows_data();
  void recentRecordsChartTheNewestRows();
  void labelsFollowTheXChoice_data();
  void labelsFollowTheXChoice();
  void verticalRangeWidensToTheRows_data();
  void verticalRangeWidensToTheRows();
  void failingDatabaseIsReportedTwice_data();
  void failingDatabaseIsReportedTwice();
  void queryDialogChartsTheOperatorsRows_data() { addEngineRows(); }
  void queryDialogChartsTheOperatorsRows();
  void failingQueriesKeepTheDialogOpen_data();
  void failingQueriesKeepTheDialogOpen();
  void queryCanNeverWrite_data();
  void queryCanNeverWrite();
  void fileSelection_data();
  void fileSelection();

 private:
  // A database whose rows carry number n and Data n / 10, written newest first so that the
  // engine's order is not the numbering.
  std::unique_ptr<MeasurementDatabase> fillDatabase(EngineKind engine, EntryFixture& f, int rows);
  MeasurementDatabases databases_;
};

namespace {

QString dateOf(int n) { return QStringLiteral("%1/12/2026").arg(1 + n / 10, 2, 10, QLatin1Char('0')); }
QString timeOf(int n) { return QTime(8, 0).addSecs(n).toString(QStringLiteral("HH:mm:ss")); }

QList<float> seriesOne(const EntryFixture& f) {
  QList<float> numbers;
  for (int i = 1; i <= f.state.ChartRecordCount; ++i) numbers.append(f.state.PointLabels.at(i).toFloat());
  return numbers;
}

QList<float> numbersFrom(int first, int last, int step = 1) {
  QList<float> numbers;
  for (int n = first; step > 0 ? n <= last : n >= last; n += step) numbers.append(float(n));
  return numbers;
}

}  // namespace

void StoredChartsTest::initTestCase() { QVERIFY2(databases_.start(), qPrintable(databases_.errorText())); }

std::unique_ptr<MeasurementDatabase> StoredChartsTest::fillDatabase(EngineKind engine, EntryFixture& f, int rows) {
  std::unique_ptr<MeasurementDatabase> database = databases_.make(engine, f.folder.path());
  database->withGraphData();
  for (int n = rows; n >= 1; --n) database->withRow(n, n / 10.0, dateOf(n), timeOf(n));
  f.state.DatabasePath = database->dataSource();
  return database;
}

void StoredChartsTest::recentRecordsChartTheNewestRows_data() {
  addEngineColumn();
  QTest::addColumn<int>("rows");
  QTest::addColumn<QList<float>>("charted");
  for (EngineKind engine : kEngines) {
    newEngineRow(engine, "empty table") << 0 << QList<float>{};
    newEngineRow(engine, "7 rows in engine order") << 7 << numbersFrom(7, 1, -1);
    newEngineRow(engine, "19 rows in engine order") << 19 << numbersFrom(19, 1, -1);
    newEngineRow(engine, "20 rows oldest first") << 20 << numbersFrom(1, 20);
    newEngineRow(engine, "50 rows: the newest 20") << 50 << numbersFrom(31, 50);
  }
}

void StoredChartsTest::recentRecordsChartTheNewestRows() {
  QFETCH(EngineKind, engine);
  QFETCH(int, rows);
  QFETCH(QList<float>, charted);
  EntryFixture f;
  f.state.NumberOnX = true;
  for (int i = 1; i <= 25; ++i) f.press(QString::number(i));
  const auto database = fillDatabase(engine, f, rows);
  const int drawnBefore = f.window.picture.entries().size();
  f.window.picture.clear();

  btnSPRT_Click(f.program);

  QVERIFY(f.test.messages.shown.isEmpty());
  QCOMPARE(f.state.OperatingMode, Mode::Database);
  QVERIFY(!f.state.LiveChart);
  QVERIFY(f.window.fullScreenEnabled);
  QCOMPARE(f.state.WindowStart, 0.0f);
  QCOMPARE(f.state.ChartRecordCount, charted.size());
  if (charted.isEmpty()) {
    QVERIFY(f.window.picture.entries().isEmpty());  // the previous chart stays
    QVERIFY(drawnBefore > 0);
    return;
  }
  QCOMPARE(seriesOne(f), charted);
  QCOMPARE(f.state.PlotXMin, 0.0f);
  QCOMPARE(f.state.PlotXMax, float(charted.size()));
  QCOMPARE(f.state.PointDates.at(1).toString(), dateOf(int(charted.first())));
  QCOMPARE(f.window.clock.date, dateOf(int(charted.first())));
  QVERIFY(!f.window.clock.dateVisible && !f.window.clock.timeVisible);
}

void StoredChartsTest::labelsFollowTheXChoice_data() {
  addEngineColumn();
  QTest::addColumn<bool>("numberOnX");
  for (EngineKind engine : kEngines) {
    newEngineRow(engine, "number on X") << true;
    newEngineRow(engine, "time on X") << false;
  }
}

void StoredChartsTest::labelsFollowTheXChoice() {
  QFETCH(EngineKind, engine);
  QFETCH(bool, numberOnX);
  EntryFixture f;
  const auto database = fillDatabase(engine, f, 3);
  f.state.NumberOnX = numberOnX;
  btnSPRT_Click(f.program);
  const QVariant first = f.state.PointLabels.at(1);
  if (numberOnX)
    QCOMPARE(first.toDouble(), 3.0);
  else
    QCOMPARE(first.toString(), timeOf(3));
  QCOMPARE(f.state.PointDates.at(3).toString(), dateOf(1));
}

void StoredChartsTest::verticalRangeWidensToTheRows_data() {
  addEngineColumn();
  QTest::addColumn<QVariantList>("data");
  QTest::addColumn<float>("yMin");
  QTest::addColumn<float>("yMax");
  QTest::addColumn<float>("labelStep");
  for (EngineKind engine : kEngines) {
    newEngineRow(engine, "inside the defaults") << QVariantList{1.0, 13.9, -5.9} << -6.0f << 14.0f << 1.0f;
    newEngineRow(engine, "worked example") << QVariantList{3.0, 15.5, -7.5, 25.0} << -8.0f << 26.0f << 1.0f;
    newEngineRow(engine, "exactly 20") << QVariantList{20.0} << -6.0f << 21.0f << 1.0f;
    newEngineRow(engine, "exactly -20") << QVariantList{-20.0} << -20.0f << 14.0f << 1.0f;
    newEngineRow(engine, "45 coarsens the labels") << QVariantList{45.0} << -6.0f << 46.0f << 2.0f;
    newEngineRow(engine, "the bound widened last decides") << QVariantList{100.0, -41.0} << -41.0f << 101.0f << 2.0f;
  }
  // Only a SQLite column keeps a text as it was written.
  newEngineRow(EngineKind::Sqlite, "numeric text reads as a number")
      << QVariantList{QStringLiteral("17.5")} << -6.0f << 18.0f << 1.0f;
}

void StoredChartsTest::verticalRangeWidensToTheRows() {
  QFETCH(EngineKind, engine);
  QFETCH(QVariantList, data);
  QFETCH(float, yMin);
  QFETCH(float, yMax);
  QFETCH(float, labelStep);
  EntryFixture f;
  const auto database = databases_.make(engine, f.folder.path());
  database->withGraphData();
  for (int i = 0; i < data.size(); ++i) database->withRow(i + 1, data[i]);
  f.state.DatabasePath = database->dataSource();
  btnSPRT_Click(f.program);
  QVERIFY(f.test.messages.shown.isEmpty());
  QCOMPARE(f.state.PlotYMin, yMin);
  QCOMPARE(f.state.PlotYMax, yMax);
  QCOMPARE(f.state.YLabelStep, labelStep);
  QCOMPARE(f.state.PlotXMax, float(data.size()));
}

void StoredChartsTest::failingDatabaseIsReportedTwice_data() {
  addEngineColumn();
  QTest::addColumn<QString>("setup");
  QTest::addColumn<QString>("reason");
  const EngineKind sqlite = EngineKind::Sqlite;
  newEngineRow(sqlite, "no file chosen") << "none" << "No database file";
  newEngineRow(sqlite, "file does not exist") << "missing" << "unable to open";
  newEngineRow(sqlite, "file is no database") << "text" << "not a database";
  newEngineRow(sqlite, "no table GraphData") << "no table" << "no such table";
  newEngineRow(sqlite, "an empty Data value") << "null" << "Null";
  newEngineRow(sqlite, "a Data value that is no number") << "abc" << "Type mismatch";
  const EngineKind postgres = EngineKind::Postgres;
  newEngineRow(postgres, "connection file does not exist") << "missing" << "Cannot read the connection file";
  newEngineRow(postgres, "connection file holds no address") << "text" << "postgresql://";
  newEngineRow(postgres, "server refuses the password") << "wrong password" << "password authentication failed";
  newEngineRow(postgres, "no table GraphData") << "no table" << "\"graphdata\" does not exist";
  newEngineRow(postgres, "an empty Data value") << "null" << "Null";
}

void StoredChartsTest::failingDatabaseIsReportedTwice() {
  QFETCH(EngineKind, engine);
  QFETCH(QString, setup);
  QFETCH(QString, reason);
  EntryFixture f;
  const auto database = databases_.make(engine, f.folder.path());
  const QString path = database->dataSource();
  if (setup != "none") f.state.DatabasePath = path;
  if (setup == "missing") {
    QFile::remove(path);
  } else if (setup == "text") {
    QFile text(path);
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write(QByteArray(2048, 'x'));
  } else if (setup == "wrong password") {
    QUrl uri(databases_.uri());
    uri.setPassword("wrong");
    PostgresServer::writeConnectionFile(f.folder.path(), uri.toString(QUrl::FullyEncoded));
  } else if (setup == "no table") {
    database->run("CREATE TABLE Other (x INTEGER)");
  } else if (setup == "null" || setup == "abc") {
    database->withGraphData().withRow(1, 2.0).withRow(2, setup == "null" ? QVariant() : QVariant("abc"));
  }
  f.window.picture.clear();
  btnSPRT_Click(f.program);
  const QList<RecordedMessages::Shown>& shown = f.test.messages.shown;
  QCOMPARE(shown.size(), 2);
  QCOMPARE(shown[0].text, LoadResString(TextId::DatabaseFailed));
  QCOMPARE(shown[0].icon, MessageIcon::Exclamation);
  QCOMPARE(shown[1].title, QStringLiteral("Error"));
  QCOMPARE(shown[1].icon, MessageIcon::None);
  QVERIFY2(shown[1].text.contains("-->") && shown[1].text.contains(reason, Qt::CaseInsensitive), qPrintable(shown[1].text));
  QVERIFY(f.window.picture.entries().isEmpty());
  QCOMPARE(QFile::exists(path), setup != "none" && setup != "missing");
  QCOMPARE(f.state.OperatingMode, Mode::Database);
  QVERIFY(programHoldsNoConnection());  // closed on the way out
}

void StoredChartsTest::queryDialogChartsTheOperatorsRows() {
  QFETCH(EngineKind, engine);
  EntryFixture f;
  for (int i = 1; i <= 30; ++i) f.press(QString::number(i));
  const auto database = fillDatabase(engine, f, 40);
  mnuSQLquery_Click(f.program);
  QCOMPARE(f.state.OperatingMode, Mode::SQLquery);
  QVERIFY(f.window.queryDialog);
  QCOMPARE(f.window.queryDialog->text,
           "SELECT Date, Time, number, Data  FROM GraphData WHERE Date = '' AND Time \r\nbetween '' and ''\r\n");
  const QString query = "SELECT Date, Time, number, Data FROM GraphData WHERE Date = '" + dateOf(5) +
                        "' AND Time between '" + timeOf(5) + "' and '" + timeOf(8) + "' ORDER BY number";
  f.window.queryDialog->text = query;
  f.state.NumberOnX = true;
  btnSelect_Click(f.program, *f.window.queryDialog);
  QVERIFY(f.test.messages.shown.isEmpty());
  QVERIFY(!f.window.queryDialog);  // closed
  QCOMPARE(f.state.QueryText, query);
  QCOMPARE(seriesOne(f), numbersFrom(5, 8));
  QCOMPARE(f.state.WindowStart, 0.0f);
  QCOMPARE(f.state.PlotXMin, 0.0f);
  QVERIFY(!f.state.LiveChart);

  // Cancel, then open again: the skeleton, not the last text.
  mnuSQLquery_Click(f.program);
  f.window.queryDialog->text = "SELECT 1";
  btnCancel_Click(f.program, *f.window.queryDialog);
  QVERIFY(!f.window.queryDialog);
  mnuSQLquery_Click(f.program);
  QCOMPARE(f.window.queryDialog->text, querySkeleton());
  QCOMPARE(f.window.queryDialogsLoaded, 3);
}

void StoredChartsTest::failingQueriesKeepTheDialogOpen_data() {
  addEngineColumn();
  QTest::addColumn<QString>("query");
  QTest::addColumn<bool>("secondBox");
  for (EngineKind engine : kEngines) {
    newEngineRow(engine, "the skeleton finds nothing") << querySkeleton() << false;
    newEngineRow(engine, "no Date column") << "SELECT Time, number, Data FROM GraphData" << true;
    newEngineRow(engine, "syntax error") << "SELEKT * FROM GraphData" << true;
    newEngineRow(engine, "no such table") << "SELECT * FROM Measurements" << true;
    newEngineRow(engine, "empty text") << "  \r\n" << true;
  }
}

void StoredChartsTest::failingQueriesKeepTheDialogOpen() {
  QFETCH(EngineKind, engine);
  QFETCH(QString, query);
  QFETCH(bool, secondBox);
  EntryFixture f;
  const auto database = fillDatabase(engine, f, 5);
  mnuSQLquery_Click(f.program);
  f.window.queryDialog->text = query;
  btnSelect_Click(f.program, *f.window.queryDialog);
  QCOMPARE(f.test.messages.shown.size(), secondBox ? 2 : 1);
  QCOMPARE(f.test.messages.shown[0].text, LoadResString(TextId::QueryFailed));
  if (secondBox) QCOMPARE(f.test.messages.shown[1].title, QStringLiteral("Error"));
  QVERIFY(f.window.queryDialog);
  QCOMPARE(f.window.queryDialog->text, query);
  QVERIFY(programHoldsNoConnection());  // the file is not held
}

void StoredChartsTest::queryCanNeverWrite_data() {
  addEngineColumn();
  QTest::addColumn<QString>("query");
  for (EngineKind engine : kEngines) {
    newEngineRow(engine, "delete") << "DELETE FROM GraphData";
    newEngineRow(engine, "update") << "UPDATE GraphData SET Data = 0";
    newEngineRow(engine, "drop") << "DROP TABLE GraphData";
    newEngineRow(engine, "insert") << "INSERT INTO GraphData (number) VALUES (99)";
    newEngineRow(engine, "create a table") << "CREATE TABLE Copied (x integer)";
    newEngineRow(engine, "copy into a new table") << "SELECT * INTO Copied FROM GraphData";
    newEngineRow(engine, "select, then delete") << "SELECT * FROM GraphData; DELETE FROM GraphData";
    newEngineRow(engine, "commit, then write") << "COMMIT; INSERT INTO GraphData (number) VALUES (99)";
    newEngineRow(engine, "select, commit, then delete")
        << "SELECT Date, Time, number, Data FROM GraphData; COMMIT; DELETE FROM GraphData";
  }
  const EngineKind sqlite = EngineKind::Sqlite;
  newEngineRow(sqlite, "undo query_only, then delete") << "PRAGMA query_only = 0; DELETE FROM GraphData";
  newEngineRow(sqlite, "attach") << "ATTACH DATABASE 'x.db' AS x";
  newEngineRow(sqlite, "pragma that writes") << "PRAGMA user_version = 7";
  newEngineRow(sqlite, "vacuum into a new file") << "VACUUM INTO 'copy.db'";
  const EngineKind postgres = EngineKind::Postgres;
  newEngineRow(postgres, "read-only off, then delete") << "SET default_transaction_read_only = off; DELETE FROM GraphData";
  newEngineRow(postgres, "read-only off alone") << "SET transaction_read_only = off";
  newEngineRow(postgres, "read-only off, commit, then delete")
      << "SELECT 1; SET default_transaction_read_only = off; COMMIT; DELETE FROM GraphData";
  newEngineRow(postgres, "set_config, then delete")
      << "SELECT set_config('transaction_read_only', 'off', true); DELETE FROM GraphData";
  newEngineRow(postgres, "set_config in the same statement")
      << "WITH s AS (SELECT set_config('transaction_read_only', 'off', true)) DELETE FROM GraphData RETURNING *";
  newEngineRow(postgres, "a delete inside a query")
      << "WITH d AS (DELETE FROM GraphData RETURNING *) SELECT Date, Time, number, Data FROM d";
  newEngineRow(postgres, "commit alone") << "COMMIT";
  newEngineRow(postgres, "truncate") << "TRUNCATE GraphData";
  newEngineRow(postgres, "a large object") << "SELECT lo_create(0)";
  newEngineRow(postgres, "a server file as large object") << "SELECT lo_import('/etc/hostname')";
  newEngineRow(postgres, "copy out") << "COPY GraphData TO STDOUT";
  newEngineRow(postgres, "copy in") << "COPY GraphData FROM STDIN";
  newEngineRow(postgres, "a procedure") << "CALL nothing()";
  newEngineRow(postgres, "an anonymous block") << "DO $$BEGIN DELETE FROM GraphData; END$$";
  newEngineRow(postgres, "explain analyze runs the delete") << "EXPLAIN ANALYZE DELETE FROM GraphData";
  newEngineRow(postgres, "a cursor held past the transaction") << "DECLARE c CURSOR WITH HOLD FOR SELECT * FROM GraphData";
  newEngineRow(postgres, "a delete prepared for later") << "PREPARE p AS DELETE FROM GraphData";
  newEngineRow(postgres, "lock out the collector") << "LOCK TABLE GraphData IN ACCESS EXCLUSIVE MODE";
}

void StoredChartsTest::queryCanNeverWrite() {
  QFETCH(EngineKind, engine);
  QFETCH(QString, query);
  EntryFixture f;
  const auto database = fillDatabase(engine, f, 5);
  const auto fileHash = [&] {
    QFile file(database->dataSource());
    return file.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256) : QByteArray();
  };
  const QByteArray before = fileHash();
  const QStringList contents = database->contents();
  mnuSQLquery_Click(f.program);
  f.window.queryDialog->text = query;
  btnSelect_Click(f.program, *f.window.queryDialog);
  QCOMPARE(f.test.messages.texts().value(0), LoadResString(TextId::QueryFailed));
  QCOMPARE(f.test.messages.shown.size(), 2);
  QCOMPARE(f.test.messages.shown[1].title, QStringLiteral("Error"));
  QVERIFY(f.window.queryDialog);
  QCOMPARE(fileHash(), before);
  QCOMPARE(database->contents(), contents);
  QCOMPARE(database->scalar("SELECT count(*) FROM GraphData").toInt(), 5);
  QVERIFY(programHoldsNoConnection());
  QVERIFY(!QFile::exists(QDir::current().filePath("copy.db")));
  // Nothing is left behind that keeps the next value out.
  f.press("4");
  QCOMPARE(f.test.messages.shown.size(), 2);
  QCOMPARE(database->scalar("SELECT count(*) FROM GraphData").toInt(), 6);
}

namespace {
struct AnsweringChooser : FileChooser {
  QString chooseDatabaseFile() override {
    if (answer.isEmpty()) throw RuntimeError(failure, QStringLiteral("CommonDialog"), QStringLiteral("failed"));
    return answer;
  }
  QString answer;
  int failure = ErrorNumber::DialogCancelled;
};
}  // namespace

void StoredChartsTest::fileSelection_data() {
  QTest::addColumn<QString>("answer");
  QTest::addColumn<int>("failure");
  QTest::addColumn<QString>("path");
  QTest::newRow("a file chosen") << "/data/other.db" << 0 << "/data/other.db";
  QTest::newRow("any file is taken") << "/data/notes.txt" << 0 << "/data/notes.txt";
  QTest::newRow("cancelled keeps the earlier file") << "" << ErrorNumber::DialogCancelled << "/data/first.db";
  QTest::newRow("a failing dialog names no file") << "" << ErrorNumber::DatabaseEngine << "";
}

void StoredChartsTest::fileSelection() {
  QFETCH(QString, answer);
  QFETCH(int, failure);
  QFETCH(QString, path);
  ProgramState state;
  state.DatabasePath = "/data/first.db";
  AnsweringChooser chooser;
  chooser.answer = answer;
  chooser.failure = failure;
  stdFileOpen::SelectDatabaseFile(state, chooser);
  QCOMPARE(state.DatabasePath, path);
}

QTEST_GUILESS_MAIN(StoredChartsTest)
#include "tst_storedcharts.moc"
