#include "support/EntryFixture.h"
#include "support/MeasurementDatabase.h"

#include "chart/NumberText.h"
#include "chart/Scaling.h"
#include "handlers/DatabaseButton.h"
#include "entry/ResetAndClock.h"
#include "entry/RunRecords.h"
#include "state/TextResources.h"

#include <QtTest>

using namespace kelvane;
using namespace kelvane::stdKelvane;
using namespace kelvane::testing;

namespace {

const QLocale kBritish(QLocale::English, QLocale::UnitedKingdom), kGerman(QLocale::German, QLocale::Germany);

// A running program whose chosen database is a SQLite file with table GraphData.
struct Station : EntryFixture {
  // Values 1, 2, ... are typed and entered one by one, as many as presses.
  explicit Station(const QLocale& locale = kBritish, int presses = 0) : EntryFixture(locale) {
    database.withGraphData();
    state.DatabasePath = database.dataSource();
    for (int i = 1; i <= presses; ++i) press(QString::number(i));
  }
  // Items and oldest value of the main window, the same of the full-screen one, the x range the
  // live plot shows, where the window starts and how often it moved on.
  QList<double> windowState() const {
    return {double(state.MainWindowValues.size()), state.MainWindowValues.first() / 10000,
            double(state.FullScreenWindowValues.size()), state.FullScreenWindowValues.first() / 10000,
            window.picture.LastChart()->frame.xMin, window.picture.LastChart()->frame.xMax, state.WindowStart,
            double(state.ScrollCount)};
  }
  // Values in the lists, lines in the log, rows in the table.
  QList<qsizetype> recorded() {
    return {window.List2.size(), log().count('\n'), database.rows("SELECT * FROM GraphData").size()};
  }
  SqliteMeasurementDatabase database{path("m.db")};
};

enum class Database { Numbered, Missing, NoTable, Locked };
// In a message's expected parts: the database's file, which each case makes anew.
const QString kSource = QStringLiteral("<file>");

// Where the operator reads a text: a stored date and time, a value in a table, the log's ratio,
// a chart's axis label.
enum class Form { Stored, Value, Ratio, Label };

}  // namespace

Q_DECLARE_METATYPE(Database)
Q_DECLARE_METATYPE(Form)

class ValueEntryTest : public QObject {
  Q_OBJECT

  MeasurementDatabases databases_;

 private slots:
  void initTestCase() {
    // Every text follows the regional settings the program was given, never the default ones.
    QLocale::setDefault(kGerman);
    QVERIFY2(databases_.start(), qPrintable(databases_.errorText()));
  }

  void windowMovesOnAsPressed_data() {
    QTest::addColumn<int>("presses");
    QTest::addColumn<bool>("lastAfterStoredChart");
    QTest::addColumn<QList<double>>("window");
    // The live plot leaves out the last two x of the record's range: 0..22 shows as 0..20.
    QTest::newRow("first") << 1 << false << QList<double>{1, 1, 1, 1, 0, 20, 0, 0};
    QTest::newRow("window just full") << 20 << false << QList<double>{20, 1, 20, 1, 0, 20, 0, 0};
    QTest::newRow("21st drawn on 0..22, then moves") << 21 << false << QList<double>{20, 2, 21, 1, 0, 20, 1, 1};
    QTest::newRow("22nd drawn on 1..23") << 22 << false << QList<double>{20, 3, 21, 2, 1, 21, 2, 2};
    QTest::newRow("24th after the Database button goes on") << 24 << true << QList<double>{20, 5, 21, 4, 3, 23, 4, 4};
  }
  void windowMovesOnAsPressed() {
    QFETCH(int, presses);
    QFETCH(bool, lastAfterStoredChart);
    QFETCH(QList<double>, window);
    Station f(kBritish, presses - 1);
    if (lastAfterStoredChart) btnSPRT_Click(f.program);
    f.press(QString::number(presses));
    QCOMPARE(f.windowState(), window);
    QVERIFY(f.state.LiveChart && f.window.fullScreenEnabled);
    QCOMPARE(f.recorded(), QList<qsizetype>(3, presses));
  }

