#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace kelvane::db {

// How a device lays a value out in its 16-bit registers. In a name, the letters give the order of
// the value's bytes in the registers read, A the most significant: float32-cdab holds the low half
// in the first register.
enum class RegisterFormat { Float32Abcd, Float32Cdab, Float32Badc, Float32Dcba, Int16, Uint16, Int32Abcd, Int32Cdab };

QStringList registerFormatNames();
std::optional<RegisterFormat> registerFormatNamed(const QString& name);
QString nameOf(RegisterFormat format);
int registerCount(RegisterFormat format);

// What a reading's registers hold: the value times the scale as a Single, or why no row can be
// written of them.
struct RegisterValue {
  std::optional<float> value;
  QString refusal;
};

// registers: registerCount(format) of them, in the order of their addresses.
RegisterValue decodeRegisters(RegisterFormat format, const QList<quint16>& registers, double scale);

}  // namespace kelvane::db
