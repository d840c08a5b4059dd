#include "ProgramState.h"

namespace kelvane {

ProgramState::ProgramState() : PointTable(0, kPointTableLastRow, 0, kPointTableLastColumn) {}

void ProgramState::takeEntryMoment(const QDateTime& now, const RegionalForms& regional) {
  LastEntryMoment = now;
  LastEntryTime = now.time();
  LastEntryDate = now.date();
  LastEntryDateText = regional.dateText(LastEntryDate);
  LastEntryTimeText = regional.timeText(LastEntryTime);
}

}  // namespace kelvane
