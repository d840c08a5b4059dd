#include "StoreAndForward.h"

#include "state/RuntimeError.h"
#include "state/TextResources.h"

#include <QFileInfo>

#include <optional>

namespace kelvane {

namespace {

QString reasonOf(const RuntimeError& error) { return QStringLiteral("%1: %2").arg(error.source(), error.description()); }

}  // namespace

StoreAndForward::StoreAndForward(const Environment& env, MainWindowView& window) : env_(env), window_(window) {}

RowOutcome StoreAndForward::storeOrKeep(const QString& database, const MeasurementRow& measurement, qint64 entry,
                                        const QString& typedText) {
  const KeptRow row{database, measurement, entry};
  std::optional<RuntimeError> unanswered;
  if (!rows_.hasRowsFor(row.database)) {
    try {
      return {appendMeasurement(row.database, row.measurement, kRowLockWait), {}, {}};
    } catch (const RuntimeError& error) {
      if (!error.worthRetrying()) return {{}, {LoadResString(TextId::NotStored).arg(reasonOf(error))}, {}};
      unanswered = error;
    }
  }
  try {
    rows_.keep(row);
  } catch (const RuntimeError& error) {
    RowOutcome lost;
    if (unanswered) lost.notRecorded.append(LoadResString(TextId::NotStored).arg(reasonOf(*unanswered)));
    lost.notRecorded.append(LoadResString(TextId::NotKept).arg(error.sourceAndDescription()));
    return lost;
  }
  show();
  if (!unanswered) return {};
  return {{}, {}, LoadResString(TextId::RowKept).arg(entry).arg(typedText, row.database, unanswered->description())};
}

void StoreAndForward::load() {
  try {
    const QStringList unreadable = rows_.load(env_.pendingRowsPath);
    if (!unreadable.isEmpty())
      env_.alert(LoadResString(TextId::PendingFileUnreadable).arg(QLatin1Char('\n') + unreadable.join(QLatin1Char('\n'))));
  } catch (const RuntimeError& error) {
    env_.alert(LoadResString(TextId::PendingFileUnreadable).arg(error.sourceAndDescription()));
  }
  show();
}

void StoreAndForward::deliver() {
  if (const std::optional<DeliveryReport> report = rows_.finishedDelivery()) {
    for (const auto& [row, why] : report->refused)
      env_.alert(LoadResString(TextId::KeptRowRefused)
                     .arg(row.entry)
                     .arg(row.measurement.date, row.measurement.time, row.database, why));
  }
  rows_.startDeliveryIfDue(env_.clock.now());
  show();
}

void StoreAndForward::show() {
  const qsizetype count = rows_.count();
  if (count == 0) {
    window_.setPendingCaption({});
    return;
  }
  // File names only: the label has room for one short line.
  QStringList names;
  for (const QString& database : rows_.databases()) names.append(QFileInfo(database).fileName());
  window_.setPendingCaption(LoadResString(count == 1 ? TextId::ValueWaiting : TextId::ValuesWaiting)
                                .arg(count)
                                .arg(names.join(QStringLiteral(", "))));
}

}  // namespace kelvane