  void verticalRangeFollowsNewestValue_data() {
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QList<float>>("range");  // lowest, highest, label step
    QTest::newRow("inside the defaults") << QStringList{"3"} << QList<float>{-6, 14, 1};
    QTest::newRow("exactly 14") << QStringList{"14"} << QList<float>{0, 15, 1};
    QTest::newRow("19.5") << QStringList{"19.5"} << QList<float>{0, 20, 1};
    QTest::newRow("exactly 20 takes the coarse rule") << QStringList{"20"} << QList<float>{0, 21, 1};
    QTest::newRow("45") << QStringList{"45"} << QList<float>{0, 46, 2};
    QTest::newRow("exactly -6") << QStringList{"-6"} << QList<float>{-6, 1, 1};
    QTest::newRow("-19.5") << QStringList{"-19.5"} << QList<float>{-20, 1, 1};
    QTest::newRow("-45") << QStringList{"-45"} << QList<float>{-45, 1, 2};
    QTest::newRow("largest accepted") << QStringList{"3.4E+34"} << QList<float>{0, 3.4e34f, 1.7e33f};
    QTest::newRow("45 then 5: the older value widens nothing") << QStringList{"45", "5"} << QList<float>{-6, 14, 1};
  }
  void verticalRangeFollowsNewestValue() {
    QFETCH(QStringList, typed);
    QFETCH(QList<float>, range);
    EntryFixture f;  // no database chosen: that is no failure
    for (const QString& text : typed) f.press(text);
    const ChartFrame& frame = f.window.picture.LastChart()->frame;
    QCOMPARE((QList<float>{frame.yMin, frame.yMax, f.state.YLabelStep}), range);
    QCOMPARE(f.log().count('\n'), typed.size());
    QVERIFY(f.test.messages.shown.isEmpty());
  }

