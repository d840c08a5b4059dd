#pragma once

#include <QByteArray>

#include <charconv>

namespace kelvane {

// A number as other programs and stations read it: "." whatever the regional settings, in as few
// digits as read back to the same value of its type.
template <typename Number>
QByteArray plainNumber(Number value) {
  char text[64];
  const auto written = std::to_chars(text, text + sizeof text, value);
  return QByteArray(text, written.ptr - text);
}

}  // namespace kelvane
