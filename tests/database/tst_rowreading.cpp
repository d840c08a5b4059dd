#include "support/EntryFixture.h"
#include "support/MeasurementDatabase.h"

#include "handlers/QueryDialog.h"
#include "shell/RowsProgress.h"
#include "state/TextResources.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <algorithm>

using namespace kelvane;
using namespace kelvane::testing;

// Rows read off the user-interface thread, held compactly, and the reads that end early.
class RowReadingTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QVERIFY2(databases_.start(), qPrintable(databases_.errorText())); }
  void rowsReadBackAsTheEngineGaveThem_data();
  void rowsReadBackAsTheEngineGaveThem();
  void cancelEndsTheReadWithoutAWord_data() { addEngineRows(); }
  void cancelEndsTheReadWithoutAWord();
  void singleCallsLeaveTheReaderFree_data();
  void singleCallsLeaveTheReaderFree();
  void readEndingHalfWay_data();
  void readEndingHalfWay();
  void budgetEndsARunawayRead_data();
  void budgetEndsARunawayRead();
  void windowShowsALongReadAndItsCancel();

 private:
  // Rows 1..6 in this order, Data n / 10, the third without a Time, dates changing at the third.
  std::unique_ptr<MeasurementDatabase> fill(EngineKind engine, EntryFixture& f) {
    std::unique_ptr<MeasurementDatabase> database = databases_.make(engine, f.folder.path());
    database->withGraphData();
    for (int n = 1; n <= 6; ++n)
      database->run(QString("INSERT INTO GraphData VALUES ('%1', %2, %3, %4)").arg(n < 3 ? "01/12/2026" : "02/12/2026",
          n == 3 ? "NULL" : QTime(8, 0, n).toString("''HH:mm:ss''"), QString::number(n), QString::number(n / 10.0)));
    f.state.DatabasePath = database->dataSource();
    return database;
  }
  // Runs the query from the dialog, which stays open when it fails.
  static void select(EntryFixture& f, const QString& query) {
    mnuSQLquery_Click(f.program);
    f.window.queryDialog->text = query;
    btnSelect_Click(f.program, *f.window.queryDialog);
  }
  MeasurementDatabases databases_;
};

namespace {

QVariantList entries(const PointTexts& table, int count) {
  QVariantList values;
  for (int i = 1; i <= count; ++i) values.append(table.at(i));
  return values;
}

// The files of the process open on the path (and its -wal and -shm).
int openFiles(const QString& path) {
  const QFileInfoList open = QDir("/proc/self/fd").entryInfoList(QDir::System);
  return int(std::count_if(open.begin(), open.end(), [&](const QFileInfo& file) { return file.symLinkTarget().startsWith(path); }));
}

}  // namespace

void RowReadingTest::rowsReadBackAsTheEngineGaveThem_data() {
  addEngineColumn();
  QTest::addColumn<bool>("numberOnX");
  QTest::addColumn<QVariantList>("labels");
  for (EngineKind engine : kEngines) {
    newEngineRow(engine, "number on X: numbers") << true << QVariantList{1.0, 2.0, 3.0, 4.0};
    newEngineRow(engine, "time on X: texts, a missing time empty")
        << false << QVariantList{"08:00:01", "08:00:02", QVariant(), "08:00:04"};
  }
}

void RowReadingTest::rowsReadBackAsTheEngineGaveThem() {
  QFETCH(EngineKind, engine);
  QFETCH(bool, numberOnX);
  QFETCH(QVariantList, labels);
  EntryFixture f;
  const auto database = fill(engine, f);
  f.state.NumberOnX = numberOnX;
  select(f, "SELECT Date, Time, number, Data FROM GraphData WHERE number <= 4");
  const QVariantList read = entries(f.state.PointLabels, 4);
  QCOMPARE(read, labels);
  for (int i = 0; i < labels.size(); ++i) QCOMPARE(read[i].typeId(), labels[i].typeId());
  QCOMPARE(entries(f.state.PointDates, 4), (QVariantList{"01/12/2026", "01/12/2026", "02/12/2026", "02/12/2026"}));
}

