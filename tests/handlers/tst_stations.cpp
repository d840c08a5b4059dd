#include "support/EntryFixture.h"
#include "support/MeasurementDatabase.h"

#include "chart/DrawChart.h"
#include "chart/PainterSurface.h"
#include "chart/StationLegend.h"
#include "database/StationReads.h"
#include "handlers/DatabaseButton.h"
#include "handlers/FollowNewRows.h"
#include "handlers/LeakDecisions.h"
#include "handlers/QueryDialog.h"
#include "handlers/RowsCsv.h"
#include "handlers/StationsSetting.h"
#include "handlers/SummaryLines.h"
#include "state/ProgramSettings.h"
#include "state/TextResources.h"

#include <QtTest>

using namespace kelvane;
using namespace kelvane::testing;

namespace {

const QString kAllRows = QStringLiteral("SELECT Date, Time, number, Data FROM GraphData");

QString timeOf(int minute) { return QTime(8, 0).addSecs(60 * minute).toString(QStringLiteral("HH:mm:ss")); }

// Rows numbered from..to, a minute apart on 05/12/2010, their Data the number times the factor.
void addRows(MeasurementDatabase& database, int from, int to, double factor = 1) {
  for (int n = from; n <= to; ++n) database.withRow(n, n * factor, QStringLiteral("05/12/2010"), timeOf(n));
}

struct FakeStationsDialog : StationsDialogView {
  QList<ComparedStation> stations() const override { return list; }
  void setStations(const QList<ComparedStation>& stations, int index) override { list = stations, selected = index; }
  int selectedStation() const override { return selected; }
  void unload() override { unloaded = true; }
  QList<ComparedStation> list;
  int selected = -1;
  bool unloaded = false;
};

struct AnsweringChooser : FileChooser {
  QString chooseDatabaseFile() override { return answer; }
  QString answer;
};

// The series of the main window's chart: name, rows and whether struck through.
QStringList seriesShown(EntryFixture& f) {
  QStringList shown;
  for (const ChartSeries& series : f.window.graphField().LastChart()->input.series)
    shown << QStringLiteral("%1 %2%3").arg(series.name).arg(series.rows.count).arg(series.unreadable ? " unreadable" : "");
  return shown;
}

}  // namespace

// What happens while a station's check is out.
enum class Meanwhile { Nothing, Redrawn, Removed };

class StationsTest : public QObject {
  Q_OBJECT

  MeasurementDatabases databases_;
  QTemporaryDir config_;  // of the settings file
  std::vector<std::unique_ptr<MeasurementDatabase>> held_;

  // The chosen database of the engine with rows 1..5, and two stations beside it of the other
  // kinds (SQLite when it is PostgreSQL, else a SQLite file and the server) with rows 1..4, 1..3.
  void threeStations(EngineKind engine, EntryFixture& f) {
    held_.clear();
    QDir(f.folder.path()).mkpath("b");
    QDir(f.folder.path()).mkpath("c");
    held_.push_back(databases_.make(engine, f.folder.path()));
    held_.push_back(std::make_unique<SqliteMeasurementDatabase>(f.path("b/Beta.db")));
    held_.push_back(engine == EngineKind::Sqlite ? databases_.make(EngineKind::Postgres, f.path("c"))
                                                 : std::make_unique<SqliteMeasurementDatabase>(f.path("c/Gamma.db")));
    for (int i = 0; i < 3; ++i) addRows(held_[i]->withGraphData(), 1, 5 - i, i + 1);
    f.state.DatabasePath = held_[0]->dataSource();
    f.state.Stations = {{held_[1]->dataSource(), "Beta"}, {held_[2]->dataSource(), "Gamma"}};
  }

 private slots:
  void initTestCase() {
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
    QVERIFY2(databases_.start(), qPrintable(databases_.errorText()));
  }

