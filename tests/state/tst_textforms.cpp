#include "chart/NumberText.h"
#include "entry/RunRecords.h"
#include "state/RegionalForms.h"

#include <QtTest>

using namespace kelvane;
using namespace kelvane::stdKelvane;

namespace {

const QLocale kBritish(QLocale::English, QLocale::UnitedKingdom), kGerman(QLocale::German, QLocale::Germany);

// Where the operator reads a text: a stored date and time, a value in a table, the log's ratio,
// a chart's axis label.
enum class Form { Stored, Value, Ratio, Label };

}  // namespace

Q_DECLARE_METATYPE(Form)

class TextFormsTest : public QObject {
  Q_OBJECT

 private slots:
  // Every text follows the regional settings it is given, never the default ones.
  void initTestCase() { QLocale::setDefault(kGerman); }

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
};

QTEST_GUILESS_MAIN(TextFormsTest)
#include "tst_textforms.moc"
