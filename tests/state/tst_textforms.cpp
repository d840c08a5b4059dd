#include "state/RegionalForms.h"

#include <QtTest>

using namespace kelvane;

class TextFormsTest : public QObject {
  Q_OBJECT

 private slots:
  void storedDateAndTime_data();
  void storedDateAndTime();
  void generalDate_data();
  void generalDate();
  void numberTexts_data();
  void numberTexts();
};

namespace {
const QDateTime kAfternoon(QDate(2010, 12, 5), QTime(14, 8, 45));
const QDateTime kMidnight(QDate(2010, 12, 5), QTime(0, 0, 0));
const QDateTime kMorning(QDate(2026, 3, 7), QTime(9, 5, 3));
}  // namespace

void TextFormsTest::storedDateAndTime_data() {
  QTest::addColumn<QLocale>("locale");
  QTest::addColumn<QDateTime>("moment");
  QTest::addColumn<QString>("date");
  QTest::addColumn<QString>("time");
  QTest::newRow("German: day.month.year") << QLocale(QLocale::German, QLocale::Germany) << kAfternoon << "05.12.2010"
                                          << "14:08:45";
  QTest::newRow("British: slashes") << QLocale(QLocale::English, QLocale::UnitedKingdom) << kMorning << "07/03/2026"
                                    << "09:05:03";
  QTest::newRow("American: 24-hour time all the same")
      << QLocale(QLocale::English, QLocale::UnitedStates) << kAfternoon << "05/12/2010" << "14:08:45";
  QTest::newRow("Finnish: dots in the time") << QLocale(QLocale::Finnish, QLocale::Finland) << kAfternoon
                                             << "05.12.2010" << "14.08.45";
  QTest::newRow("Swedish: dashes") << QLocale(QLocale::Swedish, QLocale::Sweden) << kAfternoon << "05-12-2010"
                                   << "14:08:45";
  QTest::newRow("C: month in letters, slashes stand in") << QLocale::c() << kAfternoon << "05/12/2010" << "14:08:45";
}

void TextFormsTest::storedDateAndTime() {
  QFETCH(QLocale, locale);
  QFETCH(QDateTime, moment);
  QFETCH(QString, date);
  QFETCH(QString, time);
  const RegionalForms forms(locale);
  QCOMPARE(forms.dateText(moment.date()), date);
  QCOMPARE(forms.timeText(moment.time()), time);
}

void TextFormsTest::generalDate_data() {
  QTest::addColumn<QLocale>("locale");
  QTest::addColumn<QDateTime>("moment");
  QTest::addColumn<QString>("text");
  const QLocale german(QLocale::German, QLocale::Germany), american(QLocale::English, QLocale::UnitedStates);
  QTest::newRow("German afternoon") << german << kAfternoon << "05.12.2010 14:08:45";
  QTest::newRow("German midnight: the date alone") << german << kMidnight << "05.12.2010";
  QTest::newRow("American: a four-digit year, no time zone") << american << kAfternoon << "12/5/2010 2:08:45 PM";
  QTest::newRow("one second after midnight") << german << kMidnight.addSecs(1) << "05.12.2010 00:00:01";
}

void TextFormsTest::generalDate() {
  QFETCH(QLocale, locale);
  QFETCH(QDateTime, moment);
  QFETCH(QString, text);
  QCOMPARE(RegionalForms(locale).generalDate(moment), text);
}

void TextFormsTest::numberTexts_data() {
  QTest::addColumn<QLocale>("locale");
  QTest::addColumn<QVariant>("value");
  QTest::addColumn<QString>("text");
  const QLocale german(QLocale::German, QLocale::Germany), british(QLocale::English, QLocale::UnitedKingdom);
  QTest::newRow("Single with a decimal comma") << german << QVariant(1.5f) << "1,5";
  QTest::newRow("Single keeps 7 digits") << british << QVariant(1.2345678f) << "1.234568";
  QTest::newRow("Single 2.00049") << british << QVariant(2.00049f) << "2.00049";
  QTest::newRow("no digit grouping") << german << QVariant(1234567.0f) << "1234567";
  QTest::newRow("very large Single") << british << QVariant(3e34f) << "3E+34";
  QTest::newRow("Double keeps 15 digits") << british << QVariant(0.1) << "0.1";
  QTest::newRow("whole Double") << british << QVariant(20.0) << "20";
  QTest::newRow("text stays as it is") << german << QVariant(QStringLiteral("14:08:45")) << "14:08:45";
  QTest::newRow("Null is empty") << german << QVariant() << "";
}

void TextFormsTest::numberTexts() {
  QFETCH(QLocale, locale);
  QFETCH(QVariant, value);
  QFETCH(QString, text);
  QCOMPARE(RegionalForms(locale).valueText(value), text);
}

QTEST_GUILESS_MAIN(TextFormsTest)
#include "tst_textforms.moc"
