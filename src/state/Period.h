#pragma once

#include <QDateTime>

namespace kelvane {

// A span of time, both ends included.
struct Period {
  QDateTime from, to;
};

}  // namespace kelvane