  // Charted by the Database button and by a query, each station read at once beside the chosen
  // database, followed while each gains rows; one taken out of the list, one whose table goes.
  void chartedAndFollowed_data() { addEngineRows(); }
  void chartedAndFollowed() {
    QFETCH(EngineKind, engine);
    EntryFixture f;
    threeStations(engine, f);
    const QString chosen = stationName(f.state.DatabasePath);
    QVERIFY(chartQuery(f.program, kAllRows, std::nullopt));
    QCOMPARE(seriesShown(f), (QStringList{chosen + " 5", "Beta 4", "Gamma 3"}));
    const auto kept = f.window.graphField().LastChart();
    QVERIFY(stdKelvane::onTimeScale(*kept) && kept->frame.timeLines.size() == 3);
    QCOMPARE(kept->frame.timeLines[2]->range(), kept->frame.timeLine()->range());  // one time axis
    QCOMPARE(kept->input.series[1].colour, rgbColour(230, 120, 0));

    QVERIFY(chartRecentRows(f.program));
    f.state.FollowNewRows = true;
    NewRowsWatch watch;
    for (int i = 0; i < 3; ++i) addRows(*held_[i], 6 - i, 7 - i);
    f.follow(watch);
    f.follow(watch);  // an answer dropped while another redrew is asked again
    QCOMPARE(seriesShown(f), (QStringList{chosen + " 7", "Beta 6", "Gamma 5"}));
    f.state.Stations.removeFirst();
    f.follow(watch);
    QCOMPARE(seriesShown(f), (QStringList{chosen + " 7", "Gamma 5"}));
    held_[2]->run("DROP TABLE GraphData");
    addRows(*held_[0], 8, 8);
    f.follow(watch);
    f.follow(watch);
    QCOMPARE(seriesShown(f), (QStringList{chosen + " 8", "Gamma 0 unreadable"}));
    QCOMPARE(f.test.messages.texts().filter("could not be read").size(), 1);
    watch.shutdown(std::chrono::steady_clock::now() + std::chrono::seconds(5));
  }

  // A station gone at start-up stays in the list, named once and struck through in the legend.
  void stationGoneIsStruckThrough() {
    EntryFixture f;
    SqliteMeasurementDatabase chosen(f.path("Alpha.db"));
    addRows(chosen.withGraphData(), 1, 3);
    f.state.DatabasePath = chosen.dataSource();
    f.state.Stations = {{f.path("gone.db"), "Gone"}};
    QVERIFY(chartRecentRows(f.program));
    QCOMPARE(seriesShown(f), (QStringList{"Alpha 3", "Gone 0 unreadable"}));
    QCOMPARE(f.test.messages.texts().size(), 1);
    QVERIFY(f.test.messages.texts().constFirst().contains("Gone: "));
    QCOMPARE(f.state.Stations.size(), 1);
  }

  // The same rows at two stations draw the same line twice: the second colour lies exactly where
  // the line drawn alone in it lies, over the first.
  void sameRowsDrawTheSameSeries() {
    EntryFixture f;
    SqliteMeasurementDatabase one(f.path("One.db")), two(f.path("Two.db"));
    addRows(one.withGraphData(), 1, 300, 0.05);
    addRows(two.withGraphData(), 1, 300, 0.05);
    f.state.DatabasePath = one.dataSource();
    f.state.Stations = {{two.dataSource(), "Two"}};
    QVERIFY(chartQuery(f.program, kAllRows, std::nullopt));
    ChartInput both = f.window.graphField().LastChart()->input, alone = both;
    alone.series.erase(alone.series.begin());
    alone.timeScale = true;
    const auto orangeAt = [&](const ChartInput& input) {
      PainterSurface picture(457, 393, 2, 96);
      stdKelvane::DrawChart(picture, input, f.test.env);
      QList<QPoint> points;
      const QImage image = picture.image().convertToFormat(QImage::Format_RGB32);
      for (int y = 20; y < image.height(); ++y)  // below the legend
        for (int x = 0; x < image.width(); ++x)
          if (image.pixel(x, y) == qRgb(230, 120, 0)) points << QPoint(x, y);
      return points;
    };
    const QList<QPoint> drawnAlone = orangeAt(alone);
    QVERIFY(drawnAlone.size() > 100);
    QCOMPARE(orangeAt(both), drawnAlone);
  }

