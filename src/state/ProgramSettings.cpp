#include "ProgramSettings.h"

#include "RuntimeError.h"

#include <QLocale>

namespace kelvane {

namespace {

const QString kLeakTest = QStringLiteral("LeakTest/");
const QString kTimeScale = QStringLiteral("Chart/TimeScale");
const QString kRatioForm = QStringLiteral("ratio"), kLogRatioForm = QStringLiteral("log");
const QString kLanguage = QStringLiteral("Language/Shown");
const QString kEnglish = QStringLiteral("en"), kGerman = QStringLiteral("de");
const QString kRecentFiles = QStringLiteral("RecentFiles/Paths");
const QString kStations = QStringLiteral("Stations");
const QString kStationPath = QStringLiteral("Path"), kStationName = QStringLiteral("Name");
const QString kAlarmSound = QStringLiteral("Alarm/Sound");

}  // namespace

ProgramSettings::ProgramSettings() : settings_(QStringLiteral("Kelvane"), QStringLiteral("Kelvane program")) {}

// Numbers are kept in the C locale with every digit they need: a file is read back the same under
// any regional settings.
std::optional<double> ProgramSettings::number(const QString& key) const {
  bool ok = false;
  const double value = settings_.value(key).toString().toDouble(&ok);
  return ok ? std::optional(value) : std::nullopt;
}

void ProgramSettings::setNumber(const QString& key, std::optional<double> value) {
  if (value)
    settings_.setValue(key, QString::number(*value, 'g', QLocale::FloatingPointShortest));
  else
    settings_.remove(key);
}

void ProgramSettings::write() {
  settings_.sync();
  // A file read with format errors is written all the same; only access fails a write.
  if (settings_.status() == QSettings::AccessError)
    throw RuntimeError(ErrorNumber::FileAccess, settings_.fileName(), QStringLiteral("The file cannot be written"));
}

std::optional<LeakLimits> ProgramSettings::leakLimits() const {
  const QString form = settings_.value(kLeakTest + QStringLiteral("Form")).toString();
  if (form != kRatioForm && form != kLogRatioForm) return std::nullopt;
  LeakLimits limits;
  limits.form = form == kRatioForm ? LimitForm::Ratio : LimitForm::LogRatio;
  const auto alpha = number(kLeakTest + QStringLiteral("Alpha")), beta = number(kLeakTest + QStringLiteral("Beta"));
  const auto upper = number(kLeakTest + QStringLiteral("LimitA")), lower = number(kLeakTest + QStringLiteral("LimitB"));
  if (alpha && beta) {
    limits = waldLimits(*alpha, *beta, limits.form);
  } else if (upper && lower && !alpha && !beta) {
    limits.upper = *upper;
    limits.lower = *lower;
  } else {
    return std::nullopt;
  }
  if (refusalOf(limits)) return std::nullopt;
  return limits;
}

void ProgramSettings::setLeakLimits(const std::optional<LeakLimits>& limits) {
  if (!limits) {
    settings_.remove(QStringLiteral("LeakTest"));
  } else {
    const QString form = limits->form == LimitForm::Ratio ? kRatioForm : kLogRatioForm;
    settings_.setValue(kLeakTest + QStringLiteral("Form"), form);
    setNumber(kLeakTest + QStringLiteral("Alpha"), limits->alpha);
    setNumber(kLeakTest + QStringLiteral("Beta"), limits->beta);
    setNumber(kLeakTest + QStringLiteral("LimitA"), limits->upper);
    setNumber(kLeakTest + QStringLiteral("LimitB"), limits->lower);
  }
  write();
}

bool ProgramSettings::timeScale() const { return settings_.value(kTimeScale).toString() == QLatin1String("on"); }

void ProgramSettings::setTimeScale(bool on) {
  settings_.setValue(kTimeScale, on ? QStringLiteral("on") : QStringLiteral("off"));
  write();
}

bool ProgramSettings::alarmSound() const {
  const QString sound = settings_.value(kAlarmSound).toString().trimmed().toLower();
  return sound != QLatin1String("off") && sound != QLatin1String("false") && sound != QLatin1String("0");
}

Language ProgramSettings::language() const {
  const QString shown = settings_.value(kLanguage).toString();
  return shown == kGerman ? Language::German : shown == kEnglish ? Language::English : Language::System;
}

void ProgramSettings::setLanguage(Language language) {
  if (language == Language::System)
    settings_.remove(kLanguage);
  else
    settings_.setValue(kLanguage, language == Language::German ? kGerman : kEnglish);
  write();
}

QList<ComparedStation> ProgramSettings::stations() const {
  QSettings& settings = settings_;
  QList<ComparedStation> stations;
  const int count = settings.beginReadArray(kStations);
  for (int i = 0; i < count && stations.size() < kMostStationsBeside; ++i) {
    settings.setArrayIndex(i);
    const QString path = settings.value(kStationPath).toString();
    if (path.isEmpty()) continue;
    const QString name = settings.value(kStationName).toString();
    stations.append({path, name.isEmpty() ? stationName(path) : name});
  }
  settings.endArray();
  return stations;
}

void ProgramSettings::setStations(const QList<ComparedStation>& stations) {
  settings_.remove(kStations);
  settings_.beginWriteArray(kStations, int(stations.size()));
  for (int i = 0; i < stations.size(); ++i) {
    settings_.setArrayIndex(i);
    settings_.setValue(kStationPath, stations[i].path);
    settings_.setValue(kStationName, stations[i].name);
  }
  settings_.endArray();
  write();
}

QStringList ProgramSettings::recentFiles() const { return settings_.value(kRecentFiles).toStringList(); }

void ProgramSettings::setRecentFiles(const QStringList& paths) {
  settings_.setValue(kRecentFiles, paths);
  write();
}

}  // namespace kelvane
