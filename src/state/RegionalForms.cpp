#include "RegionalForms.h"

#include "ShortText.h"

#include <QRegularExpression>

namespace kelvane {

namespace {

bool isFieldLetter(QChar c) { return c.isLetter(); }

// The first character that stands between two fields of a numeric pattern; a pattern that names
// the month in letters has no numeric separator, so the common "/" stands in.
QString separatorOf(const QString& pattern, const QString& fallback) {
  if (pattern.contains(QLatin1String("MMM"))) return fallback;
  bool afterField = false;
  for (QChar c : pattern) {
    if (c == QLatin1Char('\'')) break;
    if (isFieldLetter(c)) {
      afterField = true;
    } else if (afterField && !c.isSpace()) {
      return QString(c);
    }
  }
  return fallback;
}

// Patterns with a two-digit year get a four-digit one, as dates on the operator's screens do.
QString withFourDigitYear(QString pattern) {
  static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
  return pattern.replace(twoDigitYear, QStringLiteral("yyyy"));
}

// Drops the time-zone fields ('t') and the blanks before them; quoted text stays.
QString withoutTimeZone(const QString& pattern) {
  QString result;
  bool quoted = false;
  for (QChar c : pattern) {
    if (c == QLatin1Char('\'')) quoted = !quoted;
    if (!quoted && c == QLatin1Char('t')) {
      while (result.endsWith(QLatin1Char(' '))) result.chop(1);
      continue;
    }
    result += c;
  }
  return result.trimmed();
}

}  // namespace

RegionalForms::RegionalForms(const QLocale& locale, LocalTimeZone zone)
    : locale_(locale),
      zone_(std::move(zone)),
      dateSeparator_(separatorOf(locale.dateFormat(QLocale::ShortFormat), QStringLiteral("/"))),
      timeSeparator_(separatorOf(locale.timeFormat(QLocale::LongFormat), QStringLiteral(":"))),
      shortDateFormat_(withFourDigitYear(locale.dateFormat(QLocale::ShortFormat))),
      longTimeFormat_(withoutTimeZone(locale.timeFormat(QLocale::LongFormat))),
      dateSeparatorByte_(dateSeparator_.size() == 1 && dateSeparator_[0].unicode() < 0x80 ? char(dateSeparator_[0].unicode()) : 0),
      timeSeparatorByte_(timeSeparator_.size() == 1 && timeSeparator_[0].unicode() < 0x80 ? char(timeSeparator_[0].unicode()) : 0) {
  locale_.setNumberOptions(locale_.numberOptions() | QLocale::OmitGroupSeparator);
}

QString RegionalForms::dateText(const QDate& date) const {
  return date.toString(QStringLiteral("dd'%1'MM'%1'yyyy").arg(dateSeparator_));
}

QString RegionalForms::timeText(const QTime& time, bool withSeconds) const {
  return time.toString((withSeconds ? QStringLiteral("HH'%1'mm'%1'ss") : QStringLiteral("HH'%1'mm")).arg(timeSeparator_));
}

namespace {

// Two digits at the position; -1 when either is none.
int twoDigits(QByteArrayView text, qsizetype at) {
  const char high = text[at], low = text[at + 1];
  if (high < '0' || high > '9' || low < '0' || low > '9') return -1;
  return (high - '0') * 10 + (low - '0');
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar (Howard Hinnant's algorithm).
qint64 daysFromCivil(qint64 year, int month, int day) {
  year -= month <= 2;
  const qint64 era = (year >= 0 ? year : year - 399) / 400;
  const qint64 yearOfEra = year - era * 400;
  const qint64 dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const qint64 dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

int daysInMonth(qint64 year, int month) {
  static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : days[month - 1];
}

// Fields of two digits (four for the last of a date) with one separator between them; none when
// the text is not so.
QList<int> separatedFields(const QString& text, qsizetype size) {
  if (text.size() != size) return {};
  const QChar separator = text[2];
  if (separator.isLetterOrNumber() || separator.isSpace() || text[5] != separator) return {};
  QList<int> fields;
  for (const auto& [at, digits] : {std::pair{0, 2}, {3, 2}, {6, int(size) - 6}}) {
    int value = 0;
    for (qsizetype i = at; i < at + digits; ++i) {
      if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9')) return {};
      value = value * 10 + (text[i].unicode() - '0');
    }
    fields.append(value);
  }
  return fields;
}

}  // namespace

bool RegionalForms::isDateForm(const QString& text) {
  const QList<int> fields = separatedFields(text, 10);
  return !fields.isEmpty() && fields[1] >= 1 && fields[1] <= 12 && fields[0] >= 1 &&
         fields[0] <= daysInMonth(fields[2], fields[1]);
}

bool RegionalForms::isTimeForm(const QString& text) {
  const QList<int> fields = separatedFields(text, 8);
  return !fields.isEmpty() && fields[0] <= 23 && fields[1] <= 59 && fields[2] <= 59;
}

// dd?mm?yyyy with the one-character separator.
std::optional<qint64> RegionalForms::wallDaySeconds(QByteArrayView date) const {
  if (date.size() != 10 || date[2] != dateSeparatorByte_ || date[5] != dateSeparatorByte_) return std::nullopt;
  const int day = twoDigits(date, 0), month = twoDigits(date, 3), century = twoDigits(date, 6), years = twoDigits(date, 8);
  if (day < 1 || month < 1 || month > 12 || century < 0 || years < 0) return std::nullopt;
  const qint64 year = century * 100 + years;
  if (day > daysInMonth(year, month)) return std::nullopt;
  return daysFromCivil(year, month, day) * 86400;
}

// hh?mm?ss with the one-character separator.
std::optional<int> RegionalForms::wallSecondsOfDay(QByteArrayView time) const {
  if (time.size() != 8 || time[2] != timeSeparatorByte_ || time[5] != timeSeparatorByte_) return std::nullopt;
  const int hour = twoDigits(time, 0), minute = twoDigits(time, 3), second = twoDigits(time, 6);
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return std::nullopt;
  return hour * 3600 + minute * 60 + second;
}

QDate RegionalForms::wallDate(qint64 seconds) {
  const qint64 days = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
  return QDate(1970, 1, 1).addDays(days);
}

QTime RegionalForms::wallTime(qint64 seconds) { return QTime(0, 0).addSecs(int(((seconds % 86400) + 86400) % 86400)); }

qint64 RegionalForms::wallSeconds(const QDate& date, const QTime& time) {
  return daysFromCivil(date.year(), date.month(), date.day()) * 86400 + time.msecsSinceStartOfDay() / 1000;
}

qint64 RegionalForms::instantOf(const QDateTime& local, bool later) const {
  return zone_.instantOf(wallSeconds(local.date(), local.time()), later);
}

QString RegionalForms::shortDate(const QDate& date) const { return locale_.toString(date, shortDateFormat_); }

QString RegionalForms::longTime(const QTime& time) const { return locale_.toString(time, longTimeFormat_); }

QString RegionalForms::generalDate(const QDateTime& moment) const {
  const QString date = shortDate(moment.date());
  if (moment.time() == QTime(0, 0)) return date;
  return date + QLatin1Char(' ') + longTime(moment.time());
}

QString RegionalForms::singleText(float value) const {
  return value == 0 ? QStringLiteral("0") : locale_.toString(double(value), 'G', 7);
}

QString RegionalForms::doubleText(double value) const {
  return value == 0 ? QStringLiteral("0") : locale_.toString(value, 'G', 15);
}

QString RegionalForms::valueText(const QVariant& value) const {
  if (value.isNull()) return {};
  switch (value.metaType().id()) {
    case QMetaType::Float: return singleText(value.toFloat());
    case QMetaType::Double: return doubleText(value.toDouble());
    case QMetaType::QDate: return shortDate(value.toDate());
    case QMetaType::QTime: return longTime(value.toTime());
    case QMetaType::QDateTime: return generalDate(value.toDateTime());
    case QMetaType::Bool: return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default: return value.toString();
  }
}

QString RegionalForms::labelText(const QVariant& value) const { return cutShort(valueText(value), kLabelCharacters); }

}  // namespace kelvane
