#pragma once

#include "CommandLine.h"

#include <QList>
#include <QModbusTcpClient>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>

class QModbusReply;

namespace kelvane::db {

// The registers of one device over Modbus TCP, each call bounded by the timeout. Qt's client
// works on the event loop: the calls run it on the calling thread until they are done.
class ModbusReader {
 public:
  using Moment = std::chrono::steady_clock::time_point;

  explicit ModbusReader(const ModbusSource& source);

  bool connected() const { return client_.state() == QModbusDevice::ConnectedState; }
  // Why the connection went, once connected() turned false.
  QString lostReason() const;

  // Connects within the timeout, or ends early when a stop is asked for; the reason when it did not.
  std::optional<QString> connect();
  void disconnect() { client_.disconnectDevice(); }

  // The registers of one reading, or the fault that kept them. A reading under way is waited for
  // whatever a stop asks.
  struct Answer {
    QList<quint16> registers;
    QString fault;
    // Whether the device answered at all, with registers or an exception, or let the time pass.
    enum Heard { Answered, Unanswered, Failed } heard = Answered;
  };
  Answer read();

  // Lets the client see to its connection until the moment, or until a stop is asked for.
  void idleUntil(Moment moment);

 private:
  void runUntil(const std::function<bool()>& done, Moment deadline, bool stopEnds, QModbusReply* reply = nullptr);
  std::chrono::milliseconds timeout() const;
  QString socketError() const;

  ModbusSource source_;
  QModbusTcpClient client_;
  QString lastSocketError_;
};

// The exception code of a device's answer in words.
QString exceptionName(int code);

}  // namespace kelvane::db
