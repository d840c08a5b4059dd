#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>
#include <QVariant>

#include <optional>

namespace kelvane {

// The text forms of numbers, dates and times under the machine's regional settings.
class RegionalForms {
 public:
  explicit RegionalForms(const QLocale& locale = QLocale());

  const QLocale& locale() const { return locale_; }

  // "dd/mm/yyyy" and "hh:mm:ss" (24-hour clock) with the regional separators: the forms stored in
  // the columns Date and Time.
  QString dateText(const QDate& date) const;
  QString timeText(const QTime& time, bool withSeconds = true) const;

  // The moment a Date and a Time text in the forms above stand for, as seconds of the wall clock
  // since 1970 (each day 86 400 seconds long, whatever the time zone); none when they are not
  // such texts or no such moment. Fast: charts read millions of them.
  std::optional<qint64> wallSeconds(QByteArrayView date, QByteArrayView time) const;
  static qint64 wallSeconds(const QDateTime& moment);
  // The two halves of it: the seconds from 1970 to the start of the day, and of the day.
  std::optional<qint64> wallDaySeconds(QByteArrayView date) const;
  std::optional<int> wallSecondsOfDay(QByteArrayView time) const;
  // The date and the time of day of a moment in wall seconds.
  static QDate wallDate(qint64 seconds);
  static QTime wallTime(qint64 seconds);

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

 private:
  QLocale locale_;
  QString dateSeparator_;
  QString timeSeparator_;
  QString shortDateFormat_;
  QString longTimeFormat_;
  char dateSeparatorByte_, timeSeparatorByte_;  // 0 where a separator is not one ASCII character
};

}  // namespace kelvane
