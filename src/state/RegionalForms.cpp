#include "RegionalForms.h"

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

RegionalForms::RegionalForms(const QLocale& locale)
    : locale_(locale),
      dateSeparator_(separatorOf(locale.dateFormat(QLocale::ShortFormat), QStringLiteral("/"))),
      timeSeparator_(separatorOf(locale.timeFormat(QLocale::LongFormat), QStringLiteral(":"))),
      shortDateFormat_(withFourDigitYear(locale.dateFormat(QLocale::ShortFormat))),
      longTimeFormat_(withoutTimeZone(locale.timeFormat(QLocale::LongFormat))) {
  locale_.setNumberOptions(locale_.numberOptions() | QLocale::OmitGroupSeparator);
}

QString RegionalForms::dateText(const QDate& date) const {
  return date.toString(QStringLiteral("dd'%1'MM'%1'yyyy").arg(dateSeparator_));
}

QString RegionalForms::timeText(const QTime& time) const {
  return time.toString(QStringLiteral("HH'%1'mm'%1'ss").arg(timeSeparator_));
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

}  // namespace kelvane
