#include "RegisterFormat.h"

#include <cfloat>
#include <cmath>
#include <cstring>

namespace kelvane::db {

namespace {

struct Named {
  RegisterFormat format;
  const char* name;
};
constexpr Named kFormats[] = {
    {RegisterFormat::Float32Abcd, "float32-abcd"}, {RegisterFormat::Float32Cdab, "float32-cdab"},
    {RegisterFormat::Float32Badc, "float32-badc"}, {RegisterFormat::Float32Dcba, "float32-dcba"},
    {RegisterFormat::Int16, "int16"},              {RegisterFormat::Uint16, "uint16"},
    {RegisterFormat::Int32Abcd, "int32-abcd"},     {RegisterFormat::Int32Cdab, "int32-cdab"},
};

quint16 swapBytes(quint16 word) { return quint16((word << 8) | (word >> 8)); }
quint32 joined(quint16 high, quint16 low) { return (quint32(high) << 16) | low; }

// The 32 bits of the value, A the most significant byte.
quint32 bitsOf(RegisterFormat format, quint16 first, quint16 second) {
  switch (format) {
    case RegisterFormat::Float32Cdab:
    case RegisterFormat::Int32Cdab: return joined(second, first);
    case RegisterFormat::Float32Badc: return joined(swapBytes(first), swapBytes(second));
    case RegisterFormat::Float32Dcba: return joined(swapBytes(second), swapBytes(first));
    default: return joined(first, second);
  }
}

double valueOf(RegisterFormat format, const QList<quint16>& registers) {
  switch (format) {
    case RegisterFormat::Int16: return qint16(registers[0]);
    case RegisterFormat::Uint16: return registers[0];
    case RegisterFormat::Int32Abcd:
    case RegisterFormat::Int32Cdab: return qint32(bitsOf(format, registers[0], registers[1]));
    default: {
      const quint32 bits = bitsOf(format, registers[0], registers[1]);
      float value;
      std::memcpy(&value, &bits, sizeof value);
      return value;
    }
  }
}

}  // namespace

QStringList registerFormatNames() {
  QStringList names;
  for (const Named& named : kFormats) names.append(QLatin1String(named.name));
  return names;
}

std::optional<RegisterFormat> registerFormatNamed(const QString& name) {
  for (const Named& named : kFormats)
    if (name == QLatin1String(named.name)) return named.format;
  return std::nullopt;
}

QString nameOf(RegisterFormat format) {
  for (const Named& named : kFormats)
    if (named.format == format) return QLatin1String(named.name);
  return {};
}

int registerCount(RegisterFormat format) {
  return format == RegisterFormat::Int16 || format == RegisterFormat::Uint16 ? 1 : 2;
}

RegisterValue decodeRegisters(RegisterFormat format, const QList<quint16>& registers, double scale) {
  if (registers.size() != registerCount(format))
    return {std::nullopt, QStringLiteral("%1 registers answered, %2 asked for").arg(registers.size()).arg(registerCount(format))};
  const double read = valueOf(format, registers);
  if (std::isnan(read)) return {std::nullopt, QStringLiteral("the value is not a number (NaN)")};
  if (std::isinf(read)) return {std::nullopt, QStringLiteral("the value is infinite")};
  const double scaled = read * scale;
  // GraphData keeps a Single: a larger value would be stored as infinity.
  if (!(std::fabs(scaled) <= FLT_MAX))
    return {std::nullopt, QStringLiteral("the value %1 times %2 is beyond a single-precision number").arg(read).arg(scale)};
  return {float(scaled), {}};
}

}  // namespace kelvane::db
