#pragma once

#include "state/Services.h"

#include <QList>

namespace kelvane::testing {

// Keeps the message boxes a handler would have shown.
class RecordedMessages : public MessageSink {
 public:
  struct Shown {
    QString text;
    MessageIcon icon;
    QString title;
  };
  void show(const QString& text, MessageIcon icon, const QString& title) override {
    shown.append({text, icon, title});
  }
  QStringList texts() const {
    QStringList result;
    for (const Shown& box : shown) result.append(box.text);
    return result;
  }
  QList<Shown> shown;
};

// A set clock, recorded messages and the regional settings of a locale and a time zone (UTC
// unless given, whatever the machine's), in a temporary log file folder of the caller's choice.
struct TestEnvironment {
  explicit TestEnvironment(const QLocale& locale = QLocale(QLocale::English, QLocale::UnitedKingdom),
                           const QTimeZone& zone = QTimeZone::utc(),
                           QDateTime moment = QDateTime(QDate(2010, 12, 5), QTime(14, 8, 45)))
      : clock(std::move(moment)), env{clock, RegionalForms(locale, LocalTimeZone(zone)), messages} {}

  SetClock clock;
  RecordedMessages messages;
  Environment env;
};

}  // namespace kelvane::testing
