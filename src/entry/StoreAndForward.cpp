#include "StoreAndForward.h"

#include "PendingRows.h"
#include "shell/TextResources.h"
#include "state/RuntimeError.h"

#include <QFileInfo>

#include <optional>

namespace kelvane {

namespace {

QString reasonOf(const RuntimeError& error) { return QStringLiteral("%1: %2").arg(error.source(), error.description()); }

}  // namespace

RowOutcome storeOrKeep(Program& program, const EntryRecord& entry) {
  const KeptRow row{program.state.DatabasePath, {entry.dateText, entry.timeText, entry.value}, entry.number};
  std::optional<RuntimeError> unanswered;
  if (!program.pendingRows.hasRowsFor(row.database)) {
    try {
      program.state.RowNumber = appendMeasurement(row.database, row.measurement, kRowLockWait);
      return {};
    } catch (const RuntimeError& error) {
      if (!error.mayPass()) return {{LoadResString(TextId::NotStored).arg(reasonOf(error))}, {}};
      unanswered = error;
    }
  }
  try {
    program.pendingRows.keep(row);
  } catch (const RuntimeError& error) {
    RowOutcome lost;
    if (unanswered) lost.notRecorded.append(LoadResString(TextId::NotStored).arg(reasonOf(*unanswered)));
    lost.notRecorded.append(LoadResString(TextId::NotKept).arg(error.sourceAndDescription()));
    return lost;
  }
  showPendingRows(program);
  if (!unanswered) return {};
  return {{}, LoadResString(TextId::RowKept).arg(entry.number).arg(entry.typedText, row.database, unanswered->description())};
}

void loadPendingRows(Program& program) {
  try {
    const QStringList unreadable = program.pendingRows.load(program.env.pendingRowsPath);
    if (!unreadable.isEmpty())
      program.env.alert(LoadResString(TextId::PendingFileUnreadable).arg(QLatin1Char('\n') + unreadable.join(QLatin1Char('\n'))));
  } catch (const RuntimeError& error) {
    program.env.alert(LoadResString(TextId::PendingFileUnreadable).arg(error.sourceAndDescription()));
  }
  showPendingRows(program);
}

void deliverPendingRows(Program& program) {
  PendingRows& rows = program.pendingRows;
  if (const std::optional<DeliveryReport> report = rows.finishedDelivery()) {
    for (const auto& [row, why] : report->refused)
      program.env.alert(LoadResString(TextId::KeptRowRefused)
                            .arg(row.entry)
                            .arg(row.measurement.date, row.measurement.time, row.database, why));
  }
  rows.startDeliveryIfDue(program.env.clock.now());
  showPendingRows(program);
}

void showPendingRows(Program& program) {
  const qsizetype count = program.pendingRows.count();
  if (count == 0) {
    program.mainWindow.setPendingCaption({});
    return;
  }
  // File names only: the label has room for one short line.
  QStringList names;
  for (const QString& database : program.pendingRows.databases()) names.append(QFileInfo(database).fileName());
  program.mainWindow.setPendingCaption(LoadResString(count == 1 ? TextId::ValueWaiting : TextId::ValuesWaiting)
                                           .arg(count)
                                           .arg(names.join(QStringLiteral(", "))));
}

}  // namespace kelvane
