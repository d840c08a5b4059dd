// kelvane-db collect --modbus: the collector of a station, reading the leak test's ratio from the
// plant's device and writing it as the program writes its rows.
#include "Commands.h"
#include "Failure.h"
#include "ModbusReader.h"
#include "OutageLog.h"
#include "QueuedRows.h"
#include "ReadingSchedule.h"
#include "Stop.h"

#include <QTextStream>

namespace kelvane::db {

namespace {

using Clock = std::chrono::steady_clock;

// A device that keeps its connection but answers nothing this many readings in a row is
// connected to again: a connection half gone (a gateway restarted, a cable pulled) looks so.
constexpr int kUnansweredBeforeReconnecting = 3;

QString describe(const ModbusSource& source, double rate) {
  const int count = registerCount(source.format);
  const QString registers = count == 1 ? QStringLiteral("register %1").arg(source.firstRegister)
                                       : QStringLiteral("registers %1 and %2").arg(source.firstRegister).arg(source.firstRegister + 1);
  return QStringLiteral("%1 (unit %2, %3 %4 as %5, times %6, %7 readings a second)")
      .arg(source.address())
      .arg(source.unit)
      .arg(source.inputRegisters ? QStringLiteral("input") : QStringLiteral("holding"), registers, nameOf(source.format))
      .arg(source.scale, 0, 'g', 15)
      .arg(rate, 0, 'g', 15);
}

class ModbusCollector {
 public:
  ModbusCollector(const Target& target, const CollectOptions& options, const ModbusSource& source)
      : options_(options), source_(source), rows_(target), reader_(source_), outages_(err_),
        schedule_(options.rate, Clock::now()) {}

  // Reads until the count of rows, or a stop, and writes the rows of every reading taken; a database
  // gone away raises a Failure.
  void run() {
    while (!stopRequested() && (!options_.count || rows_.queued() < *options_.count)) {
      rows_.check();
      if (!reader_.connected() && !connect()) continue;
      const qint64 period = schedule_.nextPeriod(last_, Clock::now());
      if (period > last_ + 1 && !outages_.ongoing())
        outages_.fault(QStringLiteral("readings skipped: the collector fell behind the clock by more than a period"));
      reader_.idleUntil(schedule_.startOf(period));
      if (stopRequested() || !reader_.connected()) continue;
      last_ = period;
      readOnce();
    }
    rows_.drain();
  }

  QString summary() {
    const QString written = rows_.summary();
    outages_.finish(std::max(last_ + 1, schedule_.periodAt(Clock::now())));
    const qint64 unwritten = rows_.unwritten();
    QString text = written + QStringLiteral("; %1 readings without a row").arg(outages_.readingsWithoutRow() + unwritten);
    if (unwritten > 0) text += QStringLiteral(", %1 of them read but not written").arg(unwritten);
    return text;
  }
  qint64 unwritten() const { return rows_.unwritten(); }

 private:
  // Connects when the wait after the last failure is over; false when it did not.
  bool connect() {
    if (connected_) lost(reader_.lostReason());
    reader_.idleUntil(retryAt_);
    if (stopRequested()) return false;
    if (const auto failure = reader_.connect()) {
      outages_.fault(*failure);
      retryAt_ = Clock::now() + backoff_.next();
      return false;
    }
    connected_ = true;
    unanswered_ = 0;
    return true;
  }

  // The connection went, or is given up: connect again after the next wait.
  void lost(const QString& reason) {
    connected_ = false;
    outages_.fault(reason);
    retryAt_ = Clock::now() + backoff_.next();
  }

  // One reading of the period last_: a row, or a fault of the outage.
  void readOnce() {
    const QDateTime moment = QDateTime::currentDateTime();
    const ModbusReader::Answer answer = reader_.read();
    // A connection holds once the device answers on it.
    if (answer.heard == ModbusReader::Answer::Answered) unanswered_ = 0, backoff_.reset();
    if (!answer.fault.isEmpty()) outages_.fault(answer.fault);
    if (answer.heard == ModbusReader::Answer::Unanswered && ++unanswered_ >= kUnansweredBeforeReconnecting) {
      reader_.disconnect();
      return lost(QStringLiteral("no answer to %1 readings in a row: connecting again").arg(unanswered_));
    }
    if (!answer.fault.isEmpty()) return;
    const RegisterValue value = decodeRegisters(source_.format, answer.registers, source_.scale);
    if (!value.value) return outages_.fault(value.refusal);
    rows_.store(moment, *value.value);
    outages_.row(last_, Clock::now() < schedule_.startOf(last_ + 1));
  }

  const CollectOptions& options_;
  const ModbusSource& source_;
  QTextStream err_{stderr};
  QueuedRows rows_;
  ModbusReader reader_;
  OutageLog outages_;
  const ReadingSchedule schedule_;
  ReconnectBackoff backoff_;
  Clock::time_point retryAt_ = Clock::now();
  bool connected_ = false;
  int unanswered_ = 0;  // readings in a row that the device let time out
  qint64 last_ = -1;  // the period of the last reading
};

}  // namespace

int collectFromModbus(const Target& target, const CollectOptions& options, const ModbusSource& source) {
  ModbusCollector collector(target, options, source);
  QTextStream(stdout) << "collecting from " << describe(source, options.rate) << " into " << target.shownName() << Qt::endl;
  stopOnSignals();
  try {
    collector.run();
  } catch (Failure&) {
    QTextStream(stdout) << "stopped: " << collector.summary() << Qt::endl;
    throw;
  }
  QTextStream(stdout) << (stopRequested() ? "stopped: " : "done: ") << collector.summary() << Qt::endl;
  // Rows read but given up at a stop are rows that could not be written.
  return collector.unwritten() > 0 ? Exit::WriteFailed : Exit::Ok;
}

}  // namespace kelvane::db
