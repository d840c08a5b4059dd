#pragma once

#include "LeakLimits.h"
#include "Stations.h"
#include "TextResources.h"

#include <QSettings>
#include <QString>
#include <QStringList>

#include <optional>

namespace kelvane {

// The program's settings file: organisation "Kelvane", application "Kelvane program", in the
// platform's usual place ($XDG_CONFIG_HOME/Kelvane/Kelvane program.conf on Linux). Each feature
// keeps its keys in a group of its own. A file that cannot be read reads as empty, and one that
// cannot be written is only reported: the program runs on either way.
class ProgramSettings {
 public:
  ProgramSettings();

  QString fileName() const { return settings_.fileName(); }

  // The leak test's limits; none while unset, or when what the file holds fails the limits
  // dialog's checks.
  std::optional<LeakLimits> leakLimits() const;
  // Keeps the limits for the next run, or removes them. Raises a RuntimeError naming the file when
  // it could not be written.
  void setLeakLimits(const std::optional<LeakLimits>& limits);

  // Whether stored charts are drawn on the time scale; off unless the file says on. Raises as
  // setLeakLimits does.
  bool timeScale() const;
  void setTimeScale(bool on);

  // Whether the leak alarm's tone sounds (Alarm/Sound): on unless the file says off (or false, 0).
  bool alarmSound() const;

  // Help > Language, for the next start: as the system while unset.
  Language language() const;
  void setLanguage(Language language);

  // File > Recent database files: the paths chosen last, newest first.
  QStringList recentFiles() const;
  void setRecentFiles(const QStringList& paths);

  // Database > Stations...: the databases charted beside the chosen one, with their names, in
  // order (group Stations). Raises as setLeakLimits does.
  QList<ComparedStation> stations() const;
  void setStations(const QList<ComparedStation>& stations);

 private:
  std::optional<double> number(const QString& key) const;
  void setNumber(const QString& key, std::optional<double> value);
  void write();

  mutable QSettings settings_;  // reading an array moves its cursor
};

}  // namespace kelvane
