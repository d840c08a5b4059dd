#include "support/EntryFixture.h"
#include "support/MeasurementDatabase.h"

#include "chart/ChartZoom.h"
#include "entry/ResetAndClock.h"
#include "handlers/LeakDecisions.h"
#include "handlers/LimitsSetting.h"
#include "handlers/QueryDialog.h"
#include "handlers/SummaryLines.h"

#include <QtTest>

using namespace kelvane;
using namespace kelvane::testing;

Q_DECLARE_METATYPE(LimitForm)
Q_DECLARE_METATYPE(LimitField)
Q_DECLARE_METATYPE(LeakDecision)

namespace {

// A running program whose limits dialog is typed into, and which keeps its limits in the settings
// file of the test's configuration folder.
struct Station : EntryFixture {
  // α and β, or else A and B typed as they are; OK.
  void setLimits(const QString& alpha, const QString& beta, LimitForm form = LimitForm::LogRatio,
                 const QString& upper = {}, const QString& lower = {}) {
    dialog = FakeLimitsDialog();
    showLimits(program, dialog);
    dialog.fields = {alpha, beta, upper, lower, form};
    probabilitiesChanged(program, dialog);
    btnLimitsOK_Click(program, dialog, settings);
  }
  FakeLimitsDialog dialog;
  ProgramSettings settings;
};

}  // namespace

class LeakTestTest : public QObject {
  Q_OBJECT

  QTemporaryDir config_;

