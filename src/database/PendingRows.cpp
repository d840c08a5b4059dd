#include "PendingRows.h"

#include "DeliveryRun.h"
#include "state/DurableFile.h"
#include "state/RuntimeError.h"

#include <QFile>
#include <QFileInfo>

namespace kelvane {

namespace {
constexpr qint64 kDeliverySpacingS = 5;
}

PendingRows::~PendingRows() {
  stopping_ = true;
  waitForDelivery();
}

QByteArray PendingRows::lines() const {
  QByteArray text;
  for (const Waiting& waiting : rows_) text += pendingLine(waiting.row);
  return text;
}

QStringList PendingRows::load(const QString& path) {
  QMutexLocker lock(&mutex_);
  path_ = path;
  rows_.clear();
  QFile file(path);
  if (!file.exists()) return {};
  if (!file.open(QIODevice::ReadOnly))
    throw RuntimeError(ErrorNumber::FileAccess, QFileInfo(path).absoluteFilePath(), file.errorString());
  QStringList unreadable;
  for (QByteArray line : file.readAll().split('\n')) {
    if (line.endsWith('\r')) line.chop(1);
    if (line.isEmpty()) continue;
    if (const std::optional<KeptRow> row = readPendingLine(line))
      rows_.append({++lastId_, *row, true});
    else
      unreadable.append(QString::fromUtf8(line));
  }
  // Rows appended after a line cut short would be read as part of it.
  if (!unreadable.isEmpty()) replaceDurably(path_, lines());
  return unreadable;
}

bool PendingRows::hasRowsFor(const QString& database) const {
  QMutexLocker lock(&mutex_);
  return std::any_of(rows_.begin(), rows_.end(), [&](const Waiting& waiting) { return waiting.row.database == database; });
}

void PendingRows::keep(const KeptRow& row) {
  QMutexLocker lock(&mutex_);
  appendDurably(path_, pendingLine(row));
  rows_.append({++lastId_, row, false});
}

qsizetype PendingRows::count() const {
  QMutexLocker lock(&mutex_);
  return rows_.size();
}

QStringList PendingRows::databases() const {
  QMutexLocker lock(&mutex_);
  QStringList databases;
  for (const Waiting& waiting : rows_)
    if (!databases.contains(waiting.row.database)) databases.append(waiting.row.database);
  return databases;
}

std::optional<PendingRows::Waiting> PendingRows::oldest(const QSet<QString>& passedOver) const {
  QMutexLocker lock(&mutex_);
  for (const Waiting& waiting : rows_)
    if (!passedOver.contains(waiting.row.database)) return waiting;
  return std::nullopt;
}

void PendingRows::delivered(qint64 id, bool foundStored) {
  QMutexLocker lock(&mutex_);
  const auto at = std::find_if(rows_.begin(), rows_.end(), [&](const Waiting& waiting) { return waiting.id == id; });
  if (at == rows_.end()) return;
  const QString database = at->row.database;
  rows_.erase(at);
  // Rows are stored in order: none after one that was not stored yet can have been.
  if (!foundStored)
    for (Waiting& waiting : rows_)
      if (waiting.row.database == database) waiting.mayBeStored = false;
  try {
    replaceDurably(path_, lines());
  } catch (const RuntimeError& error) {
    qWarning("%s", error.what());
  }
}

void PendingRows::startDeliveryIfDue(const QDateTime& now) {
  if (delivering_ || report_ || count() == 0) return;
  // A clock set back starts the spacing afresh.
  if (lastStart_.isValid() && now >= lastStart_ && lastStart_.secsTo(now) < kDeliverySpacingS) return;
  waitForDelivery();
  lastStart_ = now;
  delivering_ = true;
  delivery_ = std::thread([this] {
    report_ = deliverOldestFirst(*this, stopping_);
    delivering_ = false;
  });
}

std::optional<DeliveryReport> PendingRows::finishedDelivery() {
  if (delivering_) return std::nullopt;
  waitForDelivery();
  std::optional<DeliveryReport> report = std::move(report_);
  report_.reset();
  if (!report) return std::nullopt;
  for (const QString& database : std::as_const(report->delivered)) refusing_.remove(database);
  QList<QPair<KeptRow, QString>> untold;
  for (const auto& refusal : std::as_const(report->refused)) {
    if (refusing_.contains(refusal.first.database)) continue;
    refusing_.insert(refusal.first.database);
    untold.append(refusal);
  }
  report->refused = untold;
  return report;
}

void PendingRows::waitForDelivery() {
  if (delivery_.joinable()) delivery_.join();
}

}  // namespace kelvane