  // The legend, the summary's columns, the decisions' column Station and the CSV's first column.
  void whatIsToldOfEachStation() {
    EntryFixture f;
    SqliteMeasurementDatabase alpha(f.path("Alpha.db")), beta(f.path("Beta.db"));
    addRows(alpha.withGraphData(), 1, 4);
    addRows(beta.withGraphData(), 3, 6, 10);
    f.state.DatabasePath = alpha.dataSource();
    f.state.Stations = {{beta.dataSource(), "=Beta"}, {f.path("gone.db"), "Gone"}};
    f.state.Limits = LeakLimits{30, -3, LimitForm::Ratio, {}, {}};
    QVERIFY(chartQuery(f.program, kAllRows, std::nullopt));
    const auto* picture = static_cast<RecordingSurface*>(&f.window.graphField());
    QStringList printed;
    for (const auto& entry : picture->entries(RecordingSurface::Op::Print)) printed << entry.text;
    QCOMPARE(printed.mid(printed.size() - 5), (QStringList{"Alpha", "=Beta", "Gone", "A", "B"}));  // then the limits'

    QCOMPARE(summaryStations(f.program), (QStringList{"Alpha", "=Beta", "Gone"}));
    const QList<SummaryLine> summary = summaryLines(f.program);
    QCOMPARE((QStringList{summary[0].value} + summary[0].beside), (QStringList{"4", "4", ""}));

    const DecisionsList decisions = listDecisions(f.program);
    QCOMPARE(int(decisions.stretches.size()), 1);
    QVERIFY(decisionLine(decisions, 0, f.test.env.regional).startsWith("=Beta\t05/12/2010 08:03:00"));

    const QList<QByteArray> csv = stationsRowsCsv(f.window.graphField().LastChart()->input.series, f.test.env.regional)
                                      .split('\n');
    QCOMPARE(csv.value(0), QByteArray("Station,Date,Time,number,Data\r"));
    QCOMPARE(csv.value(1), QByteArray("Alpha,05/12/2010,08:01:00,1,1\r"));
    QCOMPARE(csv.value(5), QByteArray("'=Beta,05/12/2010,08:03:00,3,30\r"));
  }