 private slots:
  // Before any settings are read: the settings file lies in the test's folder.
  void initTestCase() { qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit()); }
  void init() { ProgramSettings().setLeakLimits(std::nullopt); }

  void waldsLimits_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("alpha");
    QTest::addColumn<QString>("beta");
    QTest::addColumn<LimitForm>("form");
    QTest::addColumn<double>("upper");
    QTest::addColumn<double>("lower");
    QTest::addColumn<QString>("shown");  // A and B in the dialog
    const QLocale british(QLocale::English, QLocale::UnitedKingdom), german(QLocale::German, QLocale::Germany);
    QTest::newRow("α = β = 0.01, ratio") << british << "0.01" << "0.01" << LimitForm::Ratio << 99.0 << 1 / 99.0 << "99 0.010101";
    QTest::newRow("α = β = 0.01, logarithm") << british << "0.01" << "0.01" << LimitForm::LogRatio << std::log(99.0) << -std::log(99.0)
                                             << "4.59512 -4.59512";
    QTest::newRow("α = β = 0,01, logarithm, German") << german << "0,01" << "0,01" << LimitForm::LogRatio << std::log(99.0)
                                                     << -std::log(99.0) << "4,59512 -4,59512";
    QTest::newRow("α = 0.05, β = 0.1, ratio") << british << "0.05" << "0.1" << LimitForm::Ratio << 18.0 << 0.1 / 0.95 << "18 0.105263";
    QTest::newRow("α = 0.05, β = 0.1, logarithm") << british << "5E-2" << " 0.1" << LimitForm::LogRatio << std::log(18.0)
                                                  << std::log(0.1 / 0.95) << "2.89037 -2.25129";
  }
  // A and B follow α, β and the form in the dialog, to six significant digits; the limits set, and
  // shown again, keep every digit.
  void waldsLimits() {
    QFETCH(QLocale, locale);
    QFETCH(QString, alpha);
    QFETCH(QString, beta);
    QFETCH(LimitForm, form);
    QFETCH(double, upper);
    QFETCH(double, lower);
    QFETCH(QString, shown);
    Station f;
    f.test.env.regional = RegionalForms(locale);
    f.setLimits(alpha, beta, form);
    QVERIFY(f.dialog.unloaded);
    QCOMPARE(f.dialog.fields.upper + " " + f.dialog.fields.lower, shown);
    QVERIFY(qFuzzyCompare(f.state.Limits->upper, upper) && qFuzzyCompare(f.state.Limits->lower, lower));
    const LeakLimits set = *f.state.Limits;
    FakeLimitsDialog again;
    showLimits(f.program, again);
    btnLimitsOK_Click(f.program, again, f.settings);
    QCOMPARE(again.fields.upper + " " + again.fields.lower, shown);
    QCOMPARE((std::pair{f.state.Limits->upper, f.state.Limits->lower}), (std::pair{set.upper, set.lower}));
    limitTyped(f.dialog);  // a limit typed over them clears α and β
    QVERIFY(f.dialog.fields.alpha.isEmpty() && f.dialog.fields.beta.isEmpty() && !f.dialog.fields.upper.isEmpty());
  }

  void refusedLimitsLeaveThemAsTheyWere_data() {
    QTest::addColumn<QStringList>("typed");  // α, β, A, B
    QTest::addColumn<LimitForm>("form");
    QTest::addColumn<LimitField>("field");
    QTest::addColumn<QString>("message");
    const QString alpha = "False alarm probability α", upper = "Upper limit A (leak)", lower = "Lower limit B (no leak)";
    const QString range = " must lie between 0 and 1, both excluded.", ratio = " must lie above 0 when the values are the ratio itself.";
    const auto log = LimitForm::LogRatio;
    QTest::newRow("α no number") << QStringList{"abc", "0.01", "", ""} << log << LimitField::Alpha << alpha + " is not a number.";
    QTest::newRow("α with a decimal comma") << QStringList{"0,01", "0.01", "", ""} << log << LimitField::Alpha << alpha + " is not a number.";
    QTest::newRow("α of 1") << QStringList{"1", "0.01", "", ""} << log << LimitField::Alpha << alpha + range;
    QTest::newRow("β of 0") << QStringList{"0.01", "0", "", ""} << log << LimitField::Beta << "Missed leak probability β" + range;
    QTest::newRow("α + β = 1") << QStringList{"0.4", "0.6", "", ""} << log << LimitField::Alpha
                               << alpha + " and Missed leak probability β together must stay below 1.";
    QTest::newRow("α too small for a Double") << QStringList{"1E-320", "0.01", "", ""} << LimitForm::Ratio << LimitField::Alpha << alpha + range;
    QTest::newRow("A no number") << QStringList{"", "", "x", "1"} << log << LimitField::UpperLimit << upper + " is not a number.";
    QTest::newRow("B empty") << QStringList{"", "", "5", ""} << log << LimitField::LowerLimit << lower + " is not a number.";
    QTest::newRow("A equal to B") << QStringList{"", "", "2", "2"} << log << LimitField::UpperLimit << upper + " must lie above " + lower + ".";
    QTest::newRow("ratio, B of 0") << QStringList{"", "", "5", "0"} << LimitForm::Ratio << LimitField::LowerLimit << lower + ratio;
  }
  // Named in a message, the field refused gets the focus; the dialog stays, and so do the limits,
  // the charts, the settings file and the decision beside the entry.
  void refusedLimitsLeaveThemAsTheyWere() {
    QFETCH(QStringList, typed);
    QFETCH(LimitForm, form);
    QFETCH(LimitField, field);
    QFETCH(QString, message);
    Station f;
    f.setLimits("", "", LimitForm::LogRatio, "3", "-3");
    f.press("3.5");
    const qsizetype drawn = f.window.picture.entries().size();
    f.setLimits(typed[0], typed[1], form, typed[2], typed[3]);
    QCOMPARE(f.test.messages.texts(), QStringList{message});
    QVERIFY(f.dialog.focused == field && !f.dialog.unloaded);
    QCOMPARE((QList<double>{f.state.Limits->upper, f.state.Limits->lower, f.settings.leakLimits()->upper}), (QList<double>{3, -3, 3}));
    QCOMPARE(f.window.picture.entries().size(), drawn);
    QCOMPARE(f.window.decisionCaption, "Leak: 3.5 reached A at 14:08:45");
  }

  void decisionBesideTheEntry_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("alpha");  // and β; none: no limits
    QTest::addColumn<LimitForm>("form");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QByteArray>("threshold");  // field 3 of the log
    const QLocale british(QLocale::English, QLocale::UnitedKingdom), german(QLocale::German, QLocale::Germany);
    const auto log = LimitForm::LogRatio, ratio = LimitForm::Ratio;
    QTest::newRow("no limits") << british << "4.6" << "" << log << "" << QByteArray("\"Threshold A: 0\"");
    QTest::newRow("at A") << british << "4.6" << "0.01" << log << "Leak: 4.6 reached A at 14:08:45" << QByteArray("\"Threshold A: 4.595\"");
    QTest::newRow("below B") << british << "-5" << "0.01" << log << "No leak: -5 reached B at 14:08:45" << QByteArray("\"Threshold A: 4.595\"");
    QTest::newRow("between, ratio, decimal comma") << german << "1,5" << "0,01" << ratio << "Testing: B < 1,5 < A" << QByteArray("\"Threshold A: 99\"");
    QTest::newRow("A beyond a Single") << british << "1.5" << "1E-40" << ratio << "Testing: B < 1.5 < A" << QByteArray("\"Threshold A: 1E+40\"");
  }
  // After each accepted press and anew when the limits change, in the colour of the limit reached;
  // Reset and No limits empty it. The log's Threshold A is A while limits are set.
  void decisionBesideTheEntry() {
    QFETCH(QLocale, locale);
    QFETCH(QString, typed);
    QFETCH(QString, alpha);
    QFETCH(LimitForm, form);
    QFETCH(QString, caption);
    QFETCH(QByteArray, threshold);
    Station f;
    f.test.env.regional = RegionalForms(locale);
    f.press(typed);
    const QString beforeLimits = f.window.decisionCaption;
    if (!alpha.isEmpty()) f.setLimits(alpha, alpha, form);
    f.press("abc");  // refused: the decision stays
    const LeakDecision decision = caption.startsWith("Leak") ? LeakDecision::Leak
                                  : caption.startsWith("No") ? LeakDecision::NoLeak : LeakDecision::Testing;
    QCOMPARE((std::tuple{beforeLimits, f.window.decisionCaption, f.window.decision}), (std::tuple{QString(), caption, decision}));
    btnReset_Click(f.program);
    const QString afterReset = f.window.decisionCaption;
    f.press(typed);
    QCOMPARE(f.log().split('\n').value(1).split(',').value(2), threshold);
    btnLimitsClear_Click(f.program, f.dialog, f.settings);
    QCOMPARE(afterReset + f.window.decisionCaption, QString());
  }

  void decisionsList_data() {
    QTest::addColumn<QList<double>>("data");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("zoomed");  // the records the first line zooms into
    const QList<double> quiet(12, 1.0);
    QTest::newRow("three stretches, one at the very end")
        << (QList<double>{5, 6} + quiet + QList<double>{4.6, 7.25, 4.6, 1} + quiet + QList<double>{9})
        << QStringList{"05/12/2010 00:00:01 to 05/12/2010 00:00:02: 2 row(s), highest 6",
                       "05/12/2010 00:00:15 to 05/12/2010 00:00:17: 3 row(s), highest 7.25",
                       "05/12/2010 00:00:31 to 05/12/2010 00:00:31: 1 row(s), highest 9"}
        << 7;
    QTest::newRow("never at A") << (quiet + QList<double>{4.5}) << QStringList{} << 0;
  }
  // From the rows the chart holds, also while it shows a zoom; each line zooms into its stretch.
  void decisionsList() {
    QFETCH(QList<double>, data);
    QFETCH(QStringList, lines);
    QFETCH(int, zoomed);
    Station f;
    SqliteMeasurementDatabase database{f.path("m.db")};
    database.withGraphData();
    for (int n = 1; n <= data.size(); ++n) database.withRow(n, data[n - 1], "05/12/2010", QTime(0, 0).addSecs(n).toString("HH:mm:ss"));
    f.state.DatabasePath = database.dataSource();
    QVERIFY(chartQuery(f.program, "SELECT Date, Time, number, Data FROM GraphData ORDER BY number"));
    const bool withoutLimits = decisionsAvailable(f.program);
    f.setLimits("0.01", "0.01");
    zoomInto(f.window.picture, 10, 20, f.test.env);
    QVERIFY(!withoutLimits && decisionsAvailable(f.program));
    const DecisionsList list = listDecisions(f.program);
    QStringList listed;
    for (std::size_t i = 0; i < list.stretches.size(); ++i) listed << decisionLine(list, i, f.test.env.regional);
    QCOMPARE(listed, lines);
    if (lines.isEmpty()) return;
    zoomIntoStretch(f.program, list, 0);
    const ShownRows& rows = f.window.picture.LastChart()->input.series.front().rows;
    QCOMPARE((std::pair{rows.first, rows.count}), (std::pair{qsizetype(0), zoomed}));
    f.press("1");  // the live chart lists nothing
    QVERIFY(!decisionsAvailable(f.program) && listDecisions(f.program).stretches.empty());
  }

  void summaryWritesEveryValueInOneForm_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("values");  // lowest, highest, mean, standard deviation
    QTest::newRow("en_GB") << QLocale(QLocale::English, QLocale::UnitedKingdom)
                           << QStringList{"-2.345679 at 05/12/2010 00:00:02", "123456.8 at 05/12/2010 00:00:03", "41151.89", "71278.13"};
    QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany)
                           << QStringList{"-2,345679 at 05/12/2010 00:00:02", "123456,8 at 05/12/2010 00:00:03", "41151,89", "71278,13"};
  }
  // Regional, with seven significant digits, whether a value was stored as a Double or a Single.
  void summaryWritesEveryValueInOneForm() {
    QFETCH(QLocale, locale);
    QFETCH(QStringList, values);
    Station f;
    f.test.env.regional = RegionalForms(locale);
    SqliteMeasurementDatabase database{f.path("m.db")};
    database.withGraphData();
    const QList<double> data{1.23456789012345, -2.34567890123456, 123456.789012345};
    for (int n = 1; n <= 3; ++n) database.withRow(n, data[n - 1], "05/12/2010", QTime(0, 0).addSecs(n).toString("HH:mm:ss"));
    f.state.DatabasePath = database.dataSource();
    QVERIFY(chartQuery(f.program, "SELECT Date, Time, number, Data FROM GraphData ORDER BY number"));
    QStringList written;
    for (const SummaryLine& line : summaryLines(f.program).mid(3, 4)) written << line.value;
    QCOMPARE(written, values);
  }

  // The limits of a run are those of the next, which reads them from the settings file; what it
  // cannot use is passed over as if unset, and a file that cannot be written is told.
  void limitsLastBetweenRuns() {
    Station f;
    f.setLimits("0.05", "0.1", LimitForm::Ratio);
    std::optional<LeakLimits> read = ProgramSettings().leakLimits();
    QCOMPARE((QList<double>{read->upper, read->lower, read->alpha.value(), read->beta.value(), double(read->form)}),
             (QList<double>{f.state.Limits->upper, f.state.Limits->lower, 0.05, 0.1, double(LimitForm::Ratio)}));
    f.setLimits("", "", LimitForm::LogRatio, "2.5", "-1");
    read = ProgramSettings().leakLimits();
    QVERIFY(read && !read->alpha && read->upper == 2.5 && read->lower == -1);

    const QString path = ProgramSettings().fileName();
    for (const QByteArray& damaged : {QByteArray("\xff\x00[LeakTest\nForm=log\nLimitA=zz\nLimitB=1\n", 38),
                                      QByteArray("[LeakTest]\nForm=ratio\nLimitA=2\nLimitB=-1\n"),
                                      QByteArray("[LeakTest]\nForm=log\nAlpha=0.5\nBeta=0.5\n")}) {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly) && file.write(damaged) == damaged.size() && file.flush());
      QVERIFY2(!ProgramSettings().leakLimits(), damaged.constData());
    }
    QVERIFY(QFile::remove(path) && QDir().mkdir(path));  // a folder where the file should be
    f.setLimits("0.01", "0.01");
    QVERIFY(f.state.Limits && f.dialog.unloaded && f.test.messages.texts().value(0).startsWith("The limits hold for this run, but"));
    QVERIFY(QDir().rmdir(path));
  }
};

QTEST_MAIN(LeakTestTest)
#include "tst_leaktest.moc"