  void refusedTextReachesNothing_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("message");
    const int mismatch = int(TextId::InputTypeMismatch), overflow = int(TextId::InputOverflow);
    QTest::newRow("empty") << kBritish << "" << mismatch;
    QTest::newRow("blanks") << kBritish << "   " << mismatch;
    QTest::newRow("letters") << kBritish << "abc" << mismatch;
    QTest::newRow("infinity is no measurement") << kBritish << "inf" << mismatch;
    QTest::newRow("not a number") << kBritish << "nan" << mismatch;
    QTest::newRow("digit grouping") << kBritish << "1,500" << mismatch;
    QTest::newRow("a point under a decimal comma") << kGerman << "1.5" << mismatch;
    QTest::newRow("grouped thousands under a decimal comma") << kGerman << "1.500" << mismatch;
    QTest::newRow("beyond a Single") << kBritish << "1E39" << overflow;
    QTest::newRow("beyond a Double") << kBritish << "1e400" << overflow;
    QTest::newRow("too large to chart") << kBritish << "3.5E34" << overflow;
    QTest::newRow("too small to chart") << kBritish << "-1E35" << overflow;
  }
  void refusedTextReachesNothing() {
    QFETCH(QLocale, locale);
    QFETCH(QString, typed);
    QFETCH(int, message);
    Station f(locale, 20);
    f.state.OperatingMode = Mode::Database;  // as the Database button leaves it
    f.press(typed);
    QCOMPARE(f.test.messages.texts(), QStringList{LoadResString(TextId(message))});
    QCOMPARE(f.state.OperatingMode, Mode::Calculation);  // the clock runs again
    QCOMPARE(f.recorded(), QList<qsizetype>(3, 20));
    QCOMPARE(f.window.entry, typed);
    // The window moves on at the 21st value, not at the 21st press; the numbers count every press.
    f.press("21");
    QCOMPARE(f.windowState(), (QList<double>{20, 2, 21, 1, 0, 20, 1, 1}));
    QCOMPARE(f.window.List1.last(), QStringLiteral("22"));
  }

  void runRecordedByteForByte() {
    Station f(kGerman);
    f.press(" 1,2345");
    f.test.clock.set(QDateTime(QDate(2010, 12, 6), QTime(0, 0, 0)));
    f.press("2");
    QCOMPARE(f.window.List2 + f.window.List5, (QStringList{" 1,2345", "2", "05.12.2010 14:08:45", "06.12.2010"}));
    QCOMPARE(f.log(), QByteArray(R"("Calculation: 1","Current time: 05.12.2010 14:08:45","Threshold A: 0",)"
                                 R"("Probability ratio: 1,235")" "\r\n"
                                 R"("Calculation: 2","Current time: 06.12.2010","Threshold A: 0",)"
                                 R"("Probability ratio: 2")" "\r\n"));
    QCOMPARE(f.database.rows("SELECT Date, Time, number, Data FROM GraphData ORDER BY number"),
             (QList<QVariantList>{{"05.12.2010", "14:08:45", 1.0, double(1.2345f)},
                                  {"06.12.2010", "00:00:00", 2.0, 2.0}}));
  }

  void textsAsTheOperatorReadsThem_data() {
    QTest::addColumn<Form>("form");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    const auto row = [](const char* name, Form form, const QLocale& locale, const QVariant& value, const char* text) {
      QTest::newRow(name) << form << locale << value << QString(text);
    };
    const QDate day(2010, 12, 5);
    const QDateTime afternoon(day, QTime(14, 8, 45));
    const QLocale american(QLocale::English, QLocale::UnitedStates), finnish(QLocale::Finnish, QLocale::Finland);
    row("stored: 24-hour time for America", Form::Stored, american, afternoon, "05/12/2010 14:08:45");
    row("stored: Finnish dots in the time", Form::Stored, finnish, afternoon, "05.12.2010 14.08.45");
    row("stored: C names the month, slashes stand in", Form::Stored, QLocale::c(), afternoon, "05/12/2010 14:08:45");
    row("moment: American, four-digit year, no time zone", Form::Value, american, afternoon, "12/5/2010 2:08:45 PM");
    row("moment: a second past midnight", Form::Value, kGerman, QDateTime(day, QTime(0, 0, 1)), "05.12.2010 00:00:01");
    row("Single with a decimal comma", Form::Value, kGerman, 1.5f, "1,5");
    row("Single keeps 7 digits", Form::Value, kBritish, 1.2345678f, "1.234568");
    row("no digit grouping", Form::Value, kGerman, 1234567.0f, "1234567");
    row("Double keeps 15 digits", Form::Value, kBritish, 0.1, "0.1");
    row("text stays as it is", Form::Value, kGerman, QStringLiteral("14:08:45"), "14:08:45");
    row("Null is empty", Form::Value, kGerman, QVariant(), "");
    row("ratio rounds to a whole", Form::Ratio, kBritish, 2.00049f, "2");
    row("ratio: small negative gives 0, not -0", Form::Ratio, kBritish, -0.0001f, "0");
    row("ratio: large has no grouping", Form::Ratio, kBritish, 1234567.0f, "1234567");
    row("ratio: very large in exponent form", Form::Ratio, kBritish, 1e30f, "1E+30");
    // Axis labels keep their point under the decimal comma of the default settings.
    row("label: negative zero", Form::Label, kGerman, -0.0f, "0");
    row("label: no leading zero", Form::Label, kGerman, 0.5f, ".5");
    row("label: negative fraction", Form::Label, kGerman, -0.25f, "-.25");
    row("label: Single precision shows", Form::Label, kGerman, 0.1f, ".1");
    row("label: large value", Form::Label, kGerman, 12345678.0f, "1.234568E+07");
  }
  void textsAsTheOperatorReadsThem() {
    QFETCH(Form, form);
    QFETCH(QLocale, locale);
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    const RegionalForms forms(locale);
    const QString shown = form == Form::Stored  ? forms.dateText(value.toDate()) + ' ' + forms.timeText(value.toTime())
                          : form == Form::Value ? forms.valueText(value)
                          : form == Form::Ratio ? ratioText(value.toFloat(), forms)
                                                : NumberText(value.toFloat());
    QCOMPARE(shown, text);
  }

  void liveChartFitsTheMainWindow() {
    EntryFixture f;
    f.press("3");
    const ChartFrame& s = f.window.picture.LastChart()->frame;
    // Both factors, then the plot area's corners: 300 twips in from the edges, 400 on the right.
    QCOMPARE((QList<float>{s.scaleX, s.scaleY, XToSurface(s, 0), XToSurface(s, 20), YToSurface(s, -6),
                           YToSurface(s, 14)}),
             (QList<float>{307.75f, 264.75f, 300, 6455, 300, 5595}));
    const auto drawn = [&](RecordingSurface::Op op) { return f.window.picture.entries(op).value(0); };
    const RecordingSurface::Entry corners = drawn(RecordingSurface::Op::SetScale);  // y grows upwards
    QCOMPARE((QList<float>{corners.x1, corners.y1, corners.x2, corners.y2}), (QList<float>{0, 5895, 6855, 0}));
    QCOMPARE(drawn(RecordingSurface::Op::SetBackColor).colour, rgbColour(255, 255, 255));
  }

  void resetEmptiesListsAndEntryOnly() {
    Station f(kBritish, 2);
    const qsizetype drawn = f.window.picture.entries().size();
    btnReset_Click(f.program);
    QCOMPARE(f.state.OperatingMode, Mode::Reset);
    QVERIFY((f.window.List1 + f.window.List2 + f.window.List5).isEmpty() && f.window.entry.isEmpty());
    QCOMPARE(f.window.picture.entries().size(), drawn);
    f.press("3");
    QCOMPARE(f.window.List1, QStringList{"3"});
    QCOMPARE(f.windowState(), (QList<double>{3, 1, 3, 1, 0, 20, 0, 0}));
  }

  void clockShowsWhileTheRunIsCharted_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("liveChart");
    QTest::addColumn<bool>("shown");
    QTest::newRow("fresh start") << QString() << true << true;
    QTest::newRow("reset after stored records") << Mode::Reset << false << false;
    QTest::newRow("refused press after stored records") << Mode::Calculation << false << true;
  }
  void clockShowsWhileTheRunIsCharted() {
    QFETCH(QString, mode);
    QFETCH(bool, liveChart);
    QFETCH(bool, shown);
    EntryFixture f;
    f.state.OperatingMode = mode;
    f.state.LiveChart = liveChart;
    f.test.clock.set(QDateTime(QDate(2010, 12, 6), QTime(0, 0, 0)));
    TimerCurrentTime_Timer(f.program);
    QCOMPARE(f.window.fullScreen->timesShown, 0);  // made at the first tick for its labels, not shown
    const FakeClockLabels &mainClock = f.window.clock, &fullClock = f.window.fullScreen->clock;
    QCOMPARE((QList<bool>{mainClock.timeVisible, mainClock.dateVisible, fullClock.timeVisible, fullClock.dateVisible}),
             QList<bool>(4, shown));
    if (shown) QCOMPARE((QStringList{mainClock.date, fullClock.time}), (QStringList{"06/12/2010", "00:00:00"}));
  }

  void eachRecordIsWrittenOnItsOwn_data() {
    addEngineColumn();
    QTest::addColumn<Database>("database");
    QTest::addColumn<bool>("logWritable");
    QTest::addColumn<QStringList>("messageParts");  // besides the lost value's number and text
    QTest::addColumn<int>("messages");  // the log's at once, the row's when it is known
    const QString noLog = LoadResString(TextId::NotLogged).section('%', 0, 0);
    const QString noRow = LoadResString(TextId::NotStored).section('%', 0, 0);
    const QString kept = LoadResString(TextId::RowKept).section('%', 4).mid(1);
    const QString server = QUrl(databases_.uri()).adjusted(QUrl::RemovePassword).toString();
    newEngineRow(EngineKind::Sqlite, "both fail, each told")
        << Database::Missing << false << QStringList{noLog, kept} << 2;
    for (EngineKind engine : kEngines) {
      const QString holder = engine == EngineKind::Sqlite ? kSource : server;
      newEngineRow(engine, "all written, numbered above the largest") << Database::Numbered << true << QStringList{} << 0;
      newEngineRow(engine, "log unwritable, row still stored")
          << Database::Numbered << false << QStringList{noLog, "Logfile.txt"} << 1;
      newEngineRow(engine, "missing file, row kept") << Database::Missing << true << QStringList{kept, kSource} << 1;
      newEngineRow(engine, "locked past the wait, row kept") << Database::Locked << true << QStringList{kept, holder} << 1;
      newEngineRow(engine, "no table GraphData") << Database::NoTable << true << QStringList{noRow, "GraphData"} << 1;
    }
  }
  void eachRecordIsWrittenOnItsOwn() {
    QFETCH(EngineKind, engine);
    QFETCH(Database, database);
    QFETCH(bool, logWritable);
    QFETCH(QStringList, messageParts);
    QFETCH(int, messages);
    EntryFixture f;
    const auto measurements = databases_.make(engine, f.folder.path());
    const QString source = measurements->dataSource();
    switch (database) {
      // Rows deleted, and a number a Single cannot count past.
      case Database::Numbered: measurements->withGraphData().withRow(1, 1.0).withRow(16777216, 1.0); break;
      case Database::Missing: QFile::remove(source); break;
      case Database::NoTable: measurements->run("CREATE TABLE Other (x INTEGER)"); break;
      case Database::Locked: measurements->withGraphData().holdWriteLock(); break;
    }
    f.state.DatabasePath = source;
    // A folder where the log should be: it cannot be opened as a file, even by root.
    if (!logWritable) QVERIFY(QDir(f.folder.path()).mkdir("Logfile.txt"));

    f.press("2.5");  // waits for a locked database, then keeps the row
    if (database == Database::Locked) measurements->releaseWriteLock();
    QCOMPARE(f.log().isEmpty(), !logWritable);
    const auto stored = [&] { return measurements->rows("SELECT number FROM GraphData WHERE Data = 2.5"); };
    if (database == Database::Numbered) QCOMPARE(stored(), QList<QVariantList>{{16777217.0}});
    if (database == Database::Locked) QCOMPARE(stored(), QList<QVariantList>{});
    QCOMPARE(f.test.messages.shown.size(), messages);
    const QString message = f.test.messages.texts().join("\n\n");
    if (!messageParts.isEmpty()) messageParts.prepend("Entry 1 (2.5)");
    // A table name may come back folded to lower case.
    for (const QString& part : messageParts)
      QVERIFY2(message.contains(part == kSource ? source : part, Qt::CaseInsensitive), qPrintable(message));
    for (const char* hidden : {"PROVIDER=", "Data Source=", PostgresServer::kPassword})
      QVERIFY2(!message.contains(QLatin1String(hidden), Qt::CaseInsensitive), qPrintable(message));
    f.press("3");  // the window went on: the next value is taken like any other
    QCOMPARE(f.window.List2, (QStringList{"2.5", "3"}));
  }
};

QTEST_GUILESS_MAIN(ValueEntryTest)
#include "tst_valueentry.moc"
