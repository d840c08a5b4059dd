#include "support/EntryFixture.h"
#include "support/MeasurementDatabase.h"

#include "handlers/PeriodQuery.h"
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
  void readEndingHalfWay_data();
  void readEndingHalfWay();
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
