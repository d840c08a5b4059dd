#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace kelvane {

// One measurement as table GraphData keeps it: the date and time texts of its moment and the
// value as a Single.
struct MeasurementRow {
  QString date;
  QString time;
  float data = 0;
};

// What became of an entry's row: the number it was stored with, and what the operator is told:
// lines of what was not recorded, and a notice that the row waits for its database.
struct RowOutcome {
  std::optional<double> number;
  QStringList notRecorded;
  QString notice;
};

// Where an accepted value's row goes: into the chosen database, or kept for it while it does
// not answer and stored later, in the order entered.
class MeasurementStore {
 public:
  virtual ~MeasurementStore() = default;
  // Sets the row on its way and returns; what became of it is told on the window's thread once
  // it is known. entry: the press's EntryNumber; typedText: as typed, for what the operator is told.
  virtual void storeOrKeep(const QString& database, const MeasurementRow& row, qint64 entry, const QString& typedText,
                           std::function<void(const RowOutcome&)> told) = 0;
};

}  // namespace kelvane
