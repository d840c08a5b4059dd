#pragma once

#include "RegisterFormat.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace kelvane::db {

// A device that publishes the value as Modbus TCP registers.
struct ModbusSource {
  QString host;
  quint16 port = 502;
  int unit = 1;                      // the unit identifier
  int firstRegister = 0;             // as on the wire, 0-based
  bool inputRegisters = false;       // function 4; otherwise holding registers, function 3
  RegisterFormat format = RegisterFormat::Float32Abcd;
  double scale = 1;
  double timeout = 1;                // seconds for one reading, and for connecting

  // HOST:PORT, with an IPv6 address in brackets.
  QString address() const;
};

struct CollectOptions {
  double rate = 1;                   // rows a second, steady mode; readings a second from a device
  std::optional<qint64> count;       // rows to write; none: until stopped, or up to now
  std::optional<QDateTime> start;    // back-fill from this moment
  qint64 step = 60;                  // seconds between back-filled rows
  std::optional<quint32> seed;       // none: a fresh one, printed so a run can be repeated
};

struct Command {
  enum Kind { Help, Create, Collect, Check, Index };
  Kind kind = Help;
  QString target;
  CollectOptions collect;
  std::optional<ModbusSource> modbus;  // collect: the device to read; none: made-up values
};

// The command the arguments ask for (arguments[0] is the program); raises a Failure with
// Exit::Usage and the reason when they do not make one.
Command parseCommandLine(const QStringList& arguments);

QString usageText();

}  // namespace kelvane::db
