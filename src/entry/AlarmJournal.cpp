#include "AlarmJournal.h"

#include "CsvLine.h"
#include "state/DurableFile.h"
#include "state/LeakLimits.h"
#include "state/PointTexts.h"
#include "state/RuntimeError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <array>

#include <pwd.h>
#include <unistd.h>

namespace kelvane {

namespace {

enum Field { kMoment, kEvent, kValue, kUpper, kDatabase, kLogin, kComment, kFields };

constexpr std::array<std::pair<AlarmEvent, const char*>, 7> kEventWords{{
    {AlarmEvent::Raised, "raised"},
    {AlarmEvent::Acknowledged, "acknowledged"},
    {AlarmEvent::Returned, "returned"},
    {AlarmEvent::Normal, "normal"},
    {AlarmEvent::Silenced, "silenced"},
    {AlarmEvent::Shelved, "shelved"},
    {AlarmEvent::Unshelved, "unshelved"},
}};

QString wordOf(AlarmEvent event) {
  for (const auto& [each, word] : kEventWords)
    if (each == event) return QString::fromLatin1(word);
  return {};
}

std::optional<double> numberIn(const QString& text, const RegionalForms& regional) {
  bool ok = false;
  const double number = regional.locale().toDouble(text, &ok);
  return ok ? std::optional(number) : std::nullopt;
}

std::optional<AlarmChange> changeOf(const QStringList& fields, const RegionalForms& regional) {
  if (fields.size() != kFields) return std::nullopt;
  const std::optional<AlarmEvent> event = eventNamed(fields[kEvent]);
  const std::optional<QDateTime> moment = alarmMomentOf(fields[kMoment], regional);
  if (!event || !moment) return std::nullopt;
  AlarmChange change{*event, fields[kDatabase], *moment, {}, numberIn(fields[kUpper], regional), {}, fields[kComment]};
  if (*event == AlarmEvent::Shelved) {
    const std::optional<QDateTime> until = alarmMomentOf(fields[kValue], regional);
    if (!until) return std::nullopt;
    change.until = *until;
  } else {
    change.value = numberIn(fields[kValue], regional);
  }
  // Only a value that reached A can raise an alarm.
  if (*event == AlarmEvent::Raised && (!change.value || !change.upper)) return std::nullopt;
  return change;
}

RuntimeError failure(const QString& path, const QString& why) {
  return RuntimeError(ErrorNumber::FileAccess, QFileInfo(path).absoluteFilePath(), why);
}

}  // namespace

QString alarmJournalPath(const Environment& env) {
  return QFileInfo(env.logFilePath).dir().filePath(QStringLiteral("Alarm journal.txt"));
}

QString operatorLogin() {
  static const QString login = [] {
    if (const passwd* user = ::getpwuid(::geteuid())) return QString::fromLocal8Bit(user->pw_name);
    return qEnvironmentVariable("LOGNAME", qEnvironmentVariable("USER"));
  }();
  return login;
}

QString alarmValueText(double value, const RegionalForms& regional) {
  return heldBySingle(value) ? regional.singleText(float(value)) : regional.doubleText(value);
}

QString alarmMomentText(const QDateTime& moment, const RegionalForms& regional) {
  return regional.dateText(moment.date()) + QLatin1Char(' ') + regional.timeText(moment.time());
}

std::optional<QDateTime> alarmMomentOf(const QString& text, const RegionalForms& regional) {
  const QByteArray date = text.section(QLatin1Char(' '), 0, 0).toUtf8(), time = text.section(QLatin1Char(' '), 1).toUtf8();
  const std::optional<qint64> day = regional.wallDaySeconds(date);
  const std::optional<int> second = day ? regional.wallSecondsOfDay(time) : std::nullopt;
  if (!second) return std::nullopt;
  const qint64 wall = *day + *second;
  return QDateTime(RegionalForms::wallDate(wall), RegionalForms::wallTime(wall));
}

std::optional<AlarmEvent> eventNamed(const QString& word) {
  for (const auto& [event, each] : kEventWords)
    if (word == QLatin1String(each)) return event;
  return std::nullopt;
}

QByteArray journalLine(const AlarmChange& change, const QString& login, const RegionalForms& regional) {
  QStringList fields(kFields);
  fields[kMoment] = alarmMomentText(change.moment, regional);
  fields[kEvent] = wordOf(change.event);
  if (change.event == AlarmEvent::Shelved) fields[kValue] = alarmMomentText(change.until, regional);
  if (change.value) fields[kValue] = alarmValueText(*change.value, regional);
  if (change.upper) fields[kUpper] = limitText(*change.upper, regional);
  fields[kDatabase] = change.database;
  fields[kLogin] = login;
  fields[kComment] = change.comment;
  return csvLine(fields, Quoting::EveryField);
}

void appendToJournal(const QString& path, QByteArray lines) {
  QFile journal(path);
  if (journal.size() > 0) {
    if (!journal.open(QIODevice::ReadOnly) || !journal.seek(journal.size() - 1)) throw failure(path, journal.errorString());
    if (journal.read(1) != "\n") lines.prepend("\r\n");
    journal.close();
  }
  appendDurably(path, lines);
}

QList<JournalLine> readJournal(const QString& path, const RegionalForms& regional) {
  QFile journal(path);
  if (!journal.exists()) return {};
  if (!journal.open(QIODevice::ReadOnly)) throw failure(path, journal.errorString());
  QList<JournalLine> lines;
  for (QByteArrayView line : QByteArray(journal.readAll()).split('\n')) {
    if (line.endsWith('\r')) line.chop(1);
    if (line.isEmpty()) continue;
    const std::optional<QStringList> fields = quotedFields(line);
    if (!fields) {
      lines.append({{QString::fromUtf8(line)}, std::nullopt});
      continue;
    }
    lines.append({*fields, changeOf(*fields, regional)});
  }
  if (journal.error() != QFileDevice::NoError) throw failure(path, journal.errorString());
  return lines;
}

}  // namespace kelvane