  // The dialog's Add refuses what cannot be a station; OK keeps the list for the next run.
  void addingAndKeeping_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("listed");
    QTest::addColumn<QString>("told");
    QTest::newRow("a measurement database") << "Beta.db" << 1 << "";
    QTest::newRow("the chosen database") << "Alpha.db" << 0 << "Alpha.db is the chosen database";
    QTest::newRow("no measurement database") << "notes.db" << 0 << LoadResString(TextId::DatabaseFailed);
    QTest::newRow("a sixth") << "Beta.db" << 5 << LoadResString(TextId::StationsFull);
  }
  void addingAndKeeping() {
    QFETCH(QString, file);
    QFETCH(int, listed);
    QFETCH(QString, told);
    EntryFixture f;
    for (const char* name : {"Alpha.db", "Beta.db"}) SqliteMeasurementDatabase(f.path(name)).withGraphData();
    SqliteMeasurementDatabase(f.path("notes.db")).run("CREATE TABLE notes (text TEXT)");
    f.state.DatabasePath = f.path("Alpha.db");
    FakeStationsDialog dialog;
    for (int i = 0; i < (listed == 5 ? 5 : 0); ++i) dialog.list << ComparedStation{f.path(QString("s%1.db").arg(i)), "s"};
    AnsweringChooser chooser;
    chooser.answer = f.path(file);
    btnStationAdd_Click(f.program, chooser, dialog);
    QCOMPARE(int(dialog.list.size()), listed);
    QVERIFY(told.isEmpty() ? f.test.messages.texts().isEmpty() : f.test.messages.texts().value(0).startsWith(told));
    ProgramSettings settings;
    btnStationsOK_Click(f.program, dialog, settings);
    QVERIFY(dialog.unloaded);
    QCOMPARE(ProgramSettings().stations(), dialog.list);
    QCOMPARE(f.state.Stations, dialog.list);
  }

  // Reads at once end together at one stop, each as cancelled.
  void oneStopEndsEveryRead() {
    Worker worker;
    const auto group = worker.start(std::function<int(JobControl&)>([](JobControl& job) {
      std::vector<std::function<int(JobControl&)>> reads(3, [](JobControl& read) -> int {
        while (!read.stopRequested()) read.waitFor(std::chrono::milliseconds(5));
        throw cancelledError();
      });
      int cancelled = 0;
      for (Outcome<int>& outcome : readAtOnce(std::move(reads), job))
        cancelled += outcome.failure && outcome.failure->number() == ErrorNumber::OperationCancelled;
      return cancelled;
    }));
    QTest::qWait(50);
    group->requestStop();
    QVERIFY(group->waitFor(std::chrono::seconds(10)));
    QCOMPARE(group->outcome()->value.value_or(0), 3);
  }

  // A station's check held up by a lock past a tick: the next tick waits for it, so that no round
  // draws without rows the other has marked as seen, and the picture drawn again meanwhile (a
  // resize) still takes them. A station taken out of the list while its check is out is neither
  // charted nor heard by its alarm.
  void followedStationsAnsweringLate_data() {
    QTest::addColumn<Meanwhile>("meanwhile");
    QTest::newRow("kept") << Meanwhile::Nothing;
    QTest::newRow("drawn again while asked") << Meanwhile::Redrawn;
    QTest::newRow("removed while asked") << Meanwhile::Removed;
  }
  void followedStationsAnsweringLate() {
    QFETCH(Meanwhile, meanwhile);
    const bool removed = meanwhile == Meanwhile::Removed;
    EntryFixture f;
    SqliteMeasurementDatabase alpha(f.path("Alpha.db")), beta(f.path("Beta.db"));
    for (auto* database : {&alpha, &beta}) {
      database->withGraphData();
      for (int n = 1; n <= 3; ++n) database->withRow(n, 1.5);
    }
    f.state.DatabasePath = alpha.dataSource();
    f.state.Stations = {{beta.dataSource(), "Beta"}};
    f.state.Limits = LeakLimits{30, -3, LimitForm::Ratio, {}, {}};
    QVERIFY(chartRecentRows(f.program));
    f.state.FollowNewRows = true;
    NewRowsWatch watch;
    alpha.withRow(4, 1.5);
    beta.withRow(4, 99);
    beta.run("PRAGMA locking_mode=EXCLUSIVE");
    beta.run("BEGIN EXCLUSIVE");
    beta.run("UPDATE GraphData SET Data = Data WHERE number = 1");
    followNewRows(f.program, watch);
    QTest::qWait(50);  // within the wait for a lock
    alpha.withRow(5, 1.5);
    followNewRows(f.program, watch);
    QTest::qWait(50);
    if (removed) f.state.Stations.clear();
    if (meanwhile == Meanwhile::Redrawn)
      stdKelvane::DrawChartAgain(f.window.graphField(), *f.window.graphField().LastChart(), f.test.env);
    beta.run("ROLLBACK");
    beta.run("PRAGMA locking_mode=NORMAL");
    beta.run("SELECT count(*) FROM GraphData");  // which lets the exclusive lock go
    QTRY_VERIFY_WITH_TIMEOUT(!watch.busy(), 30000);
    QCOMPARE(f.test.messages.texts(), QStringList());
    QCOMPARE(f.state.Alarms.shown().has_value(), !removed);
    if (removed) return;
    f.follow(watch);
    f.follow(watch);
    QStringList shown;
    for (const ChartSeries& series : f.window.graphField().LastChart()->input.series) shown << series.name + " " + QString::number(series.rows.count);
    QCOMPARE(shown, (QStringList{"Alpha 5", "Beta 4"}));
  }
};

QTEST_MAIN(StationsTest)
#include "tst_stations.moc"
