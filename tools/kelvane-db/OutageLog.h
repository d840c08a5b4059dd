#pragma once

#include <QDateTime>
#include <QStringList>
#include <QTextStream>

#include <optional>

namespace kelvane::db {

// A moment as outages tell it: 2026-12-07 08:00:00.
QString timeText(const QDateTime& moment);

// Stretches of readings without a row, each told once when it starts and once when it ends, with
// its reasons and times: a collector that is down for a day writes two lines, not thousands. A
// stretch ends once the readings are back on the clock: a device too slow for the rate, whose
// rows come late and between skipped readings, is one outage, not one a skipped reading.
class OutageLog {
 public:
  explicit OutageLog(QTextStream& out) : out_(out) {}

  bool ongoing() const { return since_.has_value(); }
  // A reading, or a connection, failed: starts an outage, or adds a reason to the one going on.
  void fault(const QString& reason);
  // The reading of the period became a row; onTime: it was over within its period, which ends
  // the outage going on.
  void row(qint64 period, bool onTime);
  // The run ends before the period: an outage going on is told as still on.
  void finish(qint64 period);
  // Readings without a row in the outages told so far.
  qint64 readingsWithoutRow() const { return withoutRow_; }

 private:
  void countGapBefore(qint64 period);
  void end(const QString& how);

  QTextStream& out_;
  std::optional<QDateTime> since_;
  QStringList reasons_;
  qint64 lastRowPeriod_ = -1;
  qint64 withoutRow_ = 0;
  qint64 withoutRowInOutage_ = 0;
};

}  // namespace kelvane::db
