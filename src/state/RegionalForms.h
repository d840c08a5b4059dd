#pragma once

#include "LocalTimeZone.h"

#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>
#include <QVariant>

#include <optional>

namespace kelvane {

// The text forms of numbers, dates and times under the machine's regional settings, and the time
// zone their dates and times are local to.
class RegionalForms {
 public:
  explicit RegionalForms(const QLocale& locale = QLocale(), LocalTimeZone zone = LocalTimeZone());

  const QLocale& locale() const { return locale_; }
  const LocalTimeZone& timeZone() const { return zone_; }

  // "dd/mm/yyyy" and "hh:mm:ss" (24-hour clock) with the regional separators: the forms stored in
  // the columns Date and Time.
  QString dateText(const QDate& date) const;
  QString timeText(const QTime& time, bool withSeconds = true) const;

  // Whether a text is in the form above under some regional settings: two digits of the day, of the
  // month and four of the year, or two of the hour, minute and second, a valid date or time, with
  // the same separator (neither a letter, a digit nor a blank) between the fields.
  static bool isDateForm(const QString& text);
  static bool isTimeForm(const QString& text);


  // The wall seconds (see LocalTimeZone) a Date and a Time text in the forms above stand for, in
  // two halves: the seconds from 1970 to the start of the day, and of the day; none when they are
  // not such texts. Fast: charts read millions of them.
  std::optional<qint64> wallDaySeconds(QByteArrayView date) const;
  std::optional<int> wallSecondsOfDay(QByteArrayView time) const;
  static qint64 wallSeconds(const QDate& date, const QTime& time);
  // The date and the time of day of a moment in wall seconds.
  static QDate wallDate(qint64 seconds);
  static QTime wallTime(qint64 seconds);
  // The instant a local date and time stand for (of two in the hour repeated in autumn, the
  // earlier one, or the later when asked), and back.
  qint64 instantOf(const QDateTime& local, bool later = false) const;
  QDate localDate(qint64 instant) const { return wallDate(zone_.wallOf(instant)); }
  QTime localTime(qint64 instant) const { return wallTime(zone_.wallOf(instant)); }

  // The short date with a four-digit year, and the long time without a time zone.
  QString shortDate(const QDate& date) const;
  QString longTime(const QTime& time) const;
  // Short date, a blank and the long time; the time is left out at exactly midnight.
  QString generalDate(const QDateTime& moment) const;
  // The pattern of a short date and its long time, for controls in which a moment is entered.
  QString momentPattern() const { return shortDateFormat_ + QLatin1Char(' ') + longTimeFormat_; }

  // The standard text of a Single (7 significant digits) and of a Double (15): no trailing
  // zeros, no digit grouping, the regional decimal separator, exponent form only for very large
  // or very small values.
  QString singleText(float value) const;
  QString doubleText(double value) const;

  // The text form of a value read from the database or kept in a table: empty for Null.
  QString valueText(const QVariant& value) const;
  // The same cut short, as a label of a stored row shows it (kLabelCharacters).
  QString labelText(const QVariant& value) const;

 private:
  QLocale locale_;
  LocalTimeZone zone_;
  QString dateSeparator_;
  QString timeSeparator_;
  QString shortDateFormat_;
  QString longTimeFormat_;
  char dateSeparatorByte_, timeSeparatorByte_;  // 0 where a separator is not one ASCII character
};

}  // namespace kelvane
