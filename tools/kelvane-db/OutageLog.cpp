#include "OutageLog.h"

namespace kelvane::db {

QString timeText(const QDateTime& moment) { return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")); }

void OutageLog::fault(const QString& reason) {
  if (!reasons_.contains(reason)) reasons_.append(reason);
  if (since_) return;
  since_ = QDateTime::currentDateTime();
  out_ << "kelvane-db: outage from " << timeText(*since_) << ", no rows: " << reason << Qt::endl;
}

void OutageLog::row(qint64 period, bool onTime) {
  countGapBefore(period);
  lastRowPeriod_ = period;
  if (since_ && onTime) end(QStringLiteral("over at"));
}

void OutageLog::finish(qint64 period) {
  countGapBefore(period);
  lastRowPeriod_ = std::max(lastRowPeriod_, period - 1);
  if (since_) end(QStringLiteral("still on at the end,"));
}

void OutageLog::countGapBefore(qint64 period) {
  const qint64 missed = std::max<qint64>(0, period - lastRowPeriod_ - 1);
  withoutRow_ += missed;
  if (since_) withoutRowInOutage_ += missed;
}

void OutageLog::end(const QString& how) {
  const QDateTime now = QDateTime::currentDateTime();
  out_ << "kelvane-db: outage " << how << ' ' << timeText(now) << " (from " << timeText(*since_) << ", "
       << QString::number(double(since_->msecsTo(now)) / 1000, 'f', 1) << " s, " << withoutRowInOutage_
       << " readings without a row): " << reasons_.join(QStringLiteral("; ")) << Qt::endl;
  since_.reset();
  reasons_.clear();
  withoutRowInOutage_ = 0;
}

}  // namespace kelvane::db