void RowReadingTest::cancelEndsTheReadWithoutAWord() {
  QFETCH(EngineKind, engine);
  EntryFixture f;
  const auto database = fill(engine, f);
  const int filesBefore = openFiles(database->dataSource());
  // Queries that return no row for minutes.
  const QString endless = engine == EngineKind::Sqlite
                              ? "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) "
                                "SELECT Date, Time, number, Data FROM GraphData, n WHERE i < 0"
                              : "SELECT Date, Time, number, Data FROM GraphData, pg_sleep(600)";
  f.window.cancelAfter = std::chrono::milliseconds(300);
  select(f, endless);
  QVERIFY(f.test.messages.shown.isEmpty());
  QCOMPARE(f.window.queryDialog->text, endless);
  QVERIFY(f.window.picture.entries().isEmpty());
  QCOMPARE(f.state.ChartRecordCount, 0);
  QCOMPARE(openFiles(database->dataSource()), filesBefore);
  if (engine == EngineKind::Postgres)
    QTRY_COMPARE(database->scalar("SELECT count(*) FROM pg_stat_activity WHERE usename = 'station'").toInt(), 0);
}

// One call of an SQL function on long texts, cancelled or refused: the next read is served at
// once, not after the call ends (on SQLite, the LIKE took 23 s; the longest texts hours).
void RowReadingTest::singleCallsLeaveTheReaderFree_data() {
  addEngineColumn();
  QTest::addColumn<QString>("condition");
  QTest::addColumn<QString>("refusal");  // SQLite's, where it refuses the statement
  const auto a = [](EngineKind engine, int length) {
    return QString(engine == EngineKind::Sqlite ? "printf('%.*c', %1, 'a')" : "repeat('a', %1)").arg(length);
  };
  for (EngineKind engine : kEngines) {
    const bool sqlite = engine == EngineKind::Sqlite;
    // The server's LIKE runs on past a cancel, and past its statement timeout: about 2 s here.
    const int pattern = sqlite ? 10'000 : 2'000, text = sqlite ? 2'000'000 : 1'000'000;
    newEngineRow(engine, "a LIKE of a long pattern on a text of millions")
        << a(engine, text) + " LIKE '%' || " + a(engine, pattern) + " || 'b%'" << (sqlite ? "too complex" : "");
    newEngineRow(engine, "a LIKE pattern within the text's bound, too long itself")
        << a(engine, 100'000) + " LIKE '%' || " + a(engine, 200) + " || 'b%'" << (sqlite ? "too complex" : "");
    newEngineRow(engine, "the longest texts searched in each other")
        << QString(sqlite ? "instr(%1, %2 || 'b')" : "strpos(%1, %2 || 'b')").arg(a(engine, 1'000'000), a(engine, 499'999)) + " > 0"
        << "";
  }
}

void RowReadingTest::singleCallsLeaveTheReaderFree() {
  QFETCH(EngineKind, engine);
  QFETCH(QString, condition);
  QFETCH(QString, refusal);
  EntryFixture f;
  const auto database = fill(engine, f);
  f.window.cancelAfter = std::chrono::seconds(1);
  select(f, "SELECT Date, Time, number, Data FROM GraphData WHERE " + condition);
  // Refused, unless a loaded machine let Cancel come first.
  if (!refusal.isEmpty() && !f.test.messages.shown.isEmpty())
    QVERIFY2(f.test.messages.texts().value(1).contains(refusal), qPrintable(f.test.messages.texts().join('|')));
  // Far more than the read takes, far less than the call took.
  f.window.cancelAfter = std::chrono::seconds(3);
  select(f, "SELECT Date, Time, number, Data FROM GraphData");
  QCOMPARE(f.state.ChartRecordCount, 6);
  QVERIFY(!f.window.picture.entries(RecordingSurface::Op::Print).isEmpty());
}

void RowReadingTest::readEndingHalfWay_data() {
  addEngineColumn();
  QTest::addColumn<QString>("data");
  QTest::addColumn<QString>("reason");
  QTest::addColumn<QVariantList>("labels");  // after a first chart labelled 101..105
  const QVariantList unchanged{101.0, 102.0, 103.0, 104.0, 105.0};
  // The rows before the empty value are loaded; the entries after them stay until overwritten.
  const QVariantList loadedUpToRow4{1.0, 2.0, 3.0, 104.0, 105.0, QVariant()};
  newEngineRow(EngineKind::Sqlite, "the engine fails at row 4")
      << "json(CASE WHEN number = 4 THEN 'x' ELSE Data END)" << "malformed JSON" << unchanged;
  newEngineRow(EngineKind::Postgres, "the engine fails at row 4") << "1 / (number - 4)" << "division by zero" << unchanged;
  for (EngineKind engine : kEngines)
    newEngineRow(engine, "an empty Data value at row 4")
        << "CASE WHEN number = 4 THEN NULL ELSE Data END" << "Invalid use of Null" << loadedUpToRow4;
}

void RowReadingTest::readEndingHalfWay() {
  QFETCH(EngineKind, engine);
  QFETCH(QString, data);
  QFETCH(QString, reason);
  QFETCH(QVariantList, labels);
  EntryFixture f;
  const auto database = fill(engine, f);
  f.state.NumberOnX = true;
  select(f, "SELECT Date, Time, number + 100 AS number, Data FROM GraphData WHERE number <= 5");
  f.window.picture.clear();
  select(f, "SELECT Date, Time, number, " + data + " AS Data FROM GraphData");
  QCOMPARE(f.test.messages.texts().value(0), LoadResString(TextId::QueryFailed));
  QVERIFY2(f.test.messages.texts().value(1).contains(reason), qPrintable(f.test.messages.texts().value(1)));
  QVERIFY(f.window.picture.entries().isEmpty());
  QCOMPARE(f.state.ChartRecordCount, labels.size());
  QCOMPARE(entries(f.state.PointLabels, int(labels.size())), labels);
}

// A query that runs away ends with the budget's message once its rows, or their distinct texts,
// would pass what one read may hold; nothing is charted, and the server's statement ends too.
void RowReadingTest::budgetEndsARunawayRead_data() {
  addEngineColumn();
  QTest::addColumn<QString>("time");
  for (EngineKind engine : kEngines) {
    const bool sqlite = engine == EngineKind::Sqlite;
    newEngineRow(engine, "small rows without end") << "'08:00:00'";
    newEngineRow(engine, "distinct texts of 100 000 characters")
        << (sqlite ? "printf('%d%.*c', i, 99990, 'x')" : "i || repeat('x', 99990)");
  }
}

void RowReadingTest::budgetEndsARunawayRead() {
  QFETCH(EngineKind, engine);
  QFETCH(QString, time);
  EntryFixture f;
  const auto database = fill(engine, f);
  f.test.env.readBudget = ReadBudget::ofBytes(100'000 * ReadBudget::kBytesPerRow);
  select(f, "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n) "
            "SELECT '01/12/2026' AS Date, " + time + " AS Time, i AS number, 1.5 AS Data FROM n");
  QCOMPARE(f.test.messages.texts(), (QStringList{LoadResString(TextId::QueryFailed),
                                                 "Kelvane program-->" + f.test.env.readBudget.passed().description()}));
  QVERIFY(f.test.messages.texts().value(1).contains("100000 rows or 3 MB"));
  QVERIFY(f.window.picture.entries().isEmpty());
  QCOMPARE(f.state.ChartRecordCount, 0);
  if (engine == EngineKind::Postgres)
    QTRY_COMPARE_WITH_TIMEOUT(database->scalar("SELECT count(*) FROM pg_stat_activity WHERE usename = 'station'").toInt(), 0, 15000);
}

void RowReadingTest::windowShowsALongReadAndItsCancel() {
  Worker worker;
  // A read that goes on until it is stopped.
  const auto reading = worker.start<bool>([](JobControl& job) {
    for (qint64 rows = 1; !job.stopRequested(); ++rows) {
      job.setProgress(rows);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
  });
  int ticks = 0;
  QTimer clock;
  connect(&clock, &QTimer::timeout, [&] { ++ticks; });
  clock.start(100);
  QStringList shown;
  QTimer::singleShot(1500, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    shown << dialog->objectName() << dialog->windowTitle() << dialog->findChild<QLabel*>()->text();
    dialog->findChild<QPushButton*>()->click();
  });
  waitWithProgress(*reading, nullptr);
  QVERIFY(reading->finished());
  QCOMPARE(shown.mid(0, 2), (QStringList{"dlgProgress", "Kelvane program"}));
  QVERIFY2(shown.value(2).contains(QRegularExpression("^Reading rows from the database: [1-9]")), qPrintable(shown.value(2)));
  QVERIFY(ticks >= 10);  // the clock went on meanwhile
}

QTEST_MAIN(RowReadingTest)
#include "tst_rowreading.moc"
